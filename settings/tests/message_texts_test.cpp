#include "settings/message_texts.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>
#include <vector>

namespace tessalander {

namespace {

// Code page 932 bytes as UTF-8, through the C library's converter.
std::string FromCp932(const std::string& bytes) {
  iconv_t cd = iconv_open("UTF-8", "CP932");
  EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1)) << "no CP932 converter";
  if (cd == reinterpret_cast<iconv_t>(-1)) return {};
  std::string in = bytes;
  std::string out(bytes.size() * 3 + 1, '\0');
  char* inPtr = in.data();
  char* outPtr = out.data();
  size_t inLeft = in.size();
  size_t outLeft = out.size();
  const size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  EXPECT_NE(result, static_cast<size_t>(-1)) << "not valid code page 932";
  out.resize(out.size() - outLeft);
  return out;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  lines.push_back(text.substr(start));
  return lines;
}

TEST(MessageTexts, ReadAsCodePage932) {
  const struct {
    const char* name;
    const char* bytes;
    const char* reads;
  } rows[] = {
      {"dialog failure text",    kDialogBoxFailedText,    "DialogBox関数失敗！"},
      {"dialog failure caption", kDialogBoxFailedCaption, "ＤＬＧ作成に失敗"},
      {"about caption",          kAboutCaption,           "このスクリーンセーバーについて"},
      {"delete caption",         kDeleteCaption,          "＊注意＊"},
      {"delete question",        kDeleteText,
       "Tessalanderのレジストリを削除します。\n"
       "現在のTessalanderの設定は全て破棄されますが、よろしいですか？"},
      {"browse error text",      kBrowseErrorText,        "ERROR!"},
      {"browse error caption",   kBrowseErrorCaption,     "Getbmpadress"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(FromCp932(row.bytes), row.reads) << row.name;
  }
}

TEST(MessageTexts, AboutHasFourLinesWithTheCreditThird) {
  const std::vector<std::string> lines = Lines(FromCp932(kAboutText));
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "「Ｔｅｓｓａｌａｎｄｅｒ - version 1.20」");
  EXPECT_EQ(lines[1], "");
  // One ideographic space opens each of the last two lines.
  const std::string ideographicSpace = "\u3000";
  EXPECT_EQ(lines[2], ideographicSpace + "Orvelstad Nube");
  ASSERT_GT(lines[3].size(), ideographicSpace.size() + 10);
  EXPECT_EQ(lines[3].substr(0, ideographicSpace.size()), ideographicSpace);
  EXPECT_NE(lines[3].substr(ideographicSpace.size(), ideographicSpace.size()), ideographicSpace);
}

}  // namespace

}  // namespace tessalander
