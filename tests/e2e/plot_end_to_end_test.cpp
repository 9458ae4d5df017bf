// The calculator's plot, end to end: the real program on a private X server, driven
// by xdotool, its window checked in a screenshot.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "child_process.h"
#include "x_display.h"

namespace {

using namespace std::chrono_literals;
using korvi::test::ChildProcess;

constexpr std::uint32_t DRAWN = 0xFCFCFC;  // the default line and fill colour

std::string program() {
  const char* build = std::getenv("KORVI_BUILD_DIR");
  return std::string(build ? build : ".") + "/calc";
}

// The id of the first window of this instance name (the program's name), waiting for
// it to appear. (Searching by name misses titles stored as UTF-8.)
std::optional<unsigned long> find_window(const std::string& display, const std::string& name) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    const auto found = korvi::test::run_command({"xdotool", "search", "--classname", name},
                                                {{"DISPLAY", display}}, 5s);
    if (found && !found->empty()) return std::stoul(*found);
    std::this_thread::sleep_for(50ms);
  }
  return std::nullopt;
}

bool any_drawn_in(const korvi::test::Screenshot& shot, int left, int top, int right, int bottom) {
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x)
      if (shot.at(x, y) == DRAWN) return true;
  return false;
}

// What the plot of y = x^2 over [-1, 1] must show: the axes through the origin at
// (400, 350), the curve's ends at (100, 150) and (700, 150), the "O" label below
// and right of the origin.
bool plot_is_complete(const korvi::test::Screenshot& shot) {
  return shot.width >= 800 && shot.height >= 600 && shot.at(10, 350) == DRAWN &&
         shot.at(790, 350) == DRAWN && shot.at(400, 10) == DRAWN && shot.at(400, 590) == DRAWN &&
         shot.at(100, 150) == DRAWN && (shot.at(700, 150) == DRAWN || shot.at(699, 150) == DRAWN) &&
         shot.at(250, 200) != DRAWN && any_drawn_in(shot, 403, 354, 416, 372);
}

TEST(PlotEndToEnd, TuDrawsThePlotAKeyBringsThePromptBack) {
  if (std::getenv("KORVI_TEST_DISPLAY")) GTEST_SKIP() << "X11 only: looks at the window by its id";
  korvi::test::XvfbServer server(1024, 768);
  ASSERT_TRUE(server.running()) << "Xvfb did not start";
  const auto scratch =
      std::filesystem::temp_directory_path() / ("korvi-plot-" + std::to_string(::getpid()));
  std::filesystem::create_directories(scratch);

  ChildProcess calc({{program()},
                     scratch.string(),
                     {{"DISPLAY", server.display()}},
                     {"SDL_VIDEODRIVER", "WAYLAND_DISPLAY"}});
  calc.write_input("tu\ny=x^2\n-1 1\n21\n");
  ASSERT_TRUE(calc.wait_for_output("请输入点的个数：", 10s)) << calc.output();

  const auto window = find_window(server.display(), "calc");
  ASSERT_TRUE(window) << "no window of the program calc appeared";
  std::optional<korvi::test::Screenshot> shot;
  for (int attempt = 0; attempt < 100; ++attempt) {
    shot = korvi::test::take_screenshot(server.display(), *window);
    if (shot && plot_is_complete(*shot)) break;
    std::this_thread::sleep_for(50ms);
  }
  ASSERT_TRUE(shot);
  if (!plot_is_complete(*shot)) {
    korvi::test::save_screenshot(*shot, (scratch / "plot.bmp").string());
    FAIL() << "the plot is not as expected; see " << (scratch / "plot.bmp");
  }

  // The window wears the program's embedded icon and the library's window class.
  const auto icon = korvi::test::run_command(
      {"xprop", "-id", std::to_string(*window), "_NET_WM_ICON", "WM_CLASS"},
      {{"DISPLAY", server.display()}});
  ASSERT_TRUE(icon);
  EXPECT_NE(icon->find("32 x 32"), std::string::npos) << *icon;
  EXPECT_NE(icon->find("WM_CLASS(STRING) = \"calc\", \"KorviWnd\""), std::string::npos) << *icon;

  ASSERT_TRUE(
      korvi::test::run_command({"xdotool", "windowfocus", "--sync", std::to_string(*window)},
                               {{"DISPLAY", server.display()}}));
  ASSERT_TRUE(
      korvi::test::run_command({"xdotool", "key", "space"}, {{"DISPLAY", server.display()}}));
  ASSERT_TRUE(calc.wait_for_output("请输入点的个数：>>", 10s)) << calc.output();
  calc.write_input("exit\n");
  EXPECT_EQ(calc.wait(10s), 0);
  std::filesystem::remove_all(scratch);
}

}  // namespace
