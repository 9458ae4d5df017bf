#pragma once
// A software device context: draws into a Surface with the selected pen and brush,
// colours, background and write modes, world transform and clip region.
//
// Public drawing operations take logical coordinates: they go through the world
// transform (rounded to the nearest pixel), are cut to the surface and the clip
// region, and then run an inner routine on device pixels. Rasterisation rules: boxes
// are half-open (right and bottom edges excluded), the last pixel of a line is not
// drawn, fills sample pixel centres, and within one pass (outline, then fill) every
// pixel of a primitive is written once, so exclusive-or drawing twice restores the
// picture. A context bound to no surface draws nothing.
//
// Text is drawn with the selected font through the FontCache that made it, so contexts
// holding fonts of one cache are used on one thread at a time, as the cache is.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>

#include "font/font_cache.h"
#include "font/text_layout.h"
#include "korvi/raster/brush.h"
#include "korvi/raster/color.h"
#include "korvi/raster/geometry.h"
#include "korvi/raster/pen.h"
#include "korvi/raster/raster_ops.h"
#include "korvi/raster/region.h"
#include "korvi/raster/surface.h"
#include "korvi/raster/transform.h"
#include "korvi/raster/visibility.h"

namespace korvi::raster {

enum class BackgroundMode { TRANSPARENT = 1, OPAQUE = 2 };

struct PenPaint;
class AreaPaint;
class PolygonPath;
class EdgeTable;

class DeviceContext {
 public:
  // Defaults: cosmetic solid black pen, solid white brush, white opaque background,
  // black text, copy write mode, alternate polygon filling, identity transform, no
  // clip region, position (0, 0).
  DeviceContext();
  explicit DeviceContext(Surface* surface);
  // Binds to a surface (which must outlive the binding) or to none; settings stay. A
  // surface that changes size or becomes empty later is noticed at the next call.
  void bind(Surface* surface);
  Surface* surface() const { return m_surface; }

  // --- Settings. A selected object replaces the previous one.
  void select_pen(const Pen& pen);
  // Selects the pen if there is one (Pen::geometric gives none for a pen the platform
  // refuses); otherwise returns false and keeps the current pen.
  bool select_pen(const std::optional<Pen>& pen);
  const Pen& pen() const { return m_pen; }
  void select_brush(const Brush& brush);
  const Brush& brush() const { return m_brush; }
  void set_background_color(Color color);
  Color background_color() const { return m_background; }
  void set_background_mode(BackgroundMode mode);
  BackgroundMode background_mode() const { return m_background_mode; }
  void set_text_color(Color color);
  Color text_color() const { return m_text; }
  // Write mode 1..16 (R2_*); other codes are refused (false) and change nothing.
  bool set_write_mode(int rop2);
  int write_mode() const { return m_rop2; }
  void set_polygon_fill_rule(FillRule rule) { m_fill_rule = rule; }
  void set_transform(const Transform& transform);
  const Transform& transform() const { return m_transform; }
  // The clip region, in device coordinates; the context keeps its own copy. Null
  // removes clipping.
  void set_clip_region(const Region* region);
  const Region* clip_region() const { return m_clip ? &*m_clip : nullptr; }
  Point position() const { return m_position; }
  void move_to(std::int32_t x, std::int32_t y) { m_position = {x, y}; }

  // --- Drawing, logical coordinates.
  // Sets one pixel; the pen and the write mode play no part.
  void set_pixel(std::int32_t x, std::int32_t y, Color color);
  // The pixel's colour, or INVALID_COLOR outside the surface or the clip region.
  Color get_pixel(std::int32_t x, std::int32_t y) const;
  // Line from the position to (x, y), which becomes the position; (x, y) not drawn.
  void line_to(std::int32_t x, std::int32_t y);
  // Connected lines; each shared point drawn once, the last point not drawn. Dashes
  // run on across the points.
  void polyline(std::span<const Point> points);
  // Closed polygon: filled with the brush by the fill rule, outlined with the pen.
  void polygon(std::span<const Point> points);
  // The box (right and bottom excluded) outlined with the pen and filled with the brush.
  // A thin pen draws the frame of the box's outermost pixels as the closed path from
  // the top-right pixel leftwards, down, rightwards and up, each pixel once, a dash
  // pattern starting there and running on round the corners; the brush then fills
  // the inside of the frame. A box one pixel wide or high is drawn there and back, the
  // way back deciding the dashes; a 1 x 1 box draws nothing. Without a pen the brush
  // fills the whole box; a wide pen strokes the frame's centre line over it.
  void rectangle(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);
  // The ellipse inscribed in the box, filled and outlined.
  void ellipse(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);
  // Arc of the ellipse in the box, counter-clockwise from the ray through (x1, y1) to
  // the ray through (x2, y2), both rays from the centre; equal rays: the whole ellipse.
  void arc(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
           std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
  // The same sector closed by two radii, filled and outlined.
  void pie(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
           std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
  // Fills the box (right and bottom excluded) with the brush, by plain copy whatever
  // the write mode.
  void fill_rect(const PixelBox& rect, const Brush& brush);
  // Fills a region given in device coordinates with the brush, in the write mode.
  void fill_region(const Region& device_region, const Brush& brush);
  // Fills with the selected brush the 4-connected area around (x, y) that is bounded
  // by pixels of the border colour (and by the edge of what is visible). Nothing when
  // (x, y) has the border colour or is not visible.
  void flood_fill(std::int32_t x, std::int32_t y, Color border);

  // --- Text. Fonts come from a FontCache that the caller owns and that outlives every
  // context holding its fonts (copies included). A context without a font draws no
  // text and measures 0 x 0.
  // Selects font (null: none), which cache made; a font of another cache throws
  // std::invalid_argument and changes nothing.
  void select_font(FontCache& cache, std::shared_ptr<const Font> font);
  const std::shared_ptr<const Font>& font() const { return m_font; }
  FontCache* font_cache() const { return m_font_cache; }
  // Text whose cell's top-left corner is at logical (x, y), through the world
  // transform (scaled, mirrored by negative scales; its rotation and shear move the
  // corner but do not turn the glyphs), clipped like everything else. Opaque
  // background mode fills the cell with the background colour first; glyphs take the
  // text colour; the write mode plays no part. UTF-8: an invalid sequence draws a
  // replacement character.
  void text_out(std::int32_t x, std::int32_t y, std::string_view utf8);
  // Width (the sum of the advances) and height (the cell height) of the text in
  // logical units: text_out at (x, y) fills exactly the box from (x, y) of that size
  // in opaque mode.
  TextExtent text_extent(std::string_view utf8);
  // Formatted text in the logical rectangle with the FORMAT_* flags of text_layout.h;
  // returns the height of the text. Drawn text is clipped to the rectangle unless
  // FORMAT_NOCLIP. With FORMAT_CALCRECT it draws nothing and sets rect's right and
  // bottom to what the text needs. Without a font: nothing drawn, height 0.
  std::int32_t draw_text(std::string_view utf8, PixelBox& rect, std::uint32_t format);

  // --- Transfers. The destination box goes through this context's transform, the
  // source box through the source's; unequal device sizes make a stretch (nearest
  // pixel centres; opposite signs mirror). rop is a ternary raster operation with this
  // context's brush as the pattern. The source may be null (or unbound) when rop does
  // not read it. Pixels whose source lies outside the source surface are left alone.
  // Returns false when nothing could be done for a missing source.
  bool bit_blt(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
               const DeviceContext* source, std::int32_t sx, std::int32_t sy, std::uint32_t rop);
  bool stretch_blt(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                   const DeviceContext* source, std::int32_t sx, std::int32_t sy,
                   std::int32_t source_width, std::int32_t source_height, std::uint32_t rop);

  // --- Device space, for the text engine and the library. These clip themselves.
  // What is visible: the surface cut by the clip region.
  const Visibility& visibility() const {
    drawable();
    return m_visible;
  }
  // Plain copy of a colour into the visible part of a device rectangle.
  void fill_rect_device(const PixelBox& device_rect, Color color);

 private:
  // True when something can be drawn; refreshes what is visible when the surface
  // changed size since the last look.
  bool drawable() const;
  void refresh_visibility() const;
  PenPaint current_pen_paint() const;
  AreaPaint current_brush_paint() const;
  // Device-space inner routines. Callers clip (through m_visible).
  void paint_path_device(const AreaPaint& paint, const PolygonPath& path, FillRule rule);
  // The edges' clip must be the visible bounds.
  void paint_edges_device(const AreaPaint& paint, EdgeTable& edges, FillRule rule);
  void paint_region_device(const AreaPaint& paint, const Region& region);
  void paint_box_device(const AreaPaint& paint, const Rect64& box);
  // Thin lines through the points; the dash pattern starts phase steps in.
  void thin_path_device(const PenPaint& pen, std::span<const DevicePoint> points, bool closed,
                        std::int64_t phase);
  // The frame of a box (thin pen): from the top-right corner counter-clockwise.
  void thin_frame_device(const PenPaint& pen, const Rect64& box);
  void wide_path_device(const PenPaint& pen, std::span<const PointF> points, bool closed,
                        bool smooth);
  void outline_points_device(const PenPaint& pen, std::span<const PointF> points, bool closed,
                             bool smooth);
  void ellipse_device(const Rect64& box, const AreaPaint* fill, const PenPaint* outline);
  void arc_device(const Rect64& box, DevicePoint start, DevicePoint end, bool pie,
                  const AreaPaint* fill, const PenPaint* outline);
  void curve_by_flattening(const PixelBox& box, const Point* rays, bool pie, bool closed,
                           const AreaPaint* fill, const PenPaint* outline);
  bool transfer_device(const Rect64& dst, const DeviceContext* source, const Rect64& src,
                       std::uint32_t rop);
  // The world transform's scale as text sees it.
  TextScale text_scale() const;
  // Text output through a given visibility (the context's, or cut to a rectangle).
  // Callers check that there is a font and that something is drawable.
  void paint_text(std::int32_t x, std::int32_t y, std::string_view utf8, MarkedRange mark,
                  const Visibility& visible);

  // A glyph run reused by text output, so that drawing allocates nothing once warm.
  // Its content lives for one call only: copies of the context start with an empty one.
  struct ScratchRun {
    GlyphRun run;
    ScratchRun() = default;
    ScratchRun(const ScratchRun&) {}
    ScratchRun& operator=(const ScratchRun&) { return *this; }
  };

  Surface* m_surface = nullptr;
  Pen m_pen;
  Brush m_brush;
  Color m_background = 0xFFFFFF;
  BackgroundMode m_background_mode = BackgroundMode::OPAQUE;
  Color m_text = 0;
  int m_rop2 = R2_COPYPEN;
  FillRule m_fill_rule = FillRule::ALTERNATE;
  Transform m_transform;
  std::optional<Region> m_clip;
  Point m_position;
  FontCache* m_font_cache = nullptr;
  std::shared_ptr<const Font> m_font;
  ScratchRun m_scratch;
  // A cache of the surface's bounds cut by the clip, kept in step by drawable().
  mutable PixelBox m_bound_size;
  mutable Visibility m_visible;
};

}  // namespace korvi::raster
