#include "platform/Audio.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <vector>

namespace platform {

namespace {

// Enough for every car's engine plus effects; when all are busy a new sound is simply dropped.
constexpr int kChannels = 64;

// The mixer is opened by the first Audio and closed by the last, since tests and the window
// may each make one.
struct MixerState {
  int users = 0;
  bool open = false;
  bool warned = false;
  // Bumped each time a channel starts a sound: a handle from an earlier sound on the same
  // channel then no longer matches and cannot touch the newer sound.
  std::vector<unsigned> generations;
  double masterVolume = 1.0;
};

MixerState& mixer() {
  static MixerState state;
  return state;
}

bool current(int channel, unsigned generation) {
  const MixerState& state = mixer();
  return state.open && channel >= 0 && channel < static_cast<int>(state.generations.size()) &&
         state.generations[static_cast<std::size_t>(channel)] == generation;
}

Uint8 panLevel(double level) {
  return static_cast<Uint8>(std::lround(std::clamp(level, 0.0, 1.0) * 255.0));
}

void setPan(int channel, double pan) {
  pan = std::clamp(pan, -1.0, 1.0);
  Mix_SetPanning(channel, panLevel(1.0 - pan), panLevel(1.0 + pan));
}

void setVolume(int channel, double volume) {
  Mix_Volume(channel, static_cast<int>(std::lround(std::clamp(volume, 0.0, 1.0) * MIX_MAX_VOLUME)));
}

}  // namespace

struct Sample::Chunk {
  Mix_Chunk* chunk = nullptr;
  ~Chunk() {
    if (chunk != nullptr) Mix_FreeChunk(chunk);
  }
};

Audio::Audio() {
  MixerState& state = mixer();
  ++state.users;
  if (state.users > 1) {
    available_ = state.open;
    return;
  }
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0 ||
      Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
    if (!state.warned) {
      std::fprintf(stderr, "kelvane: no usable sound device (%s); the game runs silent\n",
                   SDL_GetError());
      state.warned = true;
    }
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return;
  }
  const int channels = Mix_AllocateChannels(kChannels);
  state.generations.assign(static_cast<std::size_t>(channels), 0u);
  state.open = true;
  available_ = true;
  Mix_MasterVolume(static_cast<int>(std::lround(state.masterVolume * MIX_MAX_VOLUME)));
}

void Audio::setMasterVolume(double volume) {
  MixerState& state = mixer();
  state.masterVolume = std::clamp(volume, 0.0, 1.0);
  if (state.open)
    Mix_MasterVolume(static_cast<int>(std::lround(state.masterVolume * MIX_MAX_VOLUME)));
}

double Audio::masterVolume() const {
  return mixer().masterVolume;
}

Audio::~Audio() {
  MixerState& state = mixer();
  if (--state.users > 0) return;
  if (state.open) {
    Mix_HaltChannel(-1);
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    state.open = false;
  }
}

bool SampleInstance::playing() const {
  return current(channel_, generation_) && Mix_Playing(channel_) != 0;
}

void SampleInstance::changePan(double pan) const {
  if (current(channel_, generation_)) setPan(channel_, pan);
}

void SampleInstance::changeVolume(double volume) const {
  if (current(channel_, generation_)) setVolume(channel_, volume);
}

void SampleInstance::stop() const {
  if (current(channel_, generation_)) Mix_HaltChannel(channel_);
}

Sample::Sample(Audio& audio, const std::string& path)
    : audio_(audio), chunk_(std::make_unique<Chunk>()) {
  if (audio_.available()) {
    chunk_->chunk = Mix_LoadWAV(path.c_str());
    if (chunk_->chunk == nullptr) {
      throw std::runtime_error("cannot read the sound \"" + path + "\": " + Mix_GetError());
    }
    return;
  }
  // Nothing can be heard, but a broken file is still reported.
  SDL_AudioSpec spec{};
  Uint8* buffer = nullptr;
  Uint32 length = 0;
  if (SDL_LoadWAV(path.c_str(), &spec, &buffer, &length) == nullptr) {
    throw std::runtime_error("cannot read the sound \"" + path + "\": " + SDL_GetError());
  }
  SDL_FreeWAV(buffer);
}

Sample::Sample(Audio& audio, const std::vector<float>& wave, int sampleRate)
    : audio_(audio), chunk_(std::make_unique<Chunk>()) {
  if (!audio_.available() || wave.empty() || sampleRate <= 0) return;
  // The mixer converts what it loads to the device's format, so the wave goes to it as a
  // 16-bit WAV file in memory.
  std::vector<Uint8> file;
  auto put = [&file](std::uint32_t value, int bytes) {
    for (int b = 0; b < bytes; ++b) file.push_back(static_cast<Uint8>(value >> (8 * b)));
  };
  auto putText = [&file](const char* text) { file.insert(file.end(), text, text + 4); };
  const auto dataBytes = static_cast<std::uint32_t>(wave.size() * 2);
  putText("RIFF");
  put(36 + dataBytes, 4);
  putText("WAVE");
  putText("fmt ");
  put(16, 4);
  put(1, 2);  // PCM
  put(1, 2);  // mono
  put(static_cast<std::uint32_t>(sampleRate), 4);
  put(static_cast<std::uint32_t>(sampleRate) * 2, 4);
  put(2, 2);
  put(16, 2);
  putText("data");
  put(dataBytes, 4);
  for (float value : wave) {
    const auto level =
        static_cast<std::int16_t>(std::lround(std::clamp(value, -1.0f, 1.0f) * 32767));
    put(static_cast<std::uint16_t>(level), 2);
  }
  chunk_->chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(file.data(), static_cast<int>(file.size())), 1);
}

// Mix_FreeChunk halts the channels still playing the chunk.
Sample::~Sample() = default;

// SDL_mixer cannot change pitch, so `speed` is not applied: every sound plays as recorded. The
// game only ever plays at speed 1.
SampleInstance Sample::play(double pan, double volume, double /*speed*/) const {
  MixerState& state = mixer();
  if (!state.open || chunk_->chunk == nullptr) return {};
  // Pan and volume go on the free channel before it starts, so the sound's first moment is not
  // heard at full volume in the middle.
  const int channel = Mix_GroupAvailable(-1);
  if (channel < 0 || channel >= static_cast<int>(state.generations.size())) return {};
  setPan(channel, pan);
  setVolume(channel, volume);
  if (Mix_PlayChannel(channel, chunk_->chunk, 0) < 0) return {};
  const unsigned generation = ++state.generations[static_cast<std::size_t>(channel)];
  return SampleInstance(channel, generation);
}

}  // namespace platform
