#include "screen/graphics_window.h"

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
#include "window/window_class.h"

namespace korvi {
namespace {

// A handle no earlier window had: the windows are numbered from 1. Handles are
// never dereferenced.
WindowHandle next_handle() {
  static std::atomic<std::uintptr_t> opened{0};
  return reinterpret_cast<WindowHandle>(opened.fetch_add(1) + 1);
}

// Once per process: what a window changes for the whole program. Ctrl+C no longer
// ends it (the window's close box does), and the quick exit of the close box still
// writes out what the program printed.
void prepare_process_for_windows() {
  static std::once_flag once;
  std::call_once(once, [] { std::at_quick_exit(flush_standard_output_if_free); });
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
  options.window_class = "KorviWnd";
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

std::string program_name() { return window::program_name(); }

void flush_standard_output_if_free() {
  if (ftrylockfile(stdout) != 0) return;
  fflush_unlocked(stdout);
  funlockfile(stdout);
}

namespace {

// The window's picture is made by the library object itself, so it does not ask
// for the library as other images do, and is never forgotten as a target.
std::unique_ptr<ImageImpl> untracked_impl() {
  auto impl = std::make_unique<ImageImpl>();
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
  Image::resize(width, height);  // under the drawing lock, as every change of the picture
  if (width <= 0 || height <= 0) return;
  bool grown = false;
  {
    std::lock_guard lock(m_native_mutex);
    if (!m_native) return;
    const window::OuterRect old = m_native->outer_rect();
    m_native->set_outer_size(width, height);
    grown = width > old.right - old.left + 1 && height > old.bottom - old.top + 1;
  }
  if (grown && lib.current_device() == &lib.screen_device) lib.screen_device.flush_batch();
}

WindowHandle GraphicsWindow::open(int width, int height, int flags) {
  (void)flags;  // where the terminal is cannot be known: the system places the window
  close();
  {
    std::lock_guard lock(m_native_mutex);
    m_closed.reset();  // no input box can be showing: it runs on the drawing thread
  }
  prepare_process_for_windows();
  GraphicsLibrary& lib = library();
  if (width > 0 && height > 0) {
    Image::resize(width, height);
    std::lock_guard lock(lib.drawing_lock);
    try {
      m_window_picture = raster::Surface(width, height);
    } catch (const std::exception&) {
      m_window_picture = raster::Surface();
    }
    m_window_dc.bind(&m_window_picture);
    m_matches_buffer = true;
  }
  std::unique_ptr<window::NativeWindow> native;
  try {
    if (width <= 0 || height <= 0) throw std::runtime_error("the size must be at least 1 by 1");
    auto options = window_options(width, height);
    window::WindowClient& client = *this;
    native = std::make_unique<window::NativeWindow>(lib.ui_thread(), client, *options);
  } catch (const std::exception& error) {
    if (!m_reported_failure)
      std::fprintf(stderr, "korvi: cannot open the graphics window: %s\n", error.what());
    m_reported_failure = true;
    return nullptr;
  }
  // The window and its readers' state change together: a close from another thread
  // either comes before (and this window stays open) or closes this window.
  std::lock_guard lock(m_native_mutex);
  m_native = std::move(native);
  m_handle = next_handle();
  m_open.store(true);
  set_input_open(true);
  return m_handle;
}

void GraphicsWindow::close() {
  std::unique_ptr<window::NativeWindow> closing;
  {
    std::lock_guard lock(m_native_mutex);
    closing = std::move(m_native);
    if (!closing) return;
    m_handle = nullptr;
    m_open.store(false);
    set_input_open(false);  // releases the readers of this window
  }
  closing->destroy();  // on the UI thread; no input comes after this
  // An input box shown by another thread may still name it as its owner.
  std::lock_guard lock(m_native_mutex);
  m_closed = std::move(closing);
}

void GraphicsWindow::set_input_open(bool open) {
  m_mouse.set_open(open);
  m_keys.set_open(open);
}

WindowHandle GraphicsWindow::handle() const {
  std::lock_guard lock(m_native_mutex);
  return m_handle;
}

std::uint32_t GraphicsWindow::native_id() const {
  std::lock_guard lock(m_native_mutex);
  return m_native ? m_native->id() : 0;
}

window::NativeWindow* GraphicsWindow::native_window() const {
  std::lock_guard lock(m_native_mutex);
  return m_native.get();
}

bool GraphicsWindow::move(WindowHandle window, int x, int y, int width, int height) {
  std::lock_guard lock(m_native_mutex);
  if (!m_native || !window || window != m_handle) return false;
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

void GraphicsWindow::copy_buffer_to_window(const raster::PixelBox& device_box) {
  if (m_matches_buffer || m_window_picture.empty()) return;
  raster::copy_pixels(m_window_picture, {device_box.left, device_box.top}, back_buffer(),
                      device_box);
}

void GraphicsWindow::show_soon() {
  std::lock_guard lock(m_native_mutex);
  if (m_native) m_native->request_present();
}

raster::Surface GraphicsWindow::window_picture() {
  std::lock_guard lock(library().drawing_lock);
  const raster::Surface& shown = m_matches_buffer ? back_buffer() : m_window_picture;
  raster::Surface copy(shown.width(), shown.height());
  raster::copy_pixels(copy, {0, 0}, shown, shown.bounds());
  return copy;
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

void GraphicsWindow::key_pressed(std::span<const std::uint8_t> codes) { m_keys.push(codes); }

void GraphicsWindow::mouse_message(const MouseMessage& message) { m_mouse.deliver(message); }

void GraphicsWindow::close_requested() {
  // The close box ends the program at once, with status 0: no exit-time handlers,
  // only what was registered for a quick exit (output flushed, terminal restored).
  std::quick_exit(0);
}

}  // namespace korvi
