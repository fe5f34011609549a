// What the shipped art must hold, as the asset tests read it: the creature sets with their frame
// counts and hit frames, resource names, and small helpers that open and decode embedded pictures.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/image.h"

struct ArtSet {
  const char* name;
  std::array<int, 3> frames;  // attack, gothit, die
  int hit;
};

inline constexpr ArtSet kArtSets[] = {
    {"spider", {9, 5, 10}, 7},   {"wasp", {8, 9, 11}, 7},      {"mummy", {10, 7, 11}, 7},
    {"poisoner", {9, 9, 11}, 7}, {"skeleton", {10, 7, 9}, 8},  {"dwarf", {13, 9, 11}, 8},
    {"monster", {13, 9, 11}, 9}, {"rocktroll", {13, 9, 17}, 9}, {"orc", {13, 9, 13}, 9},
    {"crockman", {11, 9, 11}, 9}, {"raptor", {13, 9, 11}, 8}, {"knight", {13, 9, 9}, 10},
    {"zombie", {11, 9, 9}, 8},   {"devil", {9, 9, 13}, 7},     {"wizard", {9, 9, 10}, 5},
    {"dragon", {9, 7, 11}, 6},   {"hero", {9, 7, 9}, 6},
};

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
