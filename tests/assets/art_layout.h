// What the shipped art must hold, as the asset tests read it: the creature sets (the generator's
// table), resource names, and small helpers that open and decode embedded pictures.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/images/image.h"
#include "tools/artgen/creature.h"

// The generator's own table: what it draws is what the game must load.
using ArtSet = artgen::CreatureArt;
inline const std::vector<ArtSet>& ArtSets() { return artgen::Creatures(); }

inline constexpr const char* kKinds[3] = {"attack", "gothit", "die"};

// A decoded picture as RGBA rows, with the embedded file's bytes it came from.
struct Decoded {
  int width = 0, height = 0;
  std::vector<uint8_t> rgba;
  std::vector<uint8_t> bytes;
  bool Ink(int x, int y) const {
    const uint8_t* p = &rgba[(size_t(y) * size_t(width) + size_t(x)) * 4];
    return !(p[0] == 255 && p[1] == 0 && p[2] == 255);
  }
  const uint8_t* At(int x, int y) const { return &rgba[(size_t(y) * size_t(width) + size_t(x)) * 4]; }
};

// The embedded file's bytes through "incbin::"; false when it cannot be opened.
bool ReadEmbedded(const std::string& name, std::vector<uint8_t>& bytes);
// Opens and decodes with the platform's decoder; nullptr when either fails.
std::unique_ptr<Decoded> DecodeEmbedded(const std::string& name);
std::string FramePath(const ArtSet& set, int kind, int frame);
std::string KindFolder(const ArtSet& set, int kind);
// Each frame's offset pair from the set's offset.dat.
std::vector<std::array<int32_t, 2>> ReadOffsets(const ArtSet& set, int kind);

// The figure's own pixels (not magenta) inside a picture: an empty box has x1 < x0.
struct InkBox {
  int x0 = 1 << 20, y0 = 1 << 20, x1 = -(1 << 20), y1 = -(1 << 20);
  bool Empty() const { return x1 < x0; }
};
InkBox FindInk(const Decoded& picture);
