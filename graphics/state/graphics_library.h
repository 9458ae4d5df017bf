// The library's global state: the one object that holds the drawing target, the
// two drawing devices, the graphics window and the lock they share. Made at the
// first use of the library and destroyed at program exit. Which lock guards what
// is told in state/README.md.
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

  // Serialises every use of the window's picture (the back buffer) and the window's
  // device context between the drawing thread and the UI thread, first come first
  // served. Never held while waiting for the UI thread.
  FairMutex drawing_lock;
  GraphicsWindow graphics_window;
  // Set while batch drawing: written by the drawing thread, read by the UI thread
  // when it repaints.
  std::atomic<bool> batch_drawing{false};
  ImageDevice image_device;
  ScreenDevice screen_device;

  // The target as the drawing thread sees it. Only the drawing thread changes it
  // (set_working_image, open_graphics, the end of the working image), under the
  // drawing lock, so these read it without taking the lock. Null before any target.
  ImageDevice* current_device() const { return m_current_device.load(std::memory_order_acquire); }
  Image* working_image() const { return m_working_image.load(std::memory_order_acquire); }

  // The target with the drawing lock held for the object's life: its device
  // contexts may be drawn on while it lives.
  class LockedTarget {
   public:
    explicit LockedTarget(GraphicsLibrary& library);
    // The working image's device context, null without a target.
    raster::DeviceContext* target_dc() const;
    // The open window's device context while the screen is the target, else null.
    raster::DeviceContext* window_dc() const { return m_library.m_window_dc; }
    Image* working_image() const { return m_library.working_image(); }

   private:
    std::lock_guard<FairMutex> m_lock;
    GraphicsLibrary& m_library;
  };
  LockedTarget lock_target() { return LockedTarget(*this); }

  // The drawing lock when the image is the window's picture, which the UI thread
  // paints from; an unlocked lock for any other image, which belongs to the drawing
  // thread alone. Held around every change of an image's pixels.
  std::unique_lock<FairMutex> lock_if_shown(const Image& image);
  // The same for the working image (none: unlocked).
  std::unique_lock<FairMutex> lock_if_target_shown();

  // Takes the drawing lock. Selects the target: null selects the window.
  void select_target(Image* image);
  // Takes the drawing lock. The window has closed: unless another window has opened
  // since, the target keeps the window's picture without the window's context.
  void window_closed();
  // Takes the drawing lock. An image is being destroyed: when it is the target,
  // nothing is drawn any more until another target is selected.
  void forget_image(Image* image);

  // The font engine of the drawing thread, started at its first use.
  raster::FontCache& font_cache();
  // The font engine of the UI thread (the input box's), started at its first use;
  // a font cache is never shared between threads. Destroyed after the UI thread.
  raster::FontCache& ui_font_cache();
  // The thread that runs every window, started by the first window and kept.
  window::UiThread& ui_thread();

 private:
  // Written under drawing_lock by the drawing thread only.
  std::atomic<ImageDevice*> m_current_device{nullptr};
  std::atomic<Image*> m_working_image{nullptr};
  // Under drawing_lock: written by the drawing thread and by close_graphics() from
  // any thread.
  raster::DeviceContext* m_window_dc = nullptr;

  std::unique_ptr<raster::FontCache> m_font_cache;
  std::unique_ptr<raster::FontCache> m_ui_font_cache;
  std::unique_ptr<window::UiThread> m_ui_thread;
};

// The library object.
GraphicsLibrary& library();

}  // namespace korvi
