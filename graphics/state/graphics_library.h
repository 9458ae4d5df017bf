// The library's global state: the one object that holds the drawing target, the
// two drawing devices, the graphics window and the lock they share. Made at the
// first use of the library and destroyed at program exit.
#pragma once

#include <korvi/graphics.h>

#include <atomic>
#include <memory>
#include <mutex>

#include "devices/image_device.h"
#include "devices/screen_device.h"
#include "korvi/raster/device_context.h"
#include "screen/graphics_window.h"
#include "state/fair_mutex.h"

namespace korvi {

namespace raster {
class FontCache;
}
namespace window {
class UiThread;
}

class GraphicsLibrary {
 public:
  GraphicsLibrary();
  ~GraphicsLibrary();
  GraphicsLibrary(const GraphicsLibrary&) = delete;
  GraphicsLibrary& operator=(const GraphicsLibrary&) = delete;

  // Serialises every use of the window's picture and the window's device context
  // between the drawing thread and the UI thread, first come first served.
  FairMutex drawing_lock;
  // The open window's device context while the screen is the target, else null.
  raster::DeviceContext* window_dc = nullptr;
  // The device context drawn on first: the back buffer's or the working image's.
  raster::DeviceContext* target_dc = nullptr;
  GraphicsWindow graphics_window;
  // Set while batch drawing: written by the drawing thread, read by the UI thread
  // when it repaints.
  std::atomic<bool> batch_drawing{false};
  Image* working_image = nullptr;
  ImageDevice image_device;
  ScreenDevice screen_device;
  ImageDevice* current_device = nullptr;

  // The font engine of the drawing thread, started at its first use.
  raster::FontCache& font_cache();
  // The thread that runs every window, started by the first window and kept.
  window::UiThread& ui_thread();

  // The target switch (under the drawing lock): null selects the window.
  void select_target(Image* image);
  // An image is being destroyed: when it is the target, nothing is drawn any more
  // until another target is selected.
  void forget_image(Image* image);

 private:
  std::unique_ptr<raster::FontCache> m_font_cache;
  std::unique_ptr<window::UiThread> m_ui_thread;
};

// The library object.
GraphicsLibrary& library();

}  // namespace korvi
