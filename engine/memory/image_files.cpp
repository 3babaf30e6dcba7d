#include "engine/memory/image_files.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "engine/bitmap_header.h"
#include "engine/bitmap_rows.h"
#include "engine/memory/stb.h"

namespace tessalander {

namespace {

std::optional<MemorySurface> FromRgb(const unsigned char* rgb, int width, int height) {
  if (rgb == nullptr) return std::nullopt;
  MemorySurface surface(width, height);
  for (size_t i = 0; i < surface.Pixels.size(); ++i) {
    const unsigned char* p = rgb + 3 * i;
    surface.Pixels[i] = (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | uint32_t{p[2]};
  }
  stbi_image_free(const_cast<unsigned char*>(rgb));
  return surface;
}

std::vector<unsigned char> ToRgb(const MemorySurface& surface) {
  std::vector<unsigned char> rgb(surface.Pixels.size() * 3);
  for (size_t i = 0; i < surface.Pixels.size(); ++i) {
    rgb[3 * i] = static_cast<unsigned char>(surface.Pixels[i] >> 16);
    rgb[3 * i + 1] = static_cast<unsigned char>(surface.Pixels[i] >> 8);
    rgb[3 * i + 2] = static_cast<unsigned char>(surface.Pixels[i]);
  }
  return rgb;
}

void AppendBytes(void* context, void* data, int size) {
  auto* out = static_cast<std::vector<uint8_t>*>(context);
  const auto* bytes = static_cast<const uint8_t*>(data);
  out->insert(out->end(), bytes, bytes + size);
}

bool IsBmp(const std::vector<uint8_t>& bytes) {
  return bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
}

// The most pixels the tools decode, 8192 x 8192 (256 MB of them; an 8000 x
// 6000 photo fits): a few bytes of RLE can describe a far larger picture.
constexpr uint64_t kMostPixels = uint64_t{1} << 26;

uint32_t Packed(const uint8_t* blueGreenRed) {
  return uint32_t{blueGreenRed[2]} << 16 | uint32_t{blueGreenRed[1]} << 8 | blueGreenRed[0];
}

// The colour table, 256 entries; those past the file's are black, as Wine
// shows an index past a short table (Windows does not document it).
std::vector<uint32_t> Palette(const std::vector<uint8_t>& bytes, const BitmapLayout& layout) {
  std::vector<uint32_t> colours(256, 0);
  const uint8_t* entry = bytes.data() + layout.paletteOffset;
  for (uint32_t i = 0; i < layout.paletteEntries; ++i, entry += layout.paletteEntryBytes) {
    colours[i] = Packed(entry);
  }
  return colours;
}

struct RleTarget {
  MemorySurface* surface;
  const std::vector<uint32_t>* colours;
};

void DrawRun(void* context, int32_t x, int32_t row, const uint8_t* indices, int32_t count) {
  const auto* target = static_cast<const RleTarget*>(context);
  uint32_t* pixel = &target->surface->At(x, target->surface->Height - 1 - row);
  for (int32_t i = 0; i < count; ++i) pixel[i] = (*target->colours)[indices[i]];
}

// The file's pixels as Windows reads them: pixels an RLE stream skips stay
// black, as in the new bitmap LoadImageA draws it into.
std::optional<MemorySurface> DecodeLayout(const std::vector<uint8_t>& bytes,
                                          const BitmapLayout& layout) {
  if (static_cast<uint64_t>(layout.width) * static_cast<uint64_t>(layout.height) > kMostPixels) {
    return std::nullopt;
  }
  MemorySurface surface(layout.width, layout.height);
  const std::vector<uint32_t> colours = Palette(bytes, layout);
  const uint8_t* data = bytes.data() + layout.dataOffset;
  if (layout.compression == kBiRle8 || layout.compression == kBiRle4) {
    RleTarget target{&surface, &colours};
    if (!WalkRleStream(layout, data, static_cast<size_t>(layout.dataBytes), &DrawRun, &target)) {
      return std::nullopt;
    }
    return surface;
  }
  const int bits = static_cast<int>(layout.bitsPerPixel);
  std::vector<uint8_t> read(bits > 8 ? static_cast<size_t>(ReadRowBytes(layout)) : 0);
  for (int32_t stored = 0; stored < layout.height; ++stored, data += layout.rowBytes) {
    uint32_t* out = &surface.At(0, layout.height - 1 - RowFromBottom(layout, stored));
    if (bits <= 8) {
      for (int32_t x = 0; x < layout.width; ++x) {
        const int64_t bit = int64_t{x} * bits;
        const int index = data[bit / 8] >> (8 - bits - bit % 8) & ((1 << bits) - 1);
        out[x] = colours[static_cast<size_t>(index)];
      }
    } else {
      ReadRow(layout, data, read.data());
      const int step = ReadPixelBytes(layout);
      for (int32_t x = 0; x < layout.width; ++x) out[x] = Packed(read.data() + step * x);
    }
  }
  return surface;
}

std::optional<MemorySurface> Decode(const std::vector<uint8_t>& bytes) {
  if (bytes.size() > static_cast<size_t>(INT32_MAX)) return std::nullopt;
  int width = 0, height = 0, channels = 0;
  const unsigned char* rgb = stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()),
                                                   &width, &height, &channels, 3);
  return FromRgb(rgb, width, height);
}

}  // namespace

bool ReadDiskFile(const std::string& path, std::vector<uint8_t>& bytes) {
  // Only a regular file: a device would never end, a FIFO block (the saver
  // refuses them too).
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return false;
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  // A directory opens, and then the first read throws.
  try {
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  } catch (const std::ios_base::failure&) {
    return false;
  }
  return !file.bad();
}

std::optional<MemorySurface> DecodeBmp(const std::vector<uint8_t>& bytes) {
  BitmapLayout layout;
  if (!ReadBitmapLayout(bytes.data(), bytes.size(), bytes.size(), &layout)) return std::nullopt;
  return DecodeLayout(bytes, layout);
}

std::optional<MemorySurface> ReadImageFile(const std::string& path) {
  std::vector<uint8_t> bytes;
  if (!ReadDiskFile(path, bytes)) return std::nullopt;
  // A BMP is read as a picture file is, header check first.
  return IsBmp(bytes) ? DecodeBmp(bytes) : Decode(bytes);
}

std::vector<uint8_t> EncodeBmp(const MemorySurface& surface) {
  std::vector<uint8_t> out;
  const std::vector<unsigned char> rgb = ToRgb(surface);
  stbi_write_bmp_to_func(&AppendBytes, &out, surface.Width, surface.Height, 3, rgb.data());
  return out;
}

bool WriteBmpFile(const std::string& path, const MemorySurface& surface) {
  const std::vector<uint8_t> bytes = EncodeBmp(surface);
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return !bytes.empty() && static_cast<bool>(file);
}

bool WritePngFile(const std::string& path, const MemorySurface& surface) {
  const std::vector<unsigned char> rgb = ToRgb(surface);
  return stbi_write_png(path.c_str(), surface.Width, surface.Height, 3, rgb.data(),
                        surface.Width * 3) != 0;
}

MemorySurface MakeTestPattern(int32_t width, int32_t height, uint32_t salt) {
  MemorySurface surface(width, height);
  uint32_t* pixel = surface.Pixels.data();
  for (uint32_t y = 0; y < static_cast<uint32_t>(surface.Height); ++y) {
    const uint32_t rowBits = ((y & 0xFF) << 8) | (((y >> 8) & 0xF) << 4);
    for (uint32_t x = 0; x < static_cast<uint32_t>(surface.Width); ++x) {
      *pixel++ = (((x & 0xFF) << 16) | rowBits | ((x >> 8) & 0xF)) ^ (salt & 0xFFFFFF);
    }
  }
  return surface;
}

}  // namespace tessalander
