// Reading and writing pictures for the memory back-end and the tools: BMP
// files read as Windows reads them, PNG and BMP written from a surface.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/memory/memory_surface.h"

namespace tessalander {

// Fills bytes with the file's contents; false when it cannot be read or is no
// regular file (a directory, a device, a FIFO).
bool ReadDiskFile(const std::string& path, std::vector<uint8_t>& bytes);

// A Windows bitmap file's pixels, as Windows reads them; nothing for any other
// format or a file the header check refuses (engine/bitmap_header.h).
std::optional<MemorySurface> DecodeBmp(const std::vector<uint8_t>& bytes);

// Any picture file the tools accept as input (BMP or PNG).
std::optional<MemorySurface> ReadImageFile(const std::string& path);

std::vector<uint8_t> EncodeBmp(const MemorySurface& surface);
bool WriteBmpFile(const std::string& path, const MemorySurface& surface);
bool WritePngFile(const std::string& path, const MemorySurface& surface);

// A picture in which no two pixels of a 4096 x 4096 area share a colour, so
// any block in the wrong place shows. `salt` makes different pictures.
MemorySurface MakeTestPattern(int32_t width, int32_t height, uint32_t salt = 0);

}  // namespace tessalander
