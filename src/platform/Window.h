#pragma once
#include <memory>
#include <string>

#include "platform/Audio.h"
#include "platform/Bitmap.h"
#include "platform/Color.h"
#include "platform/Graphics.h"
#include "platform/Input.h"

namespace platform {

class Font;

// How the process runs its window, set from the command line before the window is made.
struct LaunchSettings {
  bool headless = false;       // SDL's offscreen video and dummy audio, software renderer
  long maxFrames = -1;         // quit after this many frames; -1 runs until closed
  std::string screenshotPath;  // written with the last drawn frame, if set
  bool unthrottled = false;    // run frames as fast as possible (headless simulations)
};
LaunchSettings& launchSettings();

// How the window's notices look. The game hands its own; without it a notice is drawn in the
// system's sans-serif face, white.
struct NoticeStyle {
  std::string fontFamily = "sans-serif";
  int height = 18;  // pixels
  Color color = kWhite;
  Color shadow = 0xc0000000;
};

// How evenly show() ran its frames: the intervals between the starts of consecutive frames.
struct FrameTiming {
  long intervals = 0;
  double meanMs = 0;
  double minMs = 0;
  double maxMs = 0;
  double stddevMs = 0;
  long resyncs = 0;  // schedule restarts after a stall
  long updates = 0;  // updates run, caught-up ones included
};

class FrameClock;

// Processor time of the whole process (a renderer's own threads included) in each part of one
// frame, milliseconds; a frame of a 12-car race takes a few in all.
struct FrameCost {
  double update = 0;   // every update the frame ran
  double draw = 0;     // queueing the frame's drawing
  double render = 0;   // the renderer drawing the queue
  double present = 0;  // handing the picture to the screen
};

// A window with a fixed update interval: every frame calls update() and then draw(); the draw
// calls queued in draw() are flushed in ascending z at the end of the frame. When frames come
// late, a frame first runs the updates it missed (a few at most), so the game keeps real time.
class Window {
 public:
  Window(int width, int height, bool fullscreen, double updateIntervalMs);
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  virtual void update() {}
  virtual void draw() {}
  // Another window took the keyboard (the held keys have already been released). The game
  // pauses a running race here.
  virtual void focusLost() {}
  // Whether a late frame may run another update before drawing. A window whose update starts
  // something that must be seen first (a loading picture) says no for that moment.
  virtual bool catchesUp() const { return true; }
  // The player asked to close the window (its close button, the desktop's quit). True closes
  // it; false keeps it open, for instance to say first that something could not be saved, or
  // to ask about unsaved work and close() later.
  virtual bool closeRequested() { return true; }

  // Runs the frame loop until close() (or the platform closes the window).
  void show();
  // Runs exactly one frame: input, `updates` updates (fewer when catchesUp() says no), draw,
  // flush. For tests and tools.
  void tick(int updates = 1);
  void close();
  bool closed() const { return closed_; }

  void setCaption(const std::wstring& caption);
  const std::wstring& caption() const { return caption_; }
  double updateInterval() const { return updateIntervalMs_; }
  long frameCount() const { return frames_; }

  // The desktop's own mouse pointer over the window. The game hides it where it draws its own
  // (a race shows one only after the mouse moves).
  void setSystemPointerShown(bool shown);

  void setFullscreen(bool fullscreen);
  // The size of the screen the window is on, in pixels; the window's own size when the platform
  // cannot tell (no display).
  struct Size {
    int width = 0;
    int height = 0;
  };
  Size screenSize() const;
  bool fullscreen() const { return fullscreen_; }
  // The last drawn frame as a PNG. Frames are only kept while keepLastFrame is on (it is from
  // the start when LaunchSettings::screenshotPath is set). Throws std::runtime_error when no
  // frame was kept or the file cannot be written.
  void saveScreenshot(const std::string& path) const;
  void setKeepLastFrame(bool keep);
  // The last drawn frame at the renderer's output size; empty when none was kept.
  const Bitmap& lastFrame() const;
  // The window's own keys, which the game itself never reads: F11 switches between full screen
  // and a window, F12 saves the next drawn frame to the screenshots folder (see UserFolders)
  // and says where for two seconds. Both act once per press.
  const std::string& lastScreenshot() const { return lastScreenshot_; }
  // A short message drawn over the game (bottom left) for `seconds`.
  void showNotice(const std::wstring& text, double seconds = 2.0);
  void setNoticeStyle(NoticeStyle style);
  const std::wstring& notice() const { return notice_; }
  long noticeFramesLeft() const { return noticeFrames_; }
  // What the event loop does when another window takes the focus; tests call it to script that.
  void notifyFocusLost();
  // What the event loop does when the player closes the window; tests call it to script that.
  void notifyCloseRequested() {
    if (closeRequested()) closed_ = true;
  }

  // Whether the platform's text input is on (a text field has the focus).
  bool textInputActive() const;

  // Measured over the last show().
  const FrameTiming& frameTiming() const { return timing_; }
  // Measured over the last frame.
  const FrameCost& lastFrameCost() const { return cost_; }
  // The clock show() paces its frames by; the steady clock unless a test hands in its own,
  // which must outlive the window.
  void setFrameClock(FrameClock& clock) { frameClock_ = &clock; }
  // True without a display: SDL's offscreen video, drawn by the software renderer.
  bool headless() const;
  // The renderer drawing the frames, as SDL names it: "software", "opengl", "opengles2"...
  std::string rendererName() const;

  Graphics& graphics() { return *graphics_; }
  Input& input() { return *input_; }
  Audio& audio() { return *audio_; }

  struct Backend;

 private:
  void pollEvents();
  void handleWindowKeys();
  void saveRequestedScreenshot();
  void drawNotice();
  void runUpdates(int updates);

  std::unique_ptr<Backend> backend_;
  std::unique_ptr<Graphics> graphics_;
  std::unique_ptr<Input> input_;
  std::unique_ptr<Audio> audio_;
  std::wstring caption_;
  double updateIntervalMs_;
  bool fullscreen_;
  bool closed_ = false;
  long frames_ = 0;
  FrameTiming timing_;
  FrameCost cost_;
  FrameClock* frameClock_ = nullptr;
  bool fullscreenKeyHeld_ = false;
  bool screenshotKeyHeld_ = false;
  bool screenshotRequested_ = false;
  std::string lastScreenshot_;
  std::wstring notice_;
  long noticeFrames_ = 0;
  NoticeStyle noticeStyle_;
  std::unique_ptr<Font> noticeFont_;
  bool noticeFontFailed_ = false;
};

}  // namespace platform
