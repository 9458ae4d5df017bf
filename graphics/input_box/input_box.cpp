// input_box(): the caller's side of the input box. The box is made, drawn and
// run on the UI thread; the caller waits for its outcome without holding the UI
// thread, which meanwhile keeps the graphics window painted.
#include <korvi/graphics.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <exception>
#include <future>
#include <memory>
#include <mutex>

#include "input_box/edit_text.h"
#include "input_box/input_box_dialog.h"
#include "input_box/running_box.h"
#include "screen/graphics_window.h"
#include "state/graphics_library.h"
#include "window/dialog_window.h"
#include "window/native_window.h"
#include "window/ui_thread.h"

#ifdef __EMSCRIPTEN__
#include "web/browser_wait.h"
#endif

namespace korvi {
namespace {

// One box at a time: set while a box is being made, shown or taken down.
std::atomic<bool> g_box_showing{false};
// The box that shows, and its window's id: UI thread only, and for the tests' look.
dialog::InputBoxDialog* g_running_box = nullptr;
std::atomic<std::uint32_t> g_running_box_id{0};

void report_no_display(const std::string& reason) {
  static std::once_flag once;
  std::call_once(once, [&] {
    std::fprintf(stderr, "korvi: cannot show the input box: %s\n", reason.c_str());
  });
}

// The title a box without one takes: its owner's caption, else the program's name.
std::string owner_caption(const window::NativeWindow* owner) {
  if (owner) {
    std::string caption = window::window_title(owner);
    if (!caption.empty()) return caption;
  }
  return program_name();
}

struct ShowingGuard {
  ~ShowingGuard() { g_box_showing.store(false); }
};

}  // namespace

namespace dialog {

std::uint32_t running_box_window_id() { return g_running_box_id.load(); }

std::optional<BoxLayout> running_box_layout() {
  if (!g_box_showing.load()) return std::nullopt;
  std::optional<BoxLayout> layout;
  library().ui_thread().call([&] {
    if (g_running_box) layout = g_running_box->layout();
  });
  return layout;
}

raster::Surface running_box_picture() {
  if (!g_box_showing.load()) return {};
  raster::Surface picture;
  library().ui_thread().call([&] {
    if (g_running_box) picture = g_running_box->picture();
  });
  return picture;
}

}  // namespace dialog

namespace {

// The graphics window, when open, owns the box: it takes no input while the box
// shows, and has the focus back afterwards.
class OwnerDisabled {
 public:
  explicit OwnerDisabled(window::NativeWindow* owner) : m_owner(owner) {
    if (m_owner) m_owner->set_input_enabled(false);
  }
  ~OwnerDisabled() {
    if (!m_owner) return;
    m_owner->set_input_enabled(true);
    if (m_focus) m_owner->focus();
  }
  OwnerDisabled(const OwnerDisabled&) = delete;
  OwnerDisabled& operator=(const OwnerDisabled&) = delete;
  // The box was shown: the owner takes the focus back when it is gone.
  void focus_afterwards() { m_focus = true; }

 private:
  window::NativeWindow* m_owner;
  bool m_focus = false;
};

// Shows the box over its owner and waits for its outcome; the box is taken down
// on the UI thread before this returns. Throws when the box cannot be made.
dialog::BoxOutcome run_box(window::UiThread& ui, dialog::BoxRequest& request, const char* title,
                           window::NativeWindow* owner) {
  std::unique_ptr<dialog::InputBoxDialog> box;
  const auto take_down = [&] {
    ui.call([&] {
      g_running_box_id.store(0);
      g_running_box = nullptr;
      box.reset();
    });
  };
  std::future<dialog::BoxOutcome> outcome;
  try {
    ui.call([&] {
      request.title = dialog::valid_utf8(title ? std::string(title) : owner_caption(owner));
      box = std::make_unique<dialog::InputBoxDialog>(ui, library().ui_font_cache(), request, owner);
      outcome = box->outcome();
      g_running_box = box.get();
      g_running_box_id.store(box->window_id());
    });
  } catch (...) {
    if (box) take_down();
    throw;
  }
#ifdef __EMSCRIPTEN__
  // In a page the box runs while the caller gives the browser its turns.
  web::wait_in_browser(
      [&] { return outcome.wait_for(std::chrono::seconds(0)) == std::future_status::ready; });
#endif
  dialog::BoxOutcome text = outcome.get();
  take_down();
  return text;
}

}  // namespace

bool input_box(char* buffer, int size, const char* prompt, const char* title,
               const char* default_text, int width, int height, bool only_ok) {
  if (!buffer || size < 1) {
    std::fprintf(stderr, "korvi: input_box: the buffer must hold at least one byte\n");
    return false;
  }
  GraphicsLibrary& lib = library();
  window::UiThread& ui = lib.ui_thread();
  if (ui.on_ui_thread()) {
    // The UI thread would wait for itself.
    std::fprintf(stderr, "korvi: input_box cannot be called from the window thread\n");
    return false;
  }
  if (!ui.available()) {
    report_no_display(ui.error());
    return false;
  }
  if (g_box_showing.exchange(true)) return false;
  const ShowingGuard guard;

  dialog::BoxRequest request;
  request.prompt = prompt ? prompt : "";
  request.default_text = default_text ? default_text : "";
  request.width = width;
  request.height = height;
  request.only_ok = only_ok;
  request.byte_limit = static_cast<std::size_t>(size) - 1;

  OwnerDisabled owner(lib.graphics_window.native_window());
  dialog::BoxOutcome text;
  try {
    text = run_box(ui, request, title, lib.graphics_window.native_window());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "korvi: cannot show the input box: %s\n", error.what());
    return false;
  }
  owner.focus_afterwards();
  if (!text) return false;
  // The edit field never holds more than size - 1 bytes.
  const std::size_t length = std::min(text->size(), request.byte_limit);
  std::memcpy(buffer, text->data(), length);
  buffer[length] = '\0';
  return true;
}

}  // namespace korvi
