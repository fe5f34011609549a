// PNG through libpng: decoding from memory (alpha channels, palettes with transparency and grey with
// transparency decode with alpha; the rest without) and encoding RGB/RGBA pixmaps. libpng reports
// errors by longjmp: the jumps land in plain C-style functions that hold no C++ objects, and a damaged
// file gives no image, never a crash or an exit.
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/images/codecs.h"

namespace {

constexpr png_uint_32 kMaxSide = 16384;

struct TPngRead {
  jmp_buf jump;
  const uint8_t* data;
  size_t size;
  size_t position;
  png_structp png;
  png_infop info;
  png_bytep pixels;     // malloc'd
  png_bytepp rows;      // malloc'd
  png_uint_32 width, height;
  int channels;
};

void PngError(png_structp png, png_const_charp) {
  TPngRead* r = static_cast<TPngRead*>(png_get_error_ptr(png));
  longjmp(r->jump, 1);
}

void PngWarning(png_structp, png_const_charp) {}

void PngRead(png_structp png, png_bytep out, png_size_t n) {
  TPngRead* r = static_cast<TPngRead*>(png_get_io_ptr(png));
  if (n > r->size - r->position) png_error(png, "truncated");
  std::memcpy(out, r->data + r->position, n);
  r->position += n;
}

// Plain C: decodes into r->pixels (width x height x channels). Returns 1 on success.
int DecodePngC(TPngRead* r) {
  r->png = png_create_read_struct(PNG_LIBPNG_VER_STRING, r, PngError, PngWarning);
  if (!r->png) return 0;
  r->info = png_create_info_struct(r->png);
  if (!r->info) return 0;
  if (setjmp(r->jump)) return 0;
  png_set_user_limits(r->png, kMaxSide, kMaxSide);
  png_set_read_fn(r->png, r, PngRead);
  png_read_info(r->png, r->info);
  int colorType = png_get_color_type(r->png, r->info);
  int bitDepth = png_get_bit_depth(r->png, r->info);
  bool hasTrns = png_get_valid(r->png, r->info, PNG_INFO_tRNS) != 0;
  if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(r->png);
  if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(r->png);
  if (hasTrns) png_set_tRNS_to_alpha(r->png);
  if (bitDepth == 16) png_set_strip_16(r->png);
  if (bitDepth < 8) png_set_packing(r->png);
  // Grey with an alpha channel has no format of its own: it becomes RGBA.
  if (colorType == PNG_COLOR_TYPE_GRAY_ALPHA || (colorType == PNG_COLOR_TYPE_GRAY && hasTrns))
    png_set_gray_to_rgb(r->png);
  png_set_interlace_handling(r->png);
  png_read_update_info(r->png, r->info);
  r->width = png_get_image_width(r->png, r->info);
  r->height = png_get_image_height(r->png, r->info);
  r->channels = png_get_channels(r->png, r->info);
  if (r->width == 0 || r->height == 0 || (r->channels != 1 && r->channels != 3 && r->channels != 4)) return 0;
  size_t pitch = static_cast<size_t>(r->width) * static_cast<size_t>(r->channels);
  if (png_get_rowbytes(r->png, r->info) != pitch) return 0;
  r->pixels = static_cast<png_bytep>(std::malloc(pitch * r->height));
  r->rows = static_cast<png_bytepp>(std::malloc(sizeof(png_bytep) * r->height));
  if (!r->pixels || !r->rows) return 0;
  for (png_uint_32 y = 0; y < r->height; ++y) r->rows[y] = r->pixels + pitch * y;
  png_read_image(r->png, r->rows);
  png_read_end(r->png, nullptr);
  return 1;
}

struct TPngWrite {
  jmp_buf jump;
  png_structp png;
  png_infop info;
  const uint8_t* pixels;
  int32_t width, height, pitch, channels;
  int32_t compressionLevel;
  int32_t noneSubUpFilters;
  png_bytepp rows;      // malloc'd
  uint8_t* out;         // malloc'd, grows
  size_t outSize, outCapacity;
  int failed;
};

void PngWriteError(png_structp png, png_const_charp) {
  TPngWrite* w = static_cast<TPngWrite*>(png_get_error_ptr(png));
  longjmp(w->jump, 1);
}

void PngWriteData(png_structp png, png_bytep data, png_size_t n) {
  TPngWrite* w = static_cast<TPngWrite*>(png_get_io_ptr(png));
  if (w->outSize + n > w->outCapacity) {
    size_t capacity = w->outCapacity ? w->outCapacity : 65536;
    while (capacity < w->outSize + n) capacity *= 2;
    uint8_t* grown = static_cast<uint8_t*>(std::realloc(w->out, capacity));
    if (!grown) png_error(png, "out of memory");
    w->out = grown;
    w->outCapacity = capacity;
  }
  std::memcpy(w->out + w->outSize, data, n);
  w->outSize += n;
}

void PngFlush(png_structp) {}

// Plain C: encodes into w->out. Returns 1 on success.
int EncodePngC(TPngWrite* w) {
  w->png = png_create_write_struct(PNG_LIBPNG_VER_STRING, w, PngWriteError, PngWarning);
  if (!w->png) return 0;
  w->info = png_create_info_struct(w->png);
  if (!w->info) return 0;
  if (setjmp(w->jump)) return 0;
  png_set_write_fn(w->png, w, PngWriteData, PngFlush);
  png_set_IHDR(w->png, w->info, static_cast<png_uint_32>(w->width), static_cast<png_uint_32>(w->height), 8,
               w->channels == 4 ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(w->png, w->compressionLevel);
  if (w->noneSubUpFilters) png_set_filter(w->png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE | PNG_FILTER_SUB | PNG_FILTER_UP);
  w->rows = static_cast<png_bytepp>(std::malloc(sizeof(png_bytep) * static_cast<size_t>(w->height)));
  if (!w->rows) return 0;
  for (int32_t y = 0; y < w->height; ++y)
    w->rows[y] = const_cast<png_bytep>(w->pixels + static_cast<size_t>(y) * static_cast<size_t>(w->pitch));
  png_write_info(w->png, w->info);
  png_write_image(w->png, w->rows);
  png_write_end(w->png, nullptr);
  return 1;
}

}  // namespace

std::unique_ptr<TPixmap> DecodePng(const uint8_t* data, int64_t size) {
  if (!data || size < 8 || png_sig_cmp(data, 0, 8) != 0) return nullptr;
  TPngRead r;
  std::memset(&r, 0, sizeof r);
  r.data = data;
  r.size = static_cast<size_t>(size);
  int ok = DecodePngC(&r);
  std::unique_ptr<TPixmap> pixmap;
  if (ok) {
    pixmap = std::make_unique<TPixmap>();
    pixmap->width = static_cast<int32_t>(r.width);
    pixmap->height = static_cast<int32_t>(r.height);
    pixmap->format = r.channels == 4 ? 6 : r.channels == 3 ? 4 : 1;
    pixmap->pitch = pixmap->width * r.channels;
    pixmap->pixels.assign(r.pixels, r.pixels + static_cast<size_t>(pixmap->pitch) * r.height);
  }
  if (r.png) png_destroy_read_struct(&r.png, r.info ? &r.info : nullptr, nullptr);
  std::free(r.rows);
  std::free(r.pixels);
  return pixmap;
}

bool EncodePng(const TPixmap& pixmap, std::vector<uint8_t>& bytes, const TPngSettings& settings) {
  std::unique_ptr<TPixmap> converted;
  const TPixmap* source = &pixmap;
  if (pixmap.format != 4 && pixmap.format != 6) {
    converted = ConvertPixmap(pixmap, PixmapHasAlpha(pixmap.format) ? 6 : 4);
    source = converted.get();
  }
  if (source->width <= 0 || source->height <= 0) return false;
  TPngWrite w;
  std::memset(&w, 0, sizeof w);
  w.pixels = source->pixels.data();
  w.width = source->width;
  w.height = source->height;
  w.pitch = source->pitch;
  w.channels = source->format == 6 ? 4 : 3;
  w.compressionLevel = settings.compressionLevel;
  w.noneSubUpFilters = settings.noneSubUpFilters ? 1 : 0;
  int ok = EncodePngC(&w);
  if (ok) bytes.assign(w.out, w.out + w.outSize);
  if (w.png) png_destroy_write_struct(&w.png, w.info ? &w.info : nullptr);
  std::free(w.rows);
  std::free(w.out);
  return ok != 0;
}

bool WritePng(const TPixmap& pixmap, const char* path) {
  std::vector<uint8_t> bytes;
  if (!path || !EncodePng(pixmap, bytes)) return false;
  std::FILE* file = std::fopen(path, "wb");
  if (!file) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  ok = std::fclose(file) == 0 && ok;
  return ok;
}
