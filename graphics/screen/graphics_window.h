// The graphics window: its back buffer (the Image part, which always holds the
// whole picture), the window's own picture (what the window shows), and the native
// window the UI thread shows it in, with the mouse queue and the key queue.
#pragma once

#include <korvi/graphics.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>

#include "korvi/raster/device_context.h"
#include "korvi/raster/surface.h"
#include "screen/key_input.h"
#include "screen/mouse_messages.h"
#include "window/native_window.h"

namespace korvi {

class GraphicsWindow final : public Image, private window::WindowClient {
 public:
  GraphicsWindow();
  // The back buffer's defaults, and the same settings on the window's context.
  void reset_state() override;
  ~GraphicsWindow() override;
  // Resizes the back buffer and gives the window that outer size.
  void resize(int width, int height) override;

  // Opens (or reopens) the window with a client area of width x height. Returns the
  // handle, or null when no window could be made (the reason went to standard
  // error, once). Each window gets a handle of its own.
  WindowHandle open(int width, int height, int flags);
  // Any thread: closes the window and releases the threads waiting on it for a
  // key or a mouse message; the back buffer keeps its picture.
  void close();
  // Any thread.
  bool is_open() const { return m_open.load(); }
  WindowHandle handle() const;
  // The windowing system's id of the window, 0 without one (tests send events to it).
  std::uint32_t native_id() const;
  // The window in the windowing system, null without one (the input box's owner).
  window::NativeWindow* native_window() const;
  // Places this window (the handle must be its own) by its outer rectangle.
  bool move(WindowHandle window, int x, int y, int width, int height);

  // The device context of the window's picture.
  raster::DeviceContext& window_dc() { return m_window_dc; }

  // Whether the window's picture is the back buffer. While it is, drawing on the
  // back buffer alone is drawing on both, and the window is painted from the back
  // buffer. Callers hold the drawing lock.
  bool window_matches_buffer() const { return m_matches_buffer; }
  // Makes the window's picture a picture of its own (a copy of the back buffer)
  // before the two go separate ways (batch drawing). Callers hold the lock.
  void separate_window_picture();
  // The window's picture becomes the whole back buffer, as a repaint or a full
  // flush makes it. In batch drawing it is a copy, so that later batch drawing
  // stays hidden. Callers hold the lock.
  void show_whole_buffer();
  // Copies a device-space box of the back buffer to the window's picture. Callers
  // hold the lock.
  void copy_buffer_to_window(const raster::PixelBox& device_box);
  // Any thread: has the window show its picture soon (drawing never waits for the
  // display). Callers do not hold the drawing lock.
  void show_soon();
  // A copy of what the window's picture holds (for tests and screenshots).
  raster::Surface window_picture();

  MouseMessages& mouse_messages() { return m_mouse; }
  WindowKeyQueue& keys() { return m_keys; }

 private:
  raster::Surface& back_buffer();
  void copy_buffer_to_window();
  // Whether keys and mouse messages can come; closing releases their readers.
  // Under m_native_mutex, so that it changes with the window.
  void set_input_open(bool open);

  // WindowClient, on the UI thread.
  void paint(std::uint32_t* dst, int pitch, int width, int height) override;
  void exposed() override;
  void key_pressed(std::span<const std::uint8_t> codes) override;
  void mouse_message(const MouseMessage& message) override;
  void close_requested() override;

  raster::Surface m_window_picture;
  raster::DeviceContext m_window_dc{&m_window_picture};
  bool m_matches_buffer = true;
  MouseMessages m_mouse;
  WindowKeyQueue m_keys;
  // The native window and its handle. Never taken while holding the drawing lock;
  // the UI thread never takes it.
  mutable std::mutex m_native_mutex;
  std::unique_ptr<window::NativeWindow> m_native;
  std::unique_ptr<window::NativeWindow> m_closed;  // destroyed, kept until the next open
  WindowHandle m_handle = nullptr;
  std::atomic<bool> m_open{false};
  bool m_reported_failure = false;
};

// The program file's name without directory and extension: the window's title.
std::string program_name();

// Writes out what the program printed, unless another thread holds standard output
// (it may be blocked writing to a full pipe): the ways out of the process that must
// not wait (the close box, the display lost) take the stream only when it is free.
void flush_standard_output_if_free();

}  // namespace korvi
