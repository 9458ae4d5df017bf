#include "screen/terminal_key_decoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Case {
  std::string bytes;
  bool ends_pending;  // inside a sequence after the last byte: expire() then runs
  std::vector<int> codes;
};

// The common sequences of xterm, VTE, rxvt and the Linux console, and what is not
// a sequence.
const Case CASES[] = {
    {"a", false, {'a'}},
    {"\xc3\xa9", false, {0xC3, 0xA9}},  // UTF-8 bytes pass as they are
    {"\r", false, {13}},
    {"\x7f", false, {8}},
    {"\x08", false, {8}},
    {"\x01", false, {1}},
    {"\t", false, {9}},
    {"\x1b[A", false, {224, 72}},
    {"\x1bOD", false, {224, 75}},
    {"\x1b[C", false, {224, 77}},
    {"\x1b[1;5B", false, {224, 80}},  // with a modifier: the plain key
    {"\x1b[H", false, {224, 71}},
    {"\x1bOH", false, {224, 71}},
    {"\x1b[1~", false, {224, 71}},
    {"\x1b[7~", false, {224, 71}},
    {"\x1b[F", false, {224, 79}},
    {"\x1b[4~", false, {224, 79}},
    {"\x1b[5~", false, {224, 73}},
    {"\x1b[6~", false, {224, 81}},
    {"\x1b[2~", false, {224, 82}},
    {"\x1b[3;2~", false, {224, 83}},
    {"\x1bOP", false, {0, 59}},
    {"\x1b[1;2S", false, {0, 62}},
    {"\x1b[[A", false, {0, 59}},
    {"\x1b[[E", false, {0, 63}},
    {"\x1b[15~", false, {0, 63}},
    {"\x1b[17~", false, {0, 64}},
    {"\x1b[21~", false, {0, 68}},
    {"\x1b[23~", false, {224, 133}},
    {"\x1b[24~", false, {224, 134}},
    {"\x1bOM", false, {13}},
    {"\x1b[200~x", false, {'x'}},  // unknown sequences are dropped whole
    {"\x1b[Z", false, {}},
    {"\x1b[99999999999999~", false, {}},
    {"\x1b[" + std::string(40, '1') + "~a", false, {'a'}},
    {"\x1b", true, {27}},
    {"\x1b[", true, {27, '['}},
    {"\x1b[1;", true, {27, '[', '1', ';'}},
    {"\x1bx", false, {27, 'x'}},
    {"\x1b\x1b[A", false, {27, 224, 72}},
    {"\x1b\r", false, {27, 13}},
    {"\x1b[A\x1b[Bq", false, {224, 72, 224, 80, 'q'}},
};

TEST(TerminalKeyDecoder, TurnsBytesIntoKeyCodes) {
  for (const Case& c : CASES) {
    korvi::TerminalKeyDecoder decoder;
    korvi::KeyCodes codes;
    for (const char byte : c.bytes) decoder.feed(static_cast<std::uint8_t>(byte), codes);
    EXPECT_EQ(decoder.pending(), c.ends_pending) << c.bytes;
    decoder.expire(codes);
    EXPECT_EQ(std::vector<int>(codes.begin(), codes.end()), c.codes) << c.bytes;
  }
}

}  // namespace
