// The kept bitmap files of engine/tests/bitmaps (made by make_bitmaps.py):
// hostile/ holds files whose headers no bitmap can have, valid/ possible
// bitmaps. The tests that use them define TESSALANDER_TEST_BITMAPS.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "engine/memory/image_files.h"

namespace tessalander {

struct KeptBitmap {
  std::vector<uint8_t> bytes;
  bool possible;  // kept in valid/
};

// Every kept file by name; a name is used in one folder only.
inline std::map<std::string, KeptBitmap> KeptBitmaps() {
  std::map<std::string, KeptBitmap> files;
  for (const bool possible : {false, true}) {
    const std::filesystem::path folder =
        std::filesystem::path(TESSALANDER_TEST_BITMAPS) / (possible ? "valid" : "hostile");
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      KeptBitmap file{{}, possible};
      if (!ReadDiskFile(entry.path().string(), file.bytes)) {
        ADD_FAILURE() << "cannot read " << entry.path();
        continue;
      }
      const bool added = files.emplace(entry.path().filename().string(), file).second;
      if (!added) ADD_FAILURE() << entry.path().filename() << " is kept in both folders";
    }
  }
  return files;
}

}  // namespace tessalander
