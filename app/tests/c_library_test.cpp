// The .scr's own C string and memory functions (app/win32/c_library.cpp),
// which replace the C runtime DLL there, against the C library's, where
// hand-made ones go wrong: overlapping moves, bytes above 0x7F, padding,
// partial matches, zero lengths.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

#include "app/win32/runtime_name.h"

extern "C" {
void* TESSALANDER_RUNTIME_NAME(memcpy)(void* destination, const void* source, size_t count);
void* TESSALANDER_RUNTIME_NAME(memmove)(void* destination, const void* source, size_t count);
void* TESSALANDER_RUNTIME_NAME(memset)(void* destination, int value, size_t count);
int TESSALANDER_RUNTIME_NAME(memcmp)(const void* left, const void* right, size_t count);
void* TESSALANDER_RUNTIME_NAME(memchr)(const void* memory, int value, size_t count);
size_t TESSALANDER_RUNTIME_NAME(strlen)(const char* text);
char* TESSALANDER_RUNTIME_NAME(strncpy)(char* destination, const char* source, size_t count);
char* TESSALANDER_RUNTIME_NAME(strstr)(const char* text, const char* part);
}

#define OUR(name) TESSALANDER_RUNTIME_NAME(name)

namespace {

constexpr size_t kBuffer = 16;

void FillNumbered(unsigned char (&bytes)[kBuffer]) {
  for (size_t i = 0; i < kBuffer; ++i) bytes[i] = static_cast<unsigned char>(0xF0 - 7 * i);
}

int Sign(int value) { return (value > 0) - (value < 0); }

// Where a found pointer lies in text, or -1 for none.
ptrdiff_t Offset(const void* found, const void* text) {
  return found == nullptr ? -1 : static_cast<const char*>(found) - static_cast<const char*>(text);
}

TEST(CLibraryTest, CopiesMovesAndFillsAsTheCLibraryDoes) {
  // Within one buffer: from, to, count; the copies only where they do not overlap.
  const struct {
    size_t from, to, count;
    bool overlap;
  } moves[] = {{0, 3, 10, true}, {3, 0, 10, true}, {1, 2, 14, true}, {5, 5, 8, true},
               {0, 8, 8, false}, {8, 0, 8, false}, {2, 3, 0, false}};
  for (const auto& m : moves) {
    unsigned char ours[kBuffer];
    unsigned char theirs[kBuffer];
    FillNumbered(ours);
    FillNumbered(theirs);
    EXPECT_EQ(OUR(memmove)(ours + m.to, ours + m.from, m.count), ours + m.to);
    std::memmove(theirs + m.to, theirs + m.from, m.count);
    EXPECT_EQ(std::memcmp(ours, theirs, kBuffer), 0) << "memmove " << m.from << " -> " << m.to;
    if (m.overlap) continue;
    FillNumbered(ours);
    FillNumbered(theirs);
    EXPECT_EQ(OUR(memcpy)(ours + m.to, ours + m.from, m.count), ours + m.to);
    std::memcpy(theirs + m.to, theirs + m.from, m.count);
    EXPECT_EQ(std::memcmp(ours, theirs, kBuffer), 0) << "memcpy " << m.from << " -> " << m.to;
  }
  // The value as an unsigned char, whatever int it comes as.
  const struct {
    int value;
    size_t count;
  } fills[] = {{0, kBuffer - 1}, {0x1FF, 5}, {-1, 3}, {0x41, 0}};
  for (const auto& f : fills) {
    unsigned char ours[kBuffer];
    unsigned char theirs[kBuffer];
    FillNumbered(ours);
    FillNumbered(theirs);
    EXPECT_EQ(OUR(memset)(ours + 1, f.value, f.count), ours + 1);
    std::memset(theirs + 1, f.value, f.count);
    EXPECT_EQ(std::memcmp(ours, theirs, kBuffer), 0) << "memset " << f.value << " x" << f.count;
  }
}

TEST(CLibraryTest, ComparesAndSearchesBytesAsUnsigned) {
  const struct {
    const char* left;
    const char* right;
    size_t count;
  } comparisons[] = {{"abc", "abd", 3}, {"abd", "abc", 3}, {"abc", "abd", 2}, {"\x80", "\x7F", 1},
                     {"\x7F", "\x80", 1}, {"\xFF\x01", "\xFF\x02", 2}, {"a\0b", "a\0c", 3},
                     {"a", "b", 0}};
  for (const auto& c : comparisons) {
    EXPECT_EQ(Sign(OUR(memcmp)(c.left, c.right, c.count)),
              Sign(std::memcmp(c.left, c.right, c.count)))
        << c.left << " against " << c.right << " x" << c.count;
  }
  // Bytes after a NUL are searched too; the value is taken as an unsigned char.
  const struct {
    const char* memory;
    int value;
    size_t count;
  } searches[] = {{"abc\0def", 'd', 7}, {"abcabc", 'c', 6}, {"abc", 'c', 2}, {"\xFF", -1, 1},
                  {"\xE9", 0xE9, 1}, {"A", 0x141, 1}, {"ab\0", 0, 3}, {"abc", 'a', 0}};
  for (const auto& s : searches) {
    EXPECT_EQ(Offset(OUR(memchr)(s.memory, s.value, s.count), s.memory),
              Offset(std::memchr(s.memory, s.value, s.count), s.memory))
        << s.memory << " for " << s.value << " x" << s.count;
  }
}

TEST(CLibraryTest, CopiesMeasuresAndFindsStringsAsTheCLibraryDoes) {
  // strncpy pads a short text with zeros to the count, and cuts a long one
  // without a terminator; the bytes past the count stay.
  const struct {
    const char* source;
    size_t count;
  } copies[] = {{"abc", 8}, {"abcdef", 3}, {"abc", 3}, {"abc", 4}, {"", 5}, {"abc", 0}};
  for (const auto& c : copies) {
    char ours[kBuffer];
    char theirs[kBuffer];
    std::memset(ours, 'x', sizeof ours);
    std::memset(theirs, 'x', sizeof theirs);
    EXPECT_EQ(OUR(strncpy)(ours, c.source, c.count), ours);
    std::strncpy(theirs, c.source, c.count);
    EXPECT_EQ(std::memcmp(ours, theirs, kBuffer), 0) << c.source << " x" << c.count;
  }
  for (const char* text : {"", "a", "path.bmp", "\xE9t\xE9"}) {
    EXPECT_EQ(OUR(strlen)(text), std::strlen(text)) << text;
  }
  const struct {
    const char* text;
    const char* part;
  } finds[] = {{"C:\\a\\b.bmp", ".bmp"}, {"a.BMP.bmp", ".bmp"}, {"aaab", "aab"}, {"abcabd", "abd"},
               {"abc", ""},           {"", ""},              {"", "a"},        {"ab", "abc"},
               {"abc", "c"},          {"abc", "d"},          {"b.bm", ".bmp"}};
  for (const auto& f : finds) {
    EXPECT_EQ(Offset(OUR(strstr)(f.text, f.part), f.text),
              Offset(std::strstr(f.text, f.part), f.text))
        << "'" << f.part << "' in '" << f.text << "'";
  }
}

}  // namespace
