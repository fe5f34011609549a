// Opening and decoding the embedded art for the asset tests.
#include "art_layout.h"

#include <algorithm>

#include "platform/files/resources.h"
#include "platform/files/stream.h"

bool ReadEmbedded(const std::string& name, std::vector<uint8_t>& bytes) {
  StreamPtr stream = OpenResourceStream(Text(("incbin::" + name).c_str()));
  if (!stream) return false;
  bytes.assign(size_t(std::max<int64_t>(stream->Size(), 0)), 0);
  return bytes.empty() || stream->Read(bytes.data(), int64_t(bytes.size())) == int64_t(bytes.size());
}

std::unique_ptr<Decoded> DecodeEmbedded(const std::string& name) {
  auto out = std::make_unique<Decoded>();
  if (!ReadEmbedded(name, out->bytes)) return nullptr;
  std::unique_ptr<TPixmap> pixmap = DecodePixmap(out->bytes.data(), int64_t(out->bytes.size()));
  if (!pixmap) return nullptr;
  std::unique_ptr<TPixmap> rgba = ConvertPixmap(*pixmap, 6);
  out->width = rgba->width;
  out->height = rgba->height;
  out->rgba.resize(size_t(rgba->width) * size_t(rgba->height) * 4);
  for (int y = 0; y < rgba->height; ++y)
    std::copy_n(&rgba->pixels[size_t(y) * size_t(rgba->pitch)], size_t(rgba->width) * 4,
                &out->rgba[size_t(y) * size_t(rgba->width) * 4]);
  return out;
}

std::string KindFolder(const ArtSet& set, int kind) {
  return std::string("image\\") + set.name + "\\" + kKinds[kind] + "\\";
}

std::string FramePath(const ArtSet& set, int kind, int frame) {
  return KindFolder(set, kind) + kKinds[kind] + " " + std::to_string(frame) + ".png";
}

std::vector<std::array<int32_t, 2>> ReadOffsets(const ArtSet& set, int kind) {
  std::vector<uint8_t> bytes;
  std::vector<std::array<int32_t, 2>> out;
  if (!ReadEmbedded(KindFolder(set, kind) + "offset.dat", bytes)) return out;
  auto word = [&](size_t at) {
    return int32_t(uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 | uint32_t(bytes[at + 2]) << 16 |
                   uint32_t(bytes[at + 3]) << 24);
  };
  for (size_t i = 0; i + 8 <= bytes.size(); i += 8) out.push_back({word(i), word(i + 4)});
  return out;
}

InkBox FindInk(const Decoded& picture) {
  InkBox box;
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x)
      if (picture.Ink(x, y)) {
        box.x0 = std::min(box.x0, x);
        box.y0 = std::min(box.y0, y);
        box.x1 = std::max(box.x1, x);
        box.y1 = std::max(box.y1, y);
      }
  return box;
}
