#include "platform/Window.h"

#include <SDL.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <thread>
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
// Frames later than this are not caught up; the schedule starts again from the present.
constexpr int kMaxLagFrames = 5;
// The notice sits above everything the game draws.
constexpr double kNoticeZ = 1e9;

// The letters by their Windows scan codes, A to Z: a key stored in the settings may be any of
// them.
constexpr int kLetterButtons[26] = {30, 48, 46, 32, 18, 33, 34, 35, 23, 36, 37, 38, 50,
                                    49, 24, 25, 16, 19, 31, 20, 22, 47, 17, 45, 21, 44};

int buttonForScancode(SDL_Scancode code) {
  if (code >= SDL_SCANCODE_A && code <= SDL_SCANCODE_Z)
    return kLetterButtons[code - SDL_SCANCODE_A];
  // The digits 1 .. 9 and 0 follow each other from 2.
  if (code >= SDL_SCANCODE_1 && code <= SDL_SCANCODE_0) return 2 + (code - SDL_SCANCODE_1);
  switch (code) {
    case SDL_SCANCODE_MINUS:
      return button::kMinus;
    case SDL_SCANCODE_EQUALS:
      return button::kEquals;
    case SDL_SCANCODE_KP_MINUS:
      return button::kKeypadMinus;
    case SDL_SCANCODE_KP_PLUS:
      return button::kKeypadPlus;
    case SDL_SCANCODE_ESCAPE:
      return button::kEscape;
    case SDL_SCANCODE_BACKSPACE:
      return button::kBackspace;
    case SDL_SCANCODE_SPACE:
      return button::kSpace;
    case SDL_SCANCODE_F11:
      return button::kF11;
    case SDL_SCANCODE_F12:
      return button::kF12;
    case SDL_SCANCODE_UP:
      return button::kUp;
    case SDL_SCANCODE_DOWN:
      return button::kDown;
    case SDL_SCANCODE_LEFT:
      return button::kLeft;
    case SDL_SCANCODE_RIGHT:
      return button::kRight;
    case SDL_SCANCODE_PAGEUP:
      return button::kPageUp;
    case SDL_SCANCODE_PAGEDOWN:
      return button::kPageDown;
    default:
      return -1;
  }
}

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
      for (int b : {button::kGamepadLeft, button::kGamepadRight, button::kGamepadUp,
                    button::kGamepadDown, button::kGamepadButton0}) {
        input.setDown(b, false);
      }
    }
  }

  // Every connected pad counts: whichever is pushed steers.
  void readControllers(Input& input) const {
    if (controllers.empty()) return;
    bool left = false, right = false, up = false, down = false, button0 = false;
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
      button0 = button0 || SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_A) != 0;
    }
    input.setDown(button::kGamepadLeft, left);
    input.setDown(button::kGamepadRight, right);
    input.setDown(button::kGamepadUp, up);
    input.setDown(button::kGamepadDown, down);
    input.setDown(button::kGamepadButton0, button0);
  }
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
  const char* driver = SDL_GetCurrentVideoDriver();
  const std::string videoDriver = driver != nullptr ? driver : "";
  backend_->offscreen = videoDriver == "offscreen" || videoDriver == "dummy";
  backend_->software = backend_->offscreen;

  if (backend_->software) {
    // Draw straight into the window's memory. Otherwise SDL tries GPU drivers for the window
    // surface first, which loads EGL for nothing on a machine without a display.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  }
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

bool Window::headless() const {
  return backend_->offscreen;
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

void Window::tick() {
  pollEvents();
  handleWindowKeys();
  update();
  draw();
  // The notice is drawn after the frame that a screenshot captures, never into it.
  if (!screenshotRequested_) drawNotice();
  Graphics::Backend* graphicsBackend = graphics_->backend();
  SDL_Renderer* renderer = graphicsBackend != nullptr ? graphicsBackend->renderer : nullptr;
  if (renderer != nullptr) {
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
  }
  graphics_->flush();
  if (renderer != nullptr) {
    if (backend_->keepLastFrame || screenshotRequested_) {
      // Read before presenting: afterwards the back buffer's contents are undefined.
      int w = 0;
      int h = 0;
      SDL_GetRendererOutputSize(renderer, &w, &h);
      Bitmap& frame = backend_->lastFrame;
      if (frame.width() != w || frame.height() != h) frame.resize(w, h);
      if (SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, frame.data(), w * 4) ==
          0) {
        for (Color *p = frame.data(), *end = p + static_cast<std::size_t>(w) * h; p != end; ++p) {
          *p |= 0xff000000u;
        }
      }
    }
    SDL_RenderPresent(renderer);
  }
  if (screenshotRequested_) saveRequestedScreenshot();
  input_->endFrame();
  ++frames_;
}

void Window::show() {
  const LaunchSettings& launch = launchSettings();
  SDL_ShowWindow(backend_->window);
  using Clock = FramePacer::Clock;
  const auto interval = std::chrono::duration_cast<FramePacer::Duration>(
      std::chrono::duration<double, std::milli>(updateIntervalMs_));
  FramePacer pacer(interval, interval * kMaxLagFrames);
  timing_ = FrameTiming{};
  double sum = 0, sumSquares = 0;
  Clock::time_point previousStart{};
  long shown = 0;
  pacer.start(Clock::now());
  while (!closed_) {
    if (!launch.unthrottled) std::this_thread::sleep_until(pacer.deadline());
    const Clock::time_point start = Clock::now();
    pacer.frameBegun(start);
    if (shown > 0) {
      const double ms = std::chrono::duration<double, std::milli>(start - previousStart).count();
      if (timing_.intervals == 0 || ms < timing_.minMs) timing_.minMs = ms;
      if (timing_.intervals == 0 || ms > timing_.maxMs) timing_.maxMs = ms;
      ++timing_.intervals;
      sum += ms;
      sumSquares += ms * ms;
    }
    previousStart = start;
    tick();
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
