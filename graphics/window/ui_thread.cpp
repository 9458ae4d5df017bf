#include "ui_thread.h"

#include <glob.h>

#include <cstdlib>
#include <cstring>
#include <future>
#include <vector>

#include "auto_reset_event.h"
#include "desktop_scale.h"
#include "display_loss.h"
#include "sdl_api.h"
#include "wayland_probe.h"
#include "x11_error_filter.h"

namespace korvi::window {
namespace {

// Loaded before the thread starts using it (see the constructor).
const SdlApi& api() { return *sdl(); }

// The video driver to start: the one the environment asks for, else X11 where
// there is an X display (Wayland desktops run one for older programs too), else
// Wayland; empty without a display.
std::string driver_to_start() {
  if (const char* asked = std::getenv("SDL_VIDEODRIVER"); asked && *asked) return asked;
  if (std::getenv("DISPLAY")) return "x11";
  if (std::getenv("WAYLAND_DISPLAY")) return "wayland";
  return {};
}

// Whether libdecor (which draws Wayland windows' frames for SDL) has a plugin to
// draw them with. Without one it falls back to frameless windows, says so on
// standard error, and its fallback has crashed the windowing system when a second
// window opened after a first had closed; SDL's own frameless windows are then the
// same without either.
bool window_frames_drawable() {
  std::vector<std::string> patterns = {"/usr/lib/*/libdecor/plugins-1/*.so",
                                       "/usr/lib/libdecor/plugins-1/*.so"};
  if (const char* dir = std::getenv("LIBDECOR_PLUGIN_DIR"))
    patterns.push_back(std::string(dir) + "/*.so");
  for (const std::string& pattern : patterns) {
    glob_t found{};
    const bool any = glob(pattern.c_str(), 0, nullptr, &found) == 0 && found.gl_pathc > 0;
    globfree(&found);
    if (any) return true;
  }
  return false;
}

}  // namespace

UiThread::UiThread() {
  AutoResetEvent started;
  if (!sdl()) {
    m_error = std::string("cannot load the windowing system: ") + sdl_load_error();
    return;
  }
  // Without a display named in the environment there is nothing to try (and the
  // windowing system's own attempts would only print their complaints).
  const std::string driver = driver_to_start();
  if (driver.empty()) {
    m_error = "no display to show windows on (neither DISPLAY nor WAYLAND_DISPLAY is set)";
    return;
  }
  const bool asked = std::getenv("SDL_VIDEODRIVER") && *std::getenv("SDL_VIDEODRIVER");
  // The windowing system crashes while starting on some Wayland compositors: find
  // that out in a child process, where a crash takes nothing down.
  if (driver == "wayland") {
    if (std::string crashed = probe_wayland(); !crashed.empty()) {
      m_error = "cannot start the windowing system: " + crashed;
      return;
    }
  }
  m_thread = std::thread([this, &started, driver, asked] {
    // The program decides what Ctrl+C does; the windowing system must not.
    api().SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    api().SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // Windows show our own pixels through a renderer (presenter.h); the window
    // framebuffer SDL would make of an accelerated renderer is not wanted.
    api().SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (!asked) api().SDL_SetHint(SDL_HINT_VIDEODRIVER, driver.c_str());
    if (driver == "x11") ignore_sends_to_destroyed_windows();
    if (driver == "wayland" && !window_frames_drawable())
      api().SDL_SetHint(SDL_HINT_VIDEO_WAYLAND_ALLOW_LIBDECOR, "0");
    if (api().SDL_Init(SDL_INIT_VIDEO) != 0) {
      m_error = std::string("cannot start the windowing system: ") + api().SDL_GetError();
      started.signal();
      return;
    }
    // Without a display the windowing system falls back to drivers that show
    // nothing; a window there is no window, unless a program asked for one.
    const char* running = api().SDL_GetCurrentVideoDriver();
    m_driver = running ? running : "";
    if ((m_driver == "offscreen" || m_driver == "dummy") && !(asked && driver == m_driver)) {
      m_error = "no display to show windows on";
      api().SDL_Quit();
      started.signal();
      return;
    }
    if (m_driver == "x11") end_process_on_display_loss();
    m_user_event = api().SDL_RegisterEvents(2);
    if (m_user_event == static_cast<std::uint32_t>(-1)) {
      m_error = "no user events left";
      api().SDL_Quit();
      started.signal();
      return;
    }
    m_scale = window_scale(m_driver, m_driver == "wayland" ? wayland_output_scale() : 1);
    m_available = true;
    started.signal();
    run();
    api().SDL_Quit();
  });
  started.wait();
  if (!m_available) m_thread.join();
}

UiThread::~UiThread() {
  if (!m_available) return;
  if (on_ui_thread()) {
    // The process ends from the UI thread itself (a fatal error of the
    // windowing system calls exit there): it cannot wait for itself.
    m_thread.detach();
    return;
  }
  {
    std::lock_guard lock(m_mutex);
    m_stopping = true;
    wake();
    m_task_queued.notify_one();
  }
  m_thread.join();
}

void UiThread::call(const std::function<void()>& task) {
  if (!m_available || on_ui_thread()) {
    task();
    return;
  }
  std::promise<void> done;
  std::future<void> finished = done.get_future();
  post([&] {
    try {
      task();
      done.set_value();
    } catch (...) {
      done.set_exception(std::current_exception());
    }
  });
  finished.get();
}

void UiThread::post(std::function<void()> task) {
  // The wake-up is queued under the lock: a UI thread that sees the task finds its
  // wake-up among the events. The notification is sent under it too: once the UI
  // thread has taken the task, the poster no longer touches this object, which the
  // task may end up destroying.
  std::lock_guard lock(m_mutex);
  m_tasks.push_back(std::move(task));
  wake();
  m_task_queued.notify_one();
}

void UiThread::add_handler(std::uint32_t window_id, EventHandler* handler) {
  m_handlers[window_id] = handler;
}

void UiThread::remove_handler(std::uint32_t window_id) { m_handlers.erase(window_id); }

void UiThread::push_window_event(std::uint32_t window_id, int code) {
  SDL_Event event{};
  event.type = m_user_event + 1;
  event.user.windowID = window_id;
  event.user.code = code;
  api().SDL_PushEvent(&event);
}

void UiThread::wake() {
  SDL_Event event{};
  event.type = m_user_event;
  api().SDL_PushEvent(&event);
}

void UiThread::run() {
  for (;;) {
    SDL_Event event;
    if (m_handlers.empty()) {
      // No window: nothing but a request can come, and the windowing system's
      // own wait would poll every millisecond. Sleep until a request is queued.
      {
        std::unique_lock lock(m_mutex);
        m_task_queued.wait(lock, [this] { return !m_tasks.empty() || m_stopping; });
      }
      if (!api().SDL_PollEvent(&event)) continue;
    } else if (!api().SDL_WaitEvent(&event)) {
      continue;
    }
    if (event.type == m_user_event) {
      if (!run_next_task()) return;
      continue;
    }
    // The Wayland driver's word that the compositor is gone (nothing else sends
    // it here: signal handlers and the last window's close do not).
    if (event.type == SDL_QUIT && m_driver == "wayland") end_process_display_lost();
    dispatch(event);
  }
}

bool UiThread::run_next_task() {
  std::function<void()> task;
  {
    std::lock_guard lock(m_mutex);
    if (m_tasks.empty()) return !m_stopping;
    task = std::move(m_tasks.front());
    m_tasks.pop_front();
  }
  task();
  return true;
}

void UiThread::dispatch(const SDL_Event& event) {
  std::uint32_t window_id = 0;
  switch (event.type) {
    case SDL_WINDOWEVENT: window_id = event.window.windowID; break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: window_id = event.key.windowID; break;
    case SDL_TEXTINPUT: window_id = event.text.windowID; break;
    case SDL_TEXTEDITING: window_id = event.edit.windowID; break;
    case SDL_MOUSEMOTION: window_id = event.motion.windowID; break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: window_id = event.button.windowID; break;
    case SDL_MOUSEWHEEL: window_id = event.wheel.windowID; break;
    default:
      if (event.type == m_user_event + 1)
        window_id = event.user.windowID;
      else
        return;
  }
  const auto found = m_handlers.find(window_id);
  if (found != m_handlers.end()) found->second->handle_event(event);
}

}  // namespace korvi::window
