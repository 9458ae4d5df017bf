// Renders a sheet of sample texts for a person to look at, and checks what does not
// depend on the installed faces' exact shapes.

#include <gtest/gtest.h>

#include "coverage_canvas.h"
#include "font_test_support.h"

namespace korvi::raster {
namespace {

using testing::CoverageCanvas;
using testing::describe;
using testing::shared_font_cache;

TEST(FontPicture, SampleSheet) {
    FontCache& cache = shared_font_cache();
    CoverageCanvas canvas(640, 400);

    struct Sample {
        FontDescription description;
        const char* text;
        int x, y;
        TextScale scale;
        int cell_value;
    };
    auto with = [](FontDescription d, auto change) {
        change(d);
        return d;
    };
    const FontDescription system = default_font_description();
    const FontDescription arial20 = describe("Arial", 20, 4);
    const Sample samples[] = {
        {system, "System 16: The quick brown fox 0123456789", 10, 10, {}, -1},
        {arial20, "Arial 20 antialiased: Hamburgefonts", 10, 34, {}, -1},
        {with(arial20, [](auto& d) { d.weight = 700; }), "Arial 20 bold", 10, 60, {}, -1},
        {with(arial20, [](auto& d) { d.italic = 1; }), "Arial 20 italic", 200, 60, {}, -1},
        {with(arial20, [](auto& d) { d.underline = 1; d.strike_out = 1; }), "underline strike", 380, 60, {}, -1},
        {with(system, [](auto& d) { d.width = 12; }), "System stretched", 10, 90, {}, -1},
        {with(system, [](auto& d) { d.width = 4; }), "System narrowed", 260, 90, {}, -1},
        {describe("Arial", 24, 4), "\xE4\xB8\xAD\xE6\x96\x87 Chinese \xE8\xAF\xB7\xE8\xBE\x93\xE5\x85\xA5", 10, 116, {}, -1},
        {system, "opaque cell", 10, 150, {}, 60},
        {system, "bad \xFF\xC0 bytes \xE4\xB8 go on", 200, 150, {}, -1},
        {with(arial20, [](auto& d) { d.escapement = 900; }), "Up 900", 40, 390, {}, -1},
        {with(arial20, [](auto& d) { d.escapement = 450; }), "Diagonal 450", 80, 380, {}, 40},
        {with(system, [](auto& d) { d.escapement = 2700; }), "Down 2700", 250, 190, {}, -1},
        {arial20, "mirrored in x", 600, 200, {-1, 1}, -1},
        {arial20, "upside down", 300, 300, {1, -1}, -1},
        {system, "scaled by two", 300, 320, {2, 2}, -1},
    };
    for (const Sample& s : samples) {
        auto font = cache.font(s.description);
        GlyphRun run = cache.glyph_run(*font, s.text, s.scale);
        canvas.draw(run, s.x, s.y, s.cell_value);
    }
    const std::string path = testing::picture_path("font_samples.png");
    EXPECT_TRUE(canvas.write_png(path)) << path;
    EXPECT_GT(canvas.count_at_least(128), 2000);
}

}  // namespace
}  // namespace korvi::raster
