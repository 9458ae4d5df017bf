#include "screen/graphics_window.h"

#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <stdexcept>

#include "files/picture_codec.h"
#include "files/resources.h"
#include "state/graphics_library.h"
#include "state/image_impl.h"

namespace korvi {
namespace {

// The window's outer rectangle as a WindowHandle can name it.
WindowHandle handle_of(const window::NativeWindow* native) {
  return reinterpret_cast<WindowHandle>(const_cast<window::NativeWindow*>(native));
}

void flush_standard_output() { std::fflush(stdout); }

// Once per process: what a window changes for the whole program. Ctrl+C no longer
// ends it (the window's close box does), and the quick exit of the close box still
// writes out what the program printed.
void prepare_process_for_windows() {
  static std::once_flag once;
  std::call_once(once, [] { std::at_quick_exit(flush_standard_output); });
  std::signal(SIGINT, SIG_IGN);
}

void copy_rows(std::uint32_t* dst, int pitch, int width, int height, const raster::Surface& src) {
  const int shared_width = std::min(width, src.width());
  const int shared_height = std::min(height, src.height());
  for (int y = 0; y < height; ++y) {
    std::uint32_t* row = dst + static_cast<std::ptrdiff_t>(y) * pitch;
    int filled = 0;
    if (y < shared_height) {
      std::memcpy(row, src.row(y), static_cast<std::size_t>(shared_width) * sizeof *row);
      filled = shared_width;
    }
    std::fill(row + filled, row + width, 0u);
  }
}

std::optional<window::WindowOptions> window_options(int width, int height) {
  window::WindowOptions options;
  options.client_width = width;
  options.client_height = height;
  options.title = program_name();
  if (const auto icon = first_resource_of_type("ICON")) {
    if (auto picture = decode_picture(*icon)) {
      options.icon_width = picture->width;
      options.icon_height = picture->height;
      options.icon_pixels = std::move(picture->pixels);
    }
  }
  return options;
}

}  // namespace

std::string program_name() {
  char path[4096];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  std::string name = length > 0 ? std::string(path, static_cast<std::size_t>(length)) : "korvi";
  if (const std::size_t slash = name.rfind('/'); slash != std::string::npos)
    name.erase(0, slash + 1);
  if (const std::size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0) name.erase(dot);
  return name;
}

namespace {

// The window's picture is made by the library object itself, so it does not ask
// for the library as other images do, and is never forgotten as a target.
std::unique_ptr<Image::Impl> untracked_impl() {
  auto impl = std::make_unique<Image::Impl>();
  impl->tracked = false;
  return impl;
}

}  // namespace

GraphicsWindow::GraphicsWindow() : Image(untracked_impl()) {}

GraphicsWindow::~GraphicsWindow() { close(); }

raster::Surface& GraphicsWindow::back_buffer() { return impl_of(*this).surface; }

void GraphicsWindow::reset_state() {
  Image::reset_state();
  apply_default_dc_settings(m_window_dc, impl_of(*this).state);
}

void GraphicsWindow::resize(int width, int height) {
  GraphicsLibrary& lib = library();
  {
    std::lock_guard lock(lib.drawing_lock);
    Image::resize(width, height);
  }
  if (!m_native || width <= 0 || height <= 0) return;
  const window::OuterRect old = m_native->outer_rect();
  m_native->set_outer_size(width, height);
  if (width > old.right - old.left + 1 && height > old.bottom - old.top + 1 &&
      lib.current_device == &lib.screen_device)
    lib.screen_device.flush_batch();
}

WindowHandle GraphicsWindow::open(int width, int height, int flags) {
  (void)flags;  // where the terminal is cannot be known: the system places the window
  close();
  prepare_process_for_windows();
  GraphicsLibrary& lib = library();
  if (width > 0 && height > 0) {
    std::lock_guard lock(lib.drawing_lock);
    Image::resize(width, height);
    try {
      m_window_picture = raster::Surface(width, height);
    } catch (const std::exception&) {
      m_window_picture = raster::Surface();
    }
    m_window_dc.bind(&m_window_picture);
    m_matches_buffer = true;
  }
  try {
    if (width <= 0 || height <= 0) throw std::runtime_error("the size must be at least 1 by 1");
    auto options = window_options(width, height);
    window::WindowClient& client = *this;
    m_native = std::make_unique<window::NativeWindow>(lib.ui_thread(), client, *options);
  } catch (const std::exception& error) {
    m_native.reset();
    if (!m_reported_failure)
      std::fprintf(stderr, "korvi: cannot open the graphics window: %s\n", error.what());
    m_reported_failure = true;
  }
  return handle();
}

void GraphicsWindow::close() {
  m_native.reset();
  m_mouse_waiting.store(false);
}

WindowHandle GraphicsWindow::handle() const { return handle_of(m_native.get()); }

bool GraphicsWindow::move(int x, int y, int width, int height) {
  if (!m_native) return false;
  m_native->set_outer_rect(x, y, width, height);
  return true;
}

void GraphicsWindow::separate_window_picture() {
  if (!m_matches_buffer) return;
  copy_buffer_to_window();
  m_matches_buffer = false;
}

void GraphicsWindow::copy_buffer_to_window() {
  if (m_window_picture.empty()) return;
  if (m_window_picture.width() > width() || m_window_picture.height() > height())
    m_window_picture.fill(0);
  raster::copy_pixels(m_window_picture, {0, 0}, back_buffer(), back_buffer().bounds());
}

void GraphicsWindow::show_whole_buffer() {
  if (library().batch_drawing.load())
    copy_buffer_to_window();
  else
    m_matches_buffer = true;
}

void GraphicsWindow::copy_buffer_to_window(const raster::Rect& device_box) {
  if (m_matches_buffer || m_window_picture.empty()) return;
  raster::copy_pixels(m_window_picture, {device_box.left, device_box.top}, back_buffer(),
                      device_box);
}

void GraphicsWindow::show_soon() {
  if (m_native) m_native->request_present();
}

raster::Surface GraphicsWindow::window_picture() {
  std::lock_guard lock(library().drawing_lock);
  const raster::Surface& shown = m_matches_buffer ? back_buffer() : m_window_picture;
  raster::Surface copy(shown.width(), shown.height());
  raster::copy_pixels(copy, {0, 0}, shown, shown.bounds());
  return copy;
}

MouseMessage GraphicsWindow::wait_for_mouse_message() {
  if (!m_native) return {};
  if (m_mouse.is_empty()) {
    m_event.reset();
    // Handled on the UI thread in order with the mouse events: a message recorded
    // before this request is seen here, one recorded after it signals the event.
    library().ui_thread().call([this] {
      if (!m_mouse.is_empty())
        m_event.signal();
      else
        m_mouse_waiting.store(true);
    });
    m_event.wait();
  }
  const MouseMessage message = m_mouse.peek();
  m_mouse.pop();
  return message;
}

void GraphicsWindow::paint(std::uint32_t* dst, int pitch, int width, int height) {
  std::lock_guard lock(library().drawing_lock);
  copy_rows(dst, pitch, width, height, m_matches_buffer ? back_buffer() : m_window_picture);
}

void GraphicsWindow::exposed() {
  // A repaint shows the whole back buffer, in batch mode too.
  std::lock_guard lock(library().drawing_lock);
  show_whole_buffer();
}

void GraphicsWindow::key_pressed(int key) { m_keys.push(key); }

void GraphicsWindow::mouse_message(const MouseMessage& message) {
  m_mouse.push(message);  // dropped when the queue is full
  if (m_mouse_waiting.exchange(false)) m_event.signal();
}

void GraphicsWindow::close_requested() {
  // The close box ends the program at once, with status 0: no exit-time handlers,
  // only what was registered for a quick exit (output flushed, terminal restored).
  std::quick_exit(0);
}

}  // namespace korvi
