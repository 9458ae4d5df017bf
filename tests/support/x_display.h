// A private X server (Xvfb) for end-to-end tests, and looking at its windows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace korvi::test {

// Starts Xvfb on a display number it picks itself (-displayfd) and stops it at
// destruction.
class XvfbServer {
 public:
  XvfbServer(int width = 1024, int height = 768);
  ~XvfbServer();
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;

  bool running() const { return !m_display.empty(); }
  // Ends the server at once, as a crash would: its clients' connections break.
  void kill();
  // ":N"
  const std::string& display() const { return m_display; }

 private:
  int m_pid = -1;
  std::string m_display;
};

// A screenshot: pixels 0x00RRGGBB, top-down.
struct Screenshot {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
  std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Takes a picture of one window (by X window id) or of the whole screen (id 0)
// with xwd and decodes it; nothing when that fails.
std::optional<Screenshot> take_screenshot(const std::string& display, unsigned long window = 0);

// Decodes an XWD file of a true-colour screen.
std::optional<Screenshot> decode_xwd(const std::string& bytes);

// Writes the screenshot as a BMP file, for a person to look at.
void save_screenshot(const Screenshot& shot, const std::string& path);

}  // namespace korvi::test
