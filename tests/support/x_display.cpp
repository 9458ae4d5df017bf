#include "x_display.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "child_process.h"

namespace korvi::test {
namespace {

std::uint32_t big_endian32(const std::string& bytes, std::size_t offset) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i)
    value = value << 8 | static_cast<unsigned char>(bytes[offset + i]);
  return value;
}

int mask_shift(std::uint32_t mask) {
  int shift = 0;
  while (mask && !(mask & 1)) {
    mask >>= 1;
    ++shift;
  }
  return shift;
}

}  // namespace

XvfbServer::XvfbServer(int width, int height) {
  int ready[2];
  if (pipe(ready) != 0) return;
  const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
  const std::string fd = std::to_string(ready[1]);
  m_pid = fork();
  if (m_pid == 0) {
    close(ready[0]);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, 2);
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-nolisten",
           "tcp", "-noreset", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(ready[1]);
  std::string number;
  pollfd wait_fd{ready[0], POLLIN, 0};
  while (poll(&wait_fd, 1, 10000) > 0) {
    char c = 0;
    if (read(ready[0], &c, 1) != 1 || c == '\n') break;
    number += c;
  }
  close(ready[0]);
  if (!number.empty()) m_display = ":" + number;
}

XvfbServer::~XvfbServer() {
  if (m_pid > 0) {
    ::kill(m_pid, SIGTERM);
    waitpid(m_pid, nullptr, 0);
  }
}

void XvfbServer::kill() {
  if (m_pid <= 0) return;
  ::kill(m_pid, SIGKILL);
  waitpid(m_pid, nullptr, 0);
  m_pid = -1;
}

std::optional<Screenshot> decode_xwd(const std::string& bytes) {
  if (bytes.size() < 100) return std::nullopt;
  const std::uint32_t header_size = big_endian32(bytes, 0);
  const std::uint32_t width = big_endian32(bytes, 16);
  const std::uint32_t height = big_endian32(bytes, 20);
  const std::uint32_t byte_order = big_endian32(bytes, 28);  // 0: least significant first
  const std::uint32_t bits_per_pixel = big_endian32(bytes, 44);
  const std::uint32_t bytes_per_line = big_endian32(bytes, 48);
  const std::uint32_t red_mask = big_endian32(bytes, 56);
  const std::uint32_t green_mask = big_endian32(bytes, 60);
  const std::uint32_t blue_mask = big_endian32(bytes, 64);
  const std::uint32_t colormap_entries = big_endian32(bytes, 76);
  const std::size_t data = header_size + std::size_t{colormap_entries} * 12;
  if (width == 0 || height == 0 || bytes.size() < data + std::size_t{bytes_per_line} * height)
    return std::nullopt;
  // Depth-24 screens store 3 or 4 bytes a pixel.
  if ((bits_per_pixel != 24 && bits_per_pixel != 32) ||
      bytes_per_line < width * (bits_per_pixel / 8))
    return std::nullopt;
  const std::uint32_t pixel_bytes = bits_per_pixel / 8;

  Screenshot shot;
  shot.width = static_cast<int>(width);
  shot.height = static_cast<int>(height);
  shot.pixels.resize(std::size_t{width} * height);
  for (std::uint32_t y = 0; y < height; ++y) {
    for (std::uint32_t x = 0; x < width; ++x) {
      const std::size_t at = data + std::size_t{y} * bytes_per_line + std::size_t{x} * pixel_bytes;
      std::uint32_t raw = 0;
      for (std::uint32_t i = 0; i < pixel_bytes; ++i) {
        const std::uint32_t byte = static_cast<unsigned char>(bytes[at + i]);
        raw |= byte_order == 0 ? byte << (8 * i) : byte << (8 * (pixel_bytes - 1 - i));
      }
      const std::uint32_t r = (raw & red_mask) >> mask_shift(red_mask);
      const std::uint32_t g = (raw & green_mask) >> mask_shift(green_mask);
      const std::uint32_t b = (raw & blue_mask) >> mask_shift(blue_mask);
      shot.pixels[std::size_t{y} * width + x] = r << 16 | g << 8 | b;
    }
  }
  return shot;
}

std::optional<Screenshot> take_screenshot(const std::string& display, unsigned long window) {
  std::vector<std::string> argv = {"xwd", "-silent"};
  if (window) {
    argv.push_back("-id");
    argv.push_back(std::to_string(window));
  } else {
    argv.push_back("-root");
  }
  const auto bytes = run_command(argv, {{"DISPLAY", display}});
  if (!bytes) return std::nullopt;
  return decode_xwd(*bytes);
}

void save_screenshot(const Screenshot& shot, const std::string& path) {
  std::ofstream out(path, std::ios::binary);
  const std::uint32_t row = static_cast<std::uint32_t>(shot.width) * 4;
  const std::uint32_t size = 54 + row * static_cast<std::uint32_t>(shot.height);
  auto le32 = [&](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.put(static_cast<char>(v >> (8 * i)));
  };
  auto le16 = [&](std::uint16_t v) {
    out.put(static_cast<char>(v));
    out.put(static_cast<char>(v >> 8));
  };
  out.write("BM", 2);
  le32(size);
  le32(0);
  le32(54);
  le32(40);
  le32(static_cast<std::uint32_t>(shot.width));
  le32(static_cast<std::uint32_t>(-shot.height));  // top-down rows
  le16(1);
  le16(32);
  for (int i = 0; i < 6; ++i) le32(0);
  for (std::uint32_t pixel : shot.pixels) le32(pixel);
}

}  // namespace korvi::test
