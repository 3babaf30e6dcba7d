// Portable stand-ins for CharNextA, to step over command lines in the tests.
#pragma once

namespace tessalander {

// One byte at a time, as under a single-byte code page.
inline const char* NextByte(const char* p) { return *p != '\0' ? p + 1 : p; }

// Under code page 932: a lead byte and its trail byte are one character.
inline const char* NextShiftJis(const char* p) {
  if (*p == '\0') return p;
  const auto lead = static_cast<unsigned char>(*p);
  const bool isLead = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
  return isLead && p[1] != '\0' ? p + 2 : p + 1;
}

}  // namespace tessalander
