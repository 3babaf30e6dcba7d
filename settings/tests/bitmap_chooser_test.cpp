#include "settings/bitmap_chooser.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace tessalander {

namespace {

using namespace std::string_literals;

bool Cp932Lead(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}
bool NoLead(unsigned char) { return false; }

TEST(ReplaceWithNul, ExactBytes) {
  const struct {
    std::string before;  // the whole buffer, NULs included
    char character;
    std::string after;
  } rows[] = {
      {"ALL FILES|*.*|\0"s,                          '|', "ALL FILES\0*.*\0\0"s},
      {"BMP FILES(*.bmp)|*.bmp|\0"s,                 '|', "BMP FILES(*.bmp)\0*.bmp\0\0"s},
      // Once turned, a second pass finds no separator before the first NUL,
      // so the pattern the Open dialog stored behind it survives.
      {"BMP FILES(*.bmp)\0*.jpg|\0"s,                '|', "BMP FILES(*.bmp)\0*.jpg|\0"s},
      {"no separator\0"s,                            '|', "no separator\0"s},
      {"|\0"s,                                       '|', "\0\0"s},
      {"||\0"s,                                      '|', "\0\0\0"s},
      {"\0|"s,                                       '|', "\0|"s},
      {"a,b,c\0"s,                                   ',', "a\0b\0c\0"s},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::PrintToString(row.before));
    std::string buffer = row.before;
    ReplaceWithNul(buffer.data(), row.character);
    EXPECT_EQ(buffer, row.after);
  }
}

TEST(ReplaceWithNul, TheFilterConstantsFitTheirBuffers) {
  EXPECT_EQ(sizeof kAllFilesFilter, 15u);
  EXPECT_LE(sizeof kInitialCustomFilter, kCustomFilterSize);
}

struct RuleRow {
  const char* before;
  const char* after;
};

// path as the Open dialog leaves it          what PathField then shows
const RuleRow kRule[] = {
    {"C:\\pics\\cat.bmp",                       "C:\\pics\\cat.bmp"},
    {"C:\\pics\\cat.BMP",                       "C:\\pics\\cat.BMP"},
    {"C:\\pics\\cat.Bmp",                       "C:\\pics\\cat.Bmp.bmp"},
    {"C:\\pics\\cat.bMP",                       "C:\\pics\\cat.bMP.bmp"},
    {"C:\\pics\\cat.jpg",                       "C:\\pics\\cat.jpg.bmp"},
    {"C:\\my.bmpfiles\\cat.jpg",                "C:\\my.bmpfiles\\cat.jpg"},
    {"C:\\MY.BMPFILES\\cat.jpg",                "C:\\MY.BMPFILES\\cat.jpg"},
    {"",                                        ".bmp"},
    {"C:\\pics\\cat",                           "C:\\pics\\cat.bmp"},
    {"C:\\pics\\cat.",                          "C:\\pics\\cat..bmp"},
    {"C:\\pics\\bmp",                           "C:\\pics\\bmp.bmp"},
    {"\x83\x58\x83\x89\x83\x43\x83\x68.bmp",    "\x83\x58\x83\x89\x83\x43\x83\x68.bmp"},
    {"C:\\\x8a\x47",                            "C:\\\x8a\x47.bmp"},
};

TEST(EnsureBmpExtension, TheRule) {
  for (const auto& row : kRule) {
    SCOPED_TRACE(row.before);
    SettingText path = {};
    std::strcpy(path, row.before);
    EnsureBmpExtension(path, Cp932Lead);
    EXPECT_STREQ(path, row.after);
  }
}

// PathBuffer with room behind it, to see that nothing is written past it.
struct GuardedPath {
  SettingText path;
  char guard[32];
};

TEST(EnsureBmpExtension, LongTextsAreCutToFitTheBuffer) {
  const struct {
    std::string text;  // at most 256 bytes: the buffer's whole content
    LeadBytePredicate lead;
    std::string after;
  } rows[] = {
      {std::string(250, 'a'),             Cp932Lead, std::string(250, 'a') + ".bmp"},
      {std::string(251, 'a'),             Cp932Lead, std::string(251, 'a') + ".bmp"},
      {std::string(252, 'a'),             Cp932Lead, std::string(251, 'a') + ".bmp"},
      {std::string(255, 'a'),             Cp932Lead, std::string(251, 'a') + ".bmp"},
      // A buffer without a NUL ends at its last byte.
      {std::string(256, 'a'),             Cp932Lead, std::string(251, 'a') + ".bmp"},
      // A long text that already has ".bmp" is left alone.
      {std::string(251, 'a') + ".bmp",    Cp932Lead, std::string(251, 'a') + ".bmp"},
      {".BMP" + std::string(251, 'a'),    Cp932Lead, ".BMP" + std::string(251, 'a')},
      // The cut never splits a two-byte character: its lead byte at 250 and
      // trail byte at 251 go together.
      {std::string(250, 'a') + "\x8a\x47" "b", Cp932Lead, std::string(250, 'a') + ".bmp"},
      {std::string(249, 'a') + "\x8a\x47" "b", Cp932Lead, std::string(249, 'a') + "\x8a\x47.bmp"},
      // The same bytes under a single-byte code page are cut at 251.
      {std::string(250, 'a') + "\x8a\x47" "b", NoLead,    std::string(250, 'a') + "\x8a.bmp"},
      // A trail byte may look like '\\' (0x5C); it still goes with its lead.
      {std::string(250, 'a') + "\x95\x5c" "c", Cp932Lead, std::string(250, 'a') + ".bmp"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.text.size() << " bytes");
    GuardedPath buffer;
    std::memset(&buffer, '#', sizeof buffer);
    std::memcpy(buffer.path, row.text.data(), row.text.size());
    if (row.text.size() < sizeof buffer.path) buffer.path[row.text.size()] = '\0';
    EnsureBmpExtension(buffer.path, row.lead);
    EXPECT_EQ(std::string(buffer.path), row.after);
    EXPECT_LE(std::strlen(buffer.path), sizeof buffer.path - 1);
    EXPECT_EQ(std::string(buffer.guard, sizeof buffer.guard), std::string(sizeof buffer.guard, '#'))
        << "written past PathBuffer";
  }
}

TEST(SettleChosenPath, ByOutcome) {
  const struct {
    const char* what;
    const char* before;  // the text when Browse was pressed
    const char* left;    // what the Open dialog left in PathBuffer
    OpenDialogOutcome outcome;
    int result;
    const char* after;
  } rows[] = {
      {"chosen",               "",               "C:\\pics\\cat.jpg", OpenDialogOutcome::Chosen,    1, "C:\\pics\\cat.jpg.bmp"},
      {"chosen, has .BMP",     "C:\\a.bmp",      "C:\\pics\\cat.BMP", OpenDialogOutcome::Chosen,    1, "C:\\pics\\cat.BMP"},
      {"cancelled, empty",     "",               "",                  OpenDialogOutcome::Cancelled, 1, ".bmp"},
      {"cancelled, no ext",    "C:\\pics\\cat",  "C:\\pics\\cat",     OpenDialogOutcome::Cancelled, 1, "C:\\pics\\cat.bmp"},
      {"failed: size report",  "C:\\pics\\cat",  "\x90\x01",          OpenDialogOutcome::Failed,    0, "C:\\pics\\cat"},
      {"failed, empty",        "",               "\xff",              OpenDialogOutcome::Failed,    0, ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    SettingText before;
    std::memset(before, '#', sizeof before);  // bytes after the text travel too
    std::strcpy(before, row.before);
    SettingText path;
    std::memcpy(path, before, sizeof path);
    std::strcpy(path, row.left);
    EXPECT_EQ(SettleChosenPath(path, before, row.outcome, Cp932Lead), row.result);
    EXPECT_STREQ(path, row.after);
    if (row.outcome == OpenDialogOutcome::Failed) {
      EXPECT_EQ(std::memcmp(path, before, sizeof path), 0) << "failure must restore every byte";
    }
  }
}

}  // namespace

}  // namespace tessalander
