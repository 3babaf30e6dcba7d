#include "settings/bitmap_chooser.h"

#include <cstring>

namespace tessalander {

void ReplaceWithNul(char* text, char character) {
  const size_t length = std::strlen(text);
  for (size_t i = 0; i <= length; ++i) {
    if (text[i] == character) text[i] = '\0';
  }
}

namespace {

// The longest prefix of text, at most limit bytes, that ends between characters.
size_t CharacterBoundary(const char* text, size_t length, size_t limit,
                         LeadBytePredicate isLeadByte) {
  size_t end = 0;
  while (end < length) {
    const bool pair = isLeadByte(static_cast<unsigned char>(text[end])) && end + 1 < length;
    const size_t next = end + (pair ? 2 : 1);
    if (next > limit) break;
    end = next;
  }
  return end;
}

}  // namespace

void EnsureBmpExtension(SettingText& path, LeadBytePredicate isLeadByte) {
  // The buffer is normally terminated; if not, its last byte becomes the end.
  path[sizeof path - 1] = '\0';
  // '.' is never the second byte of a two-byte character, so a match always
  // starts on a character.
  if (std::strstr(path, ".bmp") != nullptr || std::strstr(path, ".BMP") != nullptr) return;

  const size_t extension = sizeof kBmpExtension - 1;
  const size_t limit = sizeof path - 1 - extension;
  size_t length = std::strlen(path);
  if (length > limit) {
    length = CharacterBoundary(path, length, limit, isLeadByte);
    path[length] = '\0';
  }
  std::memcpy(path + length, kBmpExtension, sizeof kBmpExtension);
}

int SettleChosenPath(SettingText& path, const SettingText& before, OpenDialogOutcome outcome,
                     LeadBytePredicate isLeadByte) {
  if (outcome == OpenDialogOutcome::Failed) {
    std::memcpy(path, before, sizeof path);
    return 0;
  }
  EnsureBmpExtension(path, isLeadByte);
  return 1;
}

}  // namespace tessalander
