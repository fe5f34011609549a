// The PNG and JPEG codecs (libpng, libjpeg) between file bytes and pixmaps. The decoders never exit,
// never throw and never longjmp through C++ frames; data they do not recognise gives nullptr.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/images/pixmap.h"

std::unique_ptr<TPixmap> DecodePng(const uint8_t* data, int64_t size);
std::unique_ptr<TPixmap> DecodeJpeg(const uint8_t* data, int64_t size);

// Writes an RGB or RGBA pixmap as a PNG file (screenshots); false on failure.
bool WritePng(const TPixmap& pixmap, const char* path);
// How a PNG is written. Screenshots take zlib's level 6 and libpng's own choice of row filters; the
// art generator writes the shipped art at level 9 with the none, sub and up filters only.
struct TPngSettings {
  int32_t compressionLevel = 6;
  bool noneSubUpFilters = false;
};
// The same PNG bytes in memory; false on failure.
bool EncodePng(const TPixmap& pixmap, std::vector<uint8_t>& bytes, const TPngSettings& settings = {});
// A pixmap as baseline JPEG of the given quality (1..100), RGB or grey, with optimised Huffman tables
// and the exact integer DCT, so the same pixels always give the same bytes; false on failure.
bool EncodeJpeg(const TPixmap& pixmap, int32_t quality, std::vector<uint8_t>& bytes);
