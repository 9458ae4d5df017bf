#include "page_line_source.h"

#include <string>

#include "web/browser_wait.h"

extern "C" {
// calc_page.js: the byte length of the oldest line typed and not yet taken, or -1.
int korvi_console_line_length();
// Takes that line into buffer (size bytes: the length and a zero).
void korvi_console_take_line(char* buffer, int size);
void korvi_console_add_recall(const char* line);
// Writes the files of the working folder to the browser's storage.
void korvi_console_save_files();
}

namespace calc {

std::optional<InputText> PageLineSource::next_line() {
  m_output.flush();
  korvi_console_save_files();
  korvi::web::wait_in_browser([] { return korvi_console_line_length() >= 0; });
  const int length = korvi_console_line_length();
  std::string line(static_cast<std::size_t>(length) + 1, '\0');
  korvi_console_take_line(line.data(), length + 1);
  line.resize(static_cast<std::size_t>(length));
  InputText text;
  text.too_long = line.size() > MAX_KEPT_LINE;
  if (text.too_long) line.resize(MAX_KEPT_LINE);
  text.text = std::move(line);
  return text;
}

void PageLineSource::add_to_recall(std::string_view line) {
  if (!line.empty()) korvi_console_add_recall(std::string(line).c_str());
}

}  // namespace calc
