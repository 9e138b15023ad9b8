#include "platform/Window.h"

#include <SDL.h>

#include <array>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <stdexcept>
#include <unordered_map>

#include "platform/Font.h"
#include "platform/FramePacer.h"
#include "platform/SdlBackend.h"
#include "platform/Text.h"
#include "platform/UserFolders.h"

namespace platform {

namespace {

constexpr int kSdlSystems = SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_GAMECONTROLLER;
// Half the stick's travel counts as a direction.
constexpr Sint16 kStickThreshold = 16384;
// The most updates one drawn frame runs; a frame later than this many is not caught up, the
// schedule starts again from the present.
constexpr int kMaxUpdatesPerFrame = 5;
// The notice sits above everything the game draws.
constexpr double kNoticeZ = 1e9;

int buttonForMouse(Uint8 sdlButton) {
  switch (sdlButton) {
    case SDL_BUTTON_LEFT:
      return button::kMouseLeft;
    case SDL_BUTTON_RIGHT:
      return button::kMouseRight;
    case SDL_BUTTON_MIDDLE:
      return button::kMouseMiddle;
    default:
      return -1;
  }
}

double processCpuMillis() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Charges the processor time since the last lap to one part of the frame.
class CostLaps {
 public:
  void lap(double& part) {
    const double now = processCpuMillis();
    part = now - last_;
    last_ = now;
  }

 private:
  double last_ = processCpuMillis();
};

// Whether an OpenGL renderer draws through one of Mesa's software rasterisers (a machine
// without a GPU, a virtual display): they take several times the processor time of SDL's own
// software renderer for the same frame.
bool rasterisesInSoftware(SDL_Renderer* renderer) {
  SDL_RendererInfo info{};
  if (SDL_GetRendererInfo(renderer, &info) != 0 || info.name == nullptr) return false;
  if (std::string(info.name).rfind("opengl", 0) != 0) return false;
  using GetString = const unsigned char* (*)(unsigned int);
  constexpr unsigned int kGlRenderer = 0x1F01;
  const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  const unsigned char* name = getString != nullptr ? getString(kGlRenderer) : nullptr;
  if (name == nullptr) return false;
  const std::string rasteriser(reinterpret_cast<const char*>(name));
  for (const char* software : {"llvmpipe", "softpipe", "Software Rasterizer", "swrast"})
    if (rasteriser.find(software) != std::string::npos) return true;
  return false;
}

// SDL_RENDER_DRIVER names the renderer the player wants, whatever it costs.
bool rendererChosenByUser() {
  const char* driver = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
  return driver != nullptr && *driver != '\0';
}

bool hasDisplay() {
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
}

}  // namespace

LaunchSettings& launchSettings() {
  static LaunchSettings settings;
  return settings;
}

struct Window::Backend {
  bool sdlStarted = false;
  SDL_Window* window = nullptr;
  bool offscreen = false;  // no display: SDL's offscreen (or dummy) video
  bool software = false;
  bool keepLastFrame = false;
  Bitmap lastFrame;
  std::unordered_map<SDL_JoystickID, SDL_GameController*> controllers;

  ~Backend() {
    for (auto& [id, controller] : controllers) SDL_GameControllerClose(controller);
    if (window != nullptr) SDL_DestroyWindow(window);
    if (sdlStarted) SDL_QuitSubSystem(kSdlSystems);
  }

  void keepFrame(SDL_Renderer* renderer) {
    // Read before presenting: afterwards the back buffer's contents are undefined.
    int w = 0;
    int h = 0;
    SDL_GetRendererOutputSize(renderer, &w, &h);
    if (lastFrame.width() != w || lastFrame.height() != h) lastFrame.resize(w, h);
    if (SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, lastFrame.data(),
                             w * 4) == 0) {
      for (Color *p = lastFrame.data(), *end = p + static_cast<std::size_t>(w) * h; p != end; ++p)
        *p |= 0xff000000u;
    }
  }

  void addController(int deviceIndex) {
    SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
    if (controller == nullptr) return;
    const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
    if (controllers.count(id) != 0) {
      SDL_GameControllerClose(controller);
      return;
    }
    controllers[id] = controller;
  }

  void removeController(SDL_JoystickID id, Input& input) {
    auto it = controllers.find(id);
    if (it == controllers.end()) return;
    SDL_GameControllerClose(it->second);
    controllers.erase(it);
    if (controllers.empty()) {
      for (int b = button::kGamepadLeft; b < button::kGamepadButton0 + button::kGamepadButtonCount;
           ++b) {
        input.setDown(b, false);
      }
    }
  }

  // Every connected pad counts: whichever is pushed steers.
  void readControllers(Input& input) const {
    if (controllers.empty()) return;
    bool left = false, right = false, up = false, down = false;
    std::array<bool, button::kGamepadButtonCount> buttons{};
    for (const auto& [id, pad] : controllers) {
      const Sint16 x = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTX);
      const Sint16 y = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTY);
      left = left || x < -kStickThreshold ||
             SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_DPAD_LEFT) != 0;
      right = right || x > kStickThreshold ||
              SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT) != 0;
      up = up || y < -kStickThreshold ||
           SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_DPAD_UP) != 0;
      down = down || y > kStickThreshold ||
             SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN) != 0;
      for (int b = 0; b <= SDL_CONTROLLER_BUTTON_RIGHTSHOULDER; ++b) {
        buttons[static_cast<std::size_t>(b)] =
            buttons[static_cast<std::size_t>(b)] ||
            SDL_GameControllerGetButton(pad, static_cast<SDL_GameControllerButton>(b)) != 0;
      }
      constexpr std::size_t kLeftTrigger = button::kGamepadLeftTrigger - button::kGamepadButton0;
      constexpr std::size_t kRightTrigger = kLeftTrigger + 1;
      buttons[kLeftTrigger] =
          buttons[kLeftTrigger] ||
          SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERLEFT) > kStickThreshold;
      buttons[kRightTrigger] =
          buttons[kRightTrigger] ||
          SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT) > kStickThreshold;
    }
    report(input, button::kGamepadLeft, left);
    report(input, button::kGamepadRight, right);
    report(input, button::kGamepadUp, up);
    report(input, button::kGamepadDown, down);
    for (int b = 0; b < button::kGamepadButtonCount; ++b) {
      report(input, button::kGamepadButton0 + b, buttons[static_cast<std::size_t>(b)]);
    }
  }

  // A pad's button or direction that goes down counts as a press, like a key's, so a
  // "press a button" capture sees it.
  static void report(Input& input, int id, bool held) {
    if (held && !input.down(id)) {
      input.press(id);
    } else {
      input.setDown(id, held);
    }
  }

  // The platform's text input (and an input method's window) is on only while the game asks.
  void syncTextInput(const Input& input) {
    const bool wanted = input.textInputRequested();
    if (wanted == textInputOn) return;
    if (wanted) {
      SDL_StartTextInput();
    } else {
      SDL_StopTextInput();
    }
    textInputOn = wanted;
  }
  bool textInputOn = true;
};

Window::Window(int width, int height, bool fullscreen, double updateIntervalMs)
    : backend_(std::make_unique<Backend>()),
      updateIntervalMs_(updateIntervalMs),
      fullscreen_(fullscreen) {
  if (width <= 0 || height <= 0) throw std::runtime_error("the window needs a positive size");
  const LaunchSettings& launch = launchSettings();
  if (launch.headless) {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
  } else if (!hasDisplay()) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
  }
  if (SDL_InitSubSystem(kSdlSystems) != 0) {
    throw std::runtime_error(std::string("cannot start SDL video: ") + SDL_GetError());
  }
  backend_->sdlStarted = true;
  // SDL switches text input on with its video; the game asks for it only while a field is edited.
  backend_->syncTextInput(Input());
  const char* driver = SDL_GetCurrentVideoDriver();
  const std::string videoDriver = driver != nullptr ? driver : "";
  backend_->offscreen = videoDriver == "offscreen" || videoDriver == "dummy";
  backend_->software = backend_->offscreen;

  // The software renderer draws straight into the window's memory, which goes to the display
  // as it is. Otherwise SDL hands those pixels through an OpenGL texture, uploaded and drawn
  // again every frame (on a machine without a GPU, by a software OpenGL: most of the frame's
  // cost), and without a display it loads EGL for nothing.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  Uint32 flags = SDL_WINDOW_HIDDEN;
  if (fullscreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
  backend_->window =
      SDL_CreateWindow("", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height, flags);
  if (backend_->window == nullptr) {
    throw std::runtime_error(std::string("cannot open the window: ") + SDL_GetError());
  }
  SDL_Renderer* renderer = nullptr;
  if (!backend_->software) {
    renderer = SDL_CreateRenderer(backend_->window, -1, SDL_RENDERER_ACCELERATED);
    if (renderer != nullptr && rasterisesInSoftware(renderer) && !rendererChosenByUser()) {
      SDL_DestroyRenderer(renderer);
      renderer = nullptr;
    }
  }
  if (renderer == nullptr) {
    renderer = SDL_CreateRenderer(backend_->window, -1, SDL_RENDERER_SOFTWARE);
    backend_->software = true;
  }
  if (renderer == nullptr) {
    throw std::runtime_error(std::string("cannot create a renderer: ") + SDL_GetError());
  }
  // The game always draws in window pixels; fullscreen scales them to the screen, and SDL maps
  // mouse positions back to the same logical pixels.
  SDL_RenderSetLogicalSize(renderer, width, height);
  graphics_ = std::make_unique<Graphics>(width, height);
  graphics_->setBackend(std::make_unique<Graphics::Backend>(renderer));
  input_ = std::make_unique<Input>();
  audio_ = std::make_unique<Audio>();
  backend_->keepLastFrame = !launch.screenshotPath.empty();
}

Window::~Window() {
  // Textures and the renderer before the window they draw into.
  if (graphics_) graphics_->setBackend(nullptr);
}

bool Window::textInputActive() const {
  return backend_->textInputOn;
}

bool Window::headless() const {
  return backend_->offscreen;
}

std::string Window::rendererName() const {
  const Graphics::Backend* graphicsBackend = graphics_->backend();
  SDL_RendererInfo info{};
  if (graphicsBackend == nullptr || SDL_GetRendererInfo(graphicsBackend->renderer, &info) != 0)
    return "";
  return info.name != nullptr ? info.name : "";
}

void Window::setCaption(const std::wstring& caption) {
  caption_ = caption;
  SDL_SetWindowTitle(backend_->window, narrow(caption).c_str());
}

void Window::setFullscreen(bool fullscreen) {
  if (SDL_SetWindowFullscreen(backend_->window, fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) ==
      0) {
    fullscreen_ = fullscreen;
  }
}

Window::Size Window::screenSize() const {
  SDL_DisplayMode mode{};
  const int display = SDL_GetWindowDisplayIndex(backend_->window);
  if (display >= 0 && SDL_GetDesktopDisplayMode(display, &mode) == 0 && mode.w > 0 && mode.h > 0) {
    return {mode.w, mode.h};
  }
  return {graphics_->width(), graphics_->height()};
}

void Window::setSystemPointerShown(bool shown) {
  SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE);
}

void Window::close() {
  closed_ = true;
}

void Window::setKeepLastFrame(bool keep) {
  backend_->keepLastFrame = keep;
  if (!keep) backend_->lastFrame = Bitmap();
}

const Bitmap& Window::lastFrame() const {
  return backend_->lastFrame;
}

void Window::saveScreenshot(const std::string& path) const {
  if (backend_->lastFrame.width() == 0) {
    throw std::runtime_error("cannot save the screenshot \"" + path + "\": no frame was kept");
  }
  backend_->lastFrame.savePng(path);
}

void Window::pollEvents() {
  Input& input = *input_;
  SDL_Event event;
  while (SDL_PollEvent(&event) != 0) {
    switch (event.type) {
      case SDL_QUIT:
        notifyCloseRequested();
        break;
      case SDL_KEYDOWN:
      case SDL_KEYUP:
        if (event.type == SDL_KEYDOWN) {
          input.press(buttonForScancode(event.key.keysym.scancode));
        } else {
          input.release(buttonForScancode(event.key.keysym.scancode));
        }
        break;
      case SDL_TEXTINPUT:
        input.typeText(event.text.text);
        break;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP:
        input.setMouse(event.button.x, event.button.y);
        if (event.type == SDL_MOUSEBUTTONDOWN) {
          input.press(buttonForMouse(event.button.button));
        } else {
          input.release(buttonForMouse(event.button.button));
        }
        break;
      case SDL_MOUSEMOTION:
        input.setMouse(event.motion.x, event.motion.y);
        break;
      case SDL_MOUSEWHEEL: {
        int notches = event.wheel.y;
        if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) notches = -notches;
        if (notches > 0) input.setDown(button::kWheelUp, true);
        if (notches < 0) input.setDown(button::kWheelDown, true);
        break;
      }
      case SDL_CONTROLLERDEVICEADDED:
        backend_->addController(event.cdevice.which);
        break;
      case SDL_CONTROLLERDEVICEREMOVED:
        backend_->removeController(event.cdevice.which, input);
        break;
      case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) notifyFocusLost();
        break;
      default:
        break;
    }
  }
  backend_->readControllers(input);
}

void Window::notifyFocusLost() {
  // Keys released while another window has the focus never send their release here.
  input_->releaseAll();
  focusLost();
}

void Window::showNotice(const std::wstring& text, double seconds) {
  notice_ = text;
  noticeFrames_ = std::max(1L, std::lround(seconds * 1000.0 / updateIntervalMs_));
}

void Window::setNoticeStyle(NoticeStyle style) {
  noticeStyle_ = std::move(style);
  noticeFont_.reset();
  noticeFontFailed_ = false;
}

void Window::handleWindowKeys() {
  const bool fullscreenKey = input_->down(button::kF11);
  const bool screenshotKey = input_->down(button::kF12);
  if (fullscreenKey && !fullscreenKeyHeld_) setFullscreen(!fullscreen_);
  if (screenshotKey && !screenshotKeyHeld_) screenshotRequested_ = true;
  fullscreenKeyHeld_ = fullscreenKey;
  screenshotKeyHeld_ = screenshotKey;
}

void Window::saveRequestedScreenshot() {
  screenshotRequested_ = false;
  try {
    const std::string folder = userFolders().screenshotsFolder();
    std::string error;
    if (!ensureFolder(folder, &error)) throw std::runtime_error(error);
    const auto now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    const std::string path = screenshotFileName(folder, static_cast<long long>(now));
    saveScreenshot(path);
    lastScreenshot_ = path;
    showNotice(L"Screenshot saved to " + widen(path));
  } catch (const std::exception& error) {
    // A full disk or a read-only folder must not end the game.
    showNotice(L"Cannot save the screenshot: " + widen(error.what()), 4.0);
  }
  if (!backend_->keepLastFrame) backend_->lastFrame = Bitmap();
}

void Window::drawNotice() {
  if (noticeFrames_ <= 0) return;
  --noticeFrames_;
  if (!noticeFont_ && !noticeFontFailed_) {
    try {
      noticeFont_ =
          std::make_unique<Font>(*graphics_, noticeStyle_.fontFamily, noticeStyle_.height);
    } catch (const std::exception&) {
      noticeFontFailed_ = true;  // without a font the notice is simply not shown
    }
  }
  if (!noticeFont_) return;
  const double x = 10;
  const double y = graphics_->height() - noticeStyle_.height - 10;
  noticeFont_->draw(notice_, x + 1, y + 1, kNoticeZ, 1, 1, noticeStyle_.shadow);
  noticeFont_->draw(notice_, x, y, kNoticeZ, 1, 1, noticeStyle_.color);
}

void Window::runUpdates(int updates) {
  for (int done = 0; done < updates && !closed_; ++done) {
    if (done > 0 && !catchesUp()) break;
    update();
    ++timing_.updates;
  }
}

void Window::tick(int updates) {
  CostLaps laps;
  pollEvents();
  handleWindowKeys();
  runUpdates(updates);
  laps.lap(cost_.update);
  draw();
  // The notice is drawn after the frame that a screenshot captures, never into it.
  if (!screenshotRequested_) drawNotice();
  laps.lap(cost_.draw);
  Graphics::Backend* graphicsBackend = graphics_->backend();
  SDL_Renderer* renderer = graphicsBackend != nullptr ? graphicsBackend->renderer : nullptr;
  if (renderer != nullptr) {
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
  }
  graphics_->flush();
  // The renderer batches its work until asked; the present should only present.
  if (renderer != nullptr) SDL_RenderFlush(renderer);
  if (renderer != nullptr && (backend_->keepLastFrame || screenshotRequested_))
    backend_->keepFrame(renderer);
  laps.lap(cost_.render);
  if (renderer != nullptr) SDL_RenderPresent(renderer);
  laps.lap(cost_.present);
  if (screenshotRequested_) saveRequestedScreenshot();
  backend_->syncTextInput(*input_);
  input_->endFrame();
  ++frames_;
}

void Window::show() {
  const LaunchSettings& launch = launchSettings();
  SDL_ShowWindow(backend_->window);
  using Clock = FramePacer::Clock;
  FrameClock& clock = frameClock_ != nullptr ? *frameClock_ : steadyFrameClock();
  const auto interval = std::chrono::duration_cast<FramePacer::Duration>(
      std::chrono::duration<double, std::milli>(updateIntervalMs_));
  FramePacer pacer(interval, kMaxUpdatesPerFrame);
  timing_ = FrameTiming{};
  double sum = 0, sumSquares = 0;
  Clock::time_point previousStart{};
  long shown = 0;
  pacer.start(clock.now());
  while (!closed_) {
    if (!launch.unthrottled) clock.sleepUntil(pacer.deadline());
    const Clock::time_point start = clock.now();
    // Unthrottled runs are simulations: one update per frame whatever the time, so the Nth
    // frame always shows the same state.
    const int updates = launch.unthrottled ? 1 : pacer.frameBegun(start);
    if (shown > 0) {
      const double ms = std::chrono::duration<double, std::milli>(start - previousStart).count();
      if (timing_.intervals == 0 || ms < timing_.minMs) timing_.minMs = ms;
      if (timing_.intervals == 0 || ms > timing_.maxMs) timing_.maxMs = ms;
      ++timing_.intervals;
      sum += ms;
      sumSquares += ms * ms;
    }
    previousStart = start;
    tick(updates);
    ++shown;
    if (launch.maxFrames >= 0 && shown >= launch.maxFrames) closed_ = true;
  }
  if (timing_.intervals > 0) {
    const auto n = static_cast<double>(timing_.intervals);
    timing_.meanMs = sum / n;
    timing_.stddevMs = std::sqrt(std::max(0.0, sumSquares / n - timing_.meanMs * timing_.meanMs));
  }
  timing_.resyncs = pacer.resyncs();
  SDL_HideWindow(backend_->window);
  if (!launch.screenshotPath.empty()) saveScreenshot(launch.screenshotPath);
}

}  // namespace platform
