// The drawing device of the graphics window. A setting is applied to both the back
// buffer's device context and the window's, in every mode; a primitive is drawn on
// the back buffer, which always holds the whole picture, and, outside batch
// drawing, on the window's picture, which the window then shows. Every use of the
// two contexts holds the drawing lock, which the UI thread takes to paint the
// window. Everything else is the image device's, through these two hooks.
#pragma once

#include "devices/image_device.h"

namespace korvi {

class ScreenDevice final : public ImageDevice {
 public:
  ~ScreenDevice() override;
  void clear_device() override;
  void clear_clip_region() override;

  virtual WindowHandle open_window(int width, int height, int flags);
  virtual void close_window();
  virtual void begin_batch();
  virtual void flush_batch_rect(int left, int top, int right, int bottom);
  virtual void flush_batch();
  virtual void end_batch_rect(int left, int top, int right, int bottom);
  virtual void end_batch();

  void apply_setting(ContextAction apply) override;
  void draw(ContextAction draw) override;
};

}  // namespace korvi
