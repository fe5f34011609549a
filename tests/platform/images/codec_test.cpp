// The PNG and JPEG decoders: which pixel formats come out (alpha exactly when the file has it),
// round trips through the encoders, and damaged data: no image, never a crash or an exit.
#include <zlib.h>

#include <string>

#include "platform/files/resources.h"
#include "platform/images/codecs.h"
#include "tests/platform/display/display_support.h"

namespace {

void PutBig32(std::vector<uint8_t>& out, uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<uint8_t>(v >> s));
}

void PutChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& body) {
  PutBig32(out, static_cast<uint32_t>(body.size()));
  std::vector<uint8_t> typed(type, type + 4);
  typed.insert(typed.end(), body.begin(), body.end());
  out.insert(out.end(), typed.begin(), typed.end());
  PutBig32(out, static_cast<uint32_t>(crc32(0, typed.data(), static_cast<uInt>(typed.size()))));
}

// A hand-made PNG: colour type and bit depth as given, rows of raw samples (a filter byte is added).
std::vector<uint8_t> HandPng(uint32_t w, uint32_t h, uint8_t depth, uint8_t colourType,
                             const std::vector<std::vector<uint8_t>>& rows, const std::vector<uint8_t>& plte = {},
                             const std::vector<uint8_t>& trns = {}) {
  std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> ihdr;
  PutBig32(ihdr, w);
  PutBig32(ihdr, h);
  ihdr.insert(ihdr.end(), {depth, colourType, 0, 0, 0});
  PutChunk(out, "IHDR", ihdr);
  if (!plte.empty()) PutChunk(out, "PLTE", plte);
  if (!trns.empty()) PutChunk(out, "tRNS", trns);
  std::vector<uint8_t> raw;
  for (const auto& row : rows) {
    raw.push_back(0);
    raw.insert(raw.end(), row.begin(), row.end());
  }
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  std::vector<uint8_t> packed(packedSize);
  compress(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()));
  packed.resize(packedSize);
  PutChunk(out, "IDAT", packed);
  PutChunk(out, "IEND", {});
  return out;
}

std::unique_ptr<TPixmap> Decode(const std::vector<uint8_t>& bytes) {
  return DecodePixmap(bytes.data(), static_cast<int64_t>(bytes.size()));
}

TEST(PngDecodeTest, FormatsFollowTheFilesAlpha) {
  auto rgb = Decode(HandPng(2, 1, 8, 2, {{1, 2, 3, 4, 5, 6}}));
  ASSERT_NE(rgb, nullptr);
  EXPECT_EQ(rgb->format, 4);
  EXPECT_EQ(PixelOf(*rgb, 1, 0)[2], 6);

  auto rgba = Decode(HandPng(1, 1, 8, 6, {{1, 2, 3, 4}}));
  ASSERT_NE(rgba, nullptr);
  EXPECT_EQ(rgba->format, 6);
  EXPECT_EQ(PixelOf(*rgba, 0, 0)[3], 4);

  auto grey = Decode(HandPng(2, 1, 8, 0, {{7, 9}}));
  ASSERT_NE(grey, nullptr);
  EXPECT_FALSE(PixmapHasAlpha(grey->format));
  EXPECT_EQ(ConvertPixmap(*grey, 6)->pixels[4], 9);

  auto greyAlpha = Decode(HandPng(1, 1, 8, 4, {{50, 60}}));
  ASSERT_NE(greyAlpha, nullptr);
  EXPECT_EQ(greyAlpha->format, 6);
  EXPECT_EQ(PixelOf(*greyAlpha, 0, 0)[0], 50);
  EXPECT_EQ(PixelOf(*greyAlpha, 0, 0)[3], 60);

  auto sixteen = Decode(HandPng(1, 1, 16, 2, {{0xAB, 0xCD, 0x12, 0x34, 0xFF, 0xFF}}));
  ASSERT_NE(sixteen, nullptr);
  EXPECT_EQ(sixteen->format, 4);
  EXPECT_EQ(PixelOf(*sixteen, 0, 0)[0], 0xAB);
}

TEST(PngDecodeTest, PalettesDecodeWithAlphaOnlyWhenTheyHaveTransparency) {
  std::vector<uint8_t> palette = {255, 0, 255, 10, 20, 30};
  // 2-bit indices: 1, 0, 1 (packed in one byte).
  auto plain = Decode(HandPng(3, 1, 2, 3, {{0b01000100}}, palette));
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(plain->format, 4);
  EXPECT_EQ(PixelOf(*plain, 0, 0)[0], 10);
  EXPECT_EQ(PixelOf(*plain, 1, 0)[0], 255);
  auto withTrns = Decode(HandPng(3, 1, 2, 3, {{0b01000100}}, palette, {0}));
  ASSERT_NE(withTrns, nullptr);
  EXPECT_EQ(withTrns->format, 6);
  EXPECT_EQ(PixelOf(*withTrns, 1, 0)[3], 0);
  EXPECT_EQ(PixelOf(*withTrns, 2, 0)[3], 255);
  // Grey with a transparent grey level also gets alpha.
  auto greyTrns = Decode(HandPng(2, 1, 8, 0, {{7, 9}}, {}, {0, 9}));
  ASSERT_NE(greyTrns, nullptr);
  EXPECT_EQ(greyTrns->format, 6);
  EXPECT_EQ(PixelOf(*greyTrns, 1, 0)[3], 0);
}

TEST(PngDecodeTest, RoundTripThroughTheEncoderAndTheResourceStore) {
  auto p = SolidPixmap(5, 3, {1, 2, 3}, 77);
  SetPixel(*p, 4, 2, {200, 100, 50}, 255);
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(EncodePng(*p, bytes));
  static std::vector<uint8_t> kept;
  kept = bytes;
  RegisterResource("test\\roundtrip.png", kept.data(), static_cast<int32_t>(kept.size()));
  ImagePtr image = LoadImageResource("incbin::test\\roundtrip.png", 1);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->width, 5);
  EXPECT_EQ(image->height, 3);
  EXPECT_EQ(image->pixmaps[0]->pixels, p->pixels);  // own alpha: stored as it came
  EXPECT_EQ(LoadImageResource("incbin::test\\missing.png", 1), nullptr);
}

TEST(PngDecodeTest, DamagedFilesGiveNoImage) {
  std::vector<uint8_t> good = HandPng(4, 4, 8, 2, std::vector<std::vector<uint8_t>>(4, std::vector<uint8_t>(12, 100)));
  ASSERT_NE(Decode(good), nullptr);
  for (size_t cut : {8u, 20u, 33u, 40u, 50u}) {
    std::vector<uint8_t> truncated(good.begin(), good.begin() + std::min(cut, good.size() - 12));
    EXPECT_EQ(Decode(truncated), nullptr) << "cut at " << cut;
  }
  std::vector<uint8_t> badCrc = good;
  badCrc[29] ^= 0xFF;  // inside the IHDR's CRC
  EXPECT_EQ(Decode(badCrc), nullptr);
  std::vector<uint8_t> tooFewRows = HandPng(4, 9, 8, 2, std::vector<std::vector<uint8_t>>(4, std::vector<uint8_t>(12, 1)));
  EXPECT_EQ(Decode(tooFewRows), nullptr);
  std::vector<uint8_t> noise(300);
  for (size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<uint8_t>(i * 73 + 11);
  EXPECT_EQ(Decode(noise), nullptr);
  EXPECT_EQ(DecodePixmap(nullptr, 0), nullptr);
}

TEST(JpegDecodeTest, RoundTripKeepsTheColourClose) {
  auto p = SolidPixmap(16, 8, {200, 60, 30});
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(EncodeJpeg(*p, 95, bytes));
  auto back = Decode(bytes);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->format, 4);
  EXPECT_EQ(back->width, 16);
  EXPECT_EQ(back->height, 8);
  const uint8_t* c = PixelOf(*back, 7, 3);
  EXPECT_NEAR(c[0], 200, 4);
  EXPECT_NEAR(c[1], 60, 4);
  EXPECT_NEAR(c[2], 30, 4);
}

TEST(JpegDecodeTest, TruncatedAndDamagedFilesGiveNoImage) {
  auto p = SolidPixmap(64, 64, {20, 160, 90});
  for (int y = 0; y < 64; ++y) SetPixel(*p, y, y, {255, 255, 255});
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(EncodeJpeg(*p, 80, bytes));
  ASSERT_NE(Decode(bytes), nullptr);
  for (size_t keep : {3u, 20u, 200u}) {
    std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + std::min(keep, bytes.size()));
    EXPECT_EQ(Decode(cut), nullptr) << "kept " << keep;
  }
  std::vector<uint8_t> cut(bytes.begin(), bytes.end() - bytes.size() / 3);
  EXPECT_EQ(Decode(cut), nullptr) << "two thirds of the file";
  std::vector<uint8_t> garbage = {0xFF, 0xD8, 0xFF, 0xC0, 0x00, 0x02, 0x13, 0x37};
  EXPECT_EQ(Decode(garbage), nullptr);
}

TEST(DecodeTest, FlippedBytesNeverCrash) {
  auto p = SolidPixmap(24, 24, {30, 60, 90});
  std::vector<uint8_t> png, jpeg;
  ASSERT_TRUE(EncodePng(*p, png));
  ASSERT_TRUE(EncodeJpeg(*p, 70, jpeg));
  uint32_t seed = 12345;
  for (const std::vector<uint8_t>* good : {&png, &jpeg}) {
    for (int round = 0; round < 300; ++round) {
      std::vector<uint8_t> bad = *good;
      for (int k = 0; k < 3; ++k) {
        seed = seed * 1103515245u + 12345u;
        bad[(seed >> 8) % bad.size()] ^= static_cast<uint8_t>(1u << ((seed >> 4) % 8));
      }
      auto result = Decode(bad);
      if (result) {
        EXPECT_EQ(result->pixels.size(), static_cast<size_t>(result->pitch) * result->height);
      }
    }
  }
}

}  // namespace
