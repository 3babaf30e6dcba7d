#include "host/command_line.h"
#include "host/tests/char_next.h"

#include <gtest/gtest.h>

#include <string>

namespace tessalander {

namespace {

using M = SaverMode;

struct ChoiceRow {
  const char* arguments;  // as they follow the program name
  bool windows9x;
  SaverMode mode;
  uint32_t window;
  bool foregroundFallback;
};

// arguments               9x     mode                 window      foreground fallback
const ChoiceRow kChoices[] = {
    {"/s",                  false, M::Saver,            0,          false},
    {"-s",                  false, M::Saver,            0,          false},
    {"s",                   false, M::Saver,            0,          false},
    {"S",                   false, M::Saver,            0,          false},
    {" /s",                 false, M::Saver,            0,          false},
    {"-/ -s",               false, M::Saver,            0,          false},
    {"/s /p 123",           false, M::Saver,            0,          false},
    {"/screensaver",        false, M::Saver,            0,          false},
    {"\t/s",                false, M::None,             0,          false},
    {"/p 123",              false, M::Preview,          123,        false},
    {"/p123",               false, M::Preview,          123,        false},
    {"/P   123",            false, M::Preview,          123,        false},
    {"/l 123",              false, M::Preview,          123,        false},
    {"/L 123",              false, M::Preview,          123,        false},
    {"/p 12abc",            false, M::Preview,          12,         false},
    {"/p",                  false, M::None,             0,          false},
    {"/p abc",              false, M::None,             0,          false},
    {"/p 0",                false, M::None,             0,          false},
    {"/p:123",              false, M::None,             0,          false},
    {"/p\t123",             false, M::None,             0,          false},
    {"/p 4294967296",       false, M::None,             0,          false},
    {"/p 4294967297",       false, M::Preview,          1,          false},
    {"/p 12345678901",      false, M::Preview,          3755744309, false},
    {"",                    false, M::Configure,        0,          false},
    {"   ",                 false, M::Configure,        0,          false},
    {"--//",                false, M::Configure,        0,          false},
    {"/c",                  false, M::Configure,        0,          true},
    {"/c:1234",             false, M::Configure,        1234,       true},
    {"/C:1234",             false, M::Configure,        1234,       true},
    {"/c 1234",             false, M::Configure,        0,          true},
    {"/c:0",                false, M::Configure,        0,          true},
    {"/c: 1234",            false, M::Configure,        0,          true},
    {"/c:abc",              false, M::Configure,        0,          true},
    {"/a 1234",             false, M::None,             0,          false},
    {"/A",                  false, M::None,             0,          false},
    {"/a 1234",             true,  M::ChangePassword,   1234,       true},
    {"/a1234",              true,  M::ChangePassword,   1234,       true},
    {"/a",                  true,  M::ChangePassword,   0,          true},
    {"/s",                  true,  M::Saver,            0,          false},
    {"/x",                  false, M::None,             0,          false},
    {"/x",                  true,  M::None,             0,          false},
    {"/1",                  false, M::None,             0,          false},
    {":s",                  false, M::None,             0,          false},
    {"\x82\xa0",            false, M::None,             0,          false},
    {"\x01/s",              false, M::None,             0,          false},
};

TEST(ChooseSaverMode, Table) {
  for (const auto& row : kChoices) {
    SCOPED_TRACE(testing::Message() << '"' << row.arguments << "\" 9x=" << row.windows9x);
    const DispatchChoice choice = ChooseSaverMode(row.arguments, row.windows9x);
    EXPECT_EQ(choice.mode, row.mode);
    EXPECT_EQ(choice.window, row.window);
    EXPECT_EQ(choice.foregroundFallback, row.foregroundFallback);
  }
}

TEST(ParseWindowHandle, DecimalModulo2To32) {
  const struct {
    const char* text;
    uint32_t value;
  } rows[] = {
      {"", 0},
      {"abc", 0},
      {" 12", 0},          // no leading spaces
      {"-12", 0},          // no sign
      {"0x1F", 0},         // no hexadecimal
      {"12abc", 12},
      {"4294967295", 4294967295u},
      {"4294967296", 0},
      {"4294967306", 10},
      {"99999999999999999999", 1661992959u},
      {"000123", 123},
  };
  for (const auto& row : rows) EXPECT_EQ(ParseWindowHandle(row.text), row.value) << row.text;
}

struct SkipRow {
  const char* commandLine;
  const char* arguments;
};

// command line                                     argument text
const SkipRow kSkips[] = {
    {"Tessalander.scr /s",                          "/s"},
    {"Tessalander.scr",                             ""},
    {"Tessalander.scr   \t /p 123",                 "/p 123"},
    {"\"C:\\My Savers\\Tessalander.scr\" /s",       "/s"},
    {"\"C:\\My Savers\\Tessalander.scr\"/s",        "/s"},
    {"\"C:\\unterminated /s",                       ""},
    {"\"\" /c",                                     "/c"},
    {"Tessalander.scr/s",                           ""},
    {"C:\\\x83\x65\x83\x58\x83\x67.scr /s",         "/s"},   // a double-byte name
    {"\"\x83\x65\x83\x58 x.scr\" /s",               "/s"},
    {"\xff\xfe.scr /c",                             "/c"},   // high bytes belong to the name
    {"",                                            ""},
    {" /s",                                         "/s"},   // empty program name
};

TEST(SkipProgramName, Table) {
  for (const auto& row : kSkips) {
    for (CharNextFn next : {&NextByte, &NextShiftJis}) {
      EXPECT_STREQ(SkipProgramName(row.commandLine, next), row.arguments) << row.commandLine;
    }
  }
}

TEST(SkipProgramName, EndsAtTheTextsEndWithATrailingLeadByte) {
  const char line[] = "\"name\x83";  // unterminated quote ending in a lead byte
  EXPECT_EQ(SkipProgramName(line, &NextShiftJis), line + sizeof line - 1);
}

}  // namespace

}  // namespace tessalander
