// Random command lines through the whole parse. Each text sits in a heap block
// of exactly its own size, so AddressSanitizer reports any read past its NUL.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>

#include "host/command_line.h"
#include "host/tests/char_next.h"

namespace tessalander {

namespace {

// Bytes that steer the parser, drawn more often than the rest.
constexpr char kInteresting[] = {'"', ' ', '\t', '/', '-', ':', 's', 'S', 'p', 'P', 'l',
                                 'c', 'C', 'a', 'A', '0', '1', '9', '\x81', '\x9f', '\xe0'};

TEST(CommandLineFuzz, RandomTextsStayInsideTheirBuffers) {
  std::mt19937 random(20261207);
  constexpr int kTexts = 300000;
  for (int i = 0; i < kTexts; ++i) {
    const size_t length = random() % 24;
    auto text = std::make_unique<char[]>(length + 1);
    for (size_t j = 0; j < length; ++j) {
      char byte = (random() % 2 == 0)
                      ? kInteresting[random() % sizeof kInteresting]
                      : static_cast<char>(1 + random() % 255);  // never NUL inside
      text[j] = byte;
    }
    text[length] = '\0';
    const char* begin = text.get();
    const char* end = begin + length;
    for (CharNextFn next : {&NextByte, &NextShiftJis}) {
      const char* arguments = SkipProgramName(begin, next);
      ASSERT_GE(arguments, begin);
      ASSERT_LE(arguments, end);
      for (bool windows9x : {false, true}) {
        const DispatchChoice choice = ChooseSaverMode(arguments, windows9x);
        if (choice.mode == SaverMode::Preview) {
          ASSERT_NE(choice.window, 0u);
        }
        if (choice.mode == SaverMode::ChangePassword) {
          ASSERT_TRUE(windows9x);
        }
      }
    }
    ParseWindowHandle(begin);
  }
}

}  // namespace

}  // namespace tessalander
