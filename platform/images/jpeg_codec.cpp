// JPEG through libjpeg: decoding from memory to RGB (or grey), and encoding. libjpeg's own error
// handler calls exit(), so ours jumps back to a plain C-style function holding no C++ objects; and
// since a truncated file "succeeds" with only a warning, any warning also means no image.
#include <cstddef>
#include <cstdio>
#include <csetjmp>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

#include "platform/images/codecs.h"

namespace {

constexpr JDIMENSION kMaxSide = 16384;

struct TJpegError {
  jpeg_error_mgr manager;
  jmp_buf jump;
  int warnings;
};

struct TJpegRead {
  jpeg_decompress_struct info;
  TJpegError error;
  const uint8_t* data;
  unsigned long size;
  uint8_t* pixels;  // malloc'd
  JDIMENSION width, height;
  int channels;
  int created;
};

void JpegErrorExit(j_common_ptr info) {
  TJpegError* e = reinterpret_cast<TJpegError*>(info->err);
  longjmp(e->jump, 1);
}

void JpegMessage(j_common_ptr info, int level) {
  if (level < 0) reinterpret_cast<TJpegError*>(info->err)->warnings++;
}

void JpegOutput(j_common_ptr) {}

// Plain C: decodes into r->pixels. Returns 1 on success.
int DecodeJpegC(TJpegRead* r) {
  r->info.err = jpeg_std_error(&r->error.manager);
  r->error.manager.error_exit = JpegErrorExit;
  r->error.manager.emit_message = JpegMessage;
  r->error.manager.output_message = JpegOutput;
  if (setjmp(r->error.jump)) return 0;
  jpeg_create_decompress(&r->info);
  r->created = 1;
  jpeg_mem_src(&r->info, r->data, r->size);
  if (jpeg_read_header(&r->info, TRUE) != JPEG_HEADER_OK) return 0;
  if (r->info.image_width == 0 || r->info.image_height == 0 || r->info.image_width > kMaxSide ||
      r->info.image_height > kMaxSide)
    return 0;
  if (r->info.jpeg_color_space == JCS_GRAYSCALE)
    r->info.out_color_space = JCS_GRAYSCALE;
  else if (r->info.jpeg_color_space == JCS_YCbCr || r->info.jpeg_color_space == JCS_RGB)
    r->info.out_color_space = JCS_RGB;
  else
    return 0;
  jpeg_start_decompress(&r->info);
  r->width = r->info.output_width;
  r->height = r->info.output_height;
  r->channels = r->info.output_components;
  if (r->channels != 1 && r->channels != 3) return 0;
  size_t pitch = static_cast<size_t>(r->width) * static_cast<size_t>(r->channels);
  r->pixels = static_cast<uint8_t*>(std::malloc(pitch * r->height));
  if (!r->pixels) return 0;
  while (r->info.output_scanline < r->height) {
    JSAMPROW row = r->pixels + pitch * r->info.output_scanline;
    if (jpeg_read_scanlines(&r->info, &row, 1) != 1) return 0;
    if (r->error.warnings) return 0;
  }
  jpeg_finish_decompress(&r->info);
  return r->error.warnings == 0;
}

struct TJpegWrite {
  jpeg_compress_struct info;
  TJpegError error;
  const uint8_t* pixels;
  int32_t width, height, pitch, channels, quality;
  unsigned char* out;  // malloc'd by libjpeg
  unsigned long outSize;
  int created;
};

// Plain C: encodes into w->out. Returns 1 on success.
int EncodeJpegC(TJpegWrite* w) {
  w->info.err = jpeg_std_error(&w->error.manager);
  w->error.manager.error_exit = JpegErrorExit;
  w->error.manager.emit_message = JpegMessage;
  w->error.manager.output_message = JpegOutput;
  if (setjmp(w->error.jump)) return 0;
  jpeg_create_compress(&w->info);
  w->created = 1;
  jpeg_mem_dest(&w->info, &w->out, &w->outSize);
  w->info.image_width = static_cast<JDIMENSION>(w->width);
  w->info.image_height = static_cast<JDIMENSION>(w->height);
  w->info.input_components = w->channels;
  w->info.in_color_space = w->channels == 3 ? JCS_RGB : JCS_GRAYSCALE;
  jpeg_set_defaults(&w->info);
  // Fixed settings, so one picture always gives the same bytes (the art generator's title picture).
  w->info.dct_method = JDCT_ISLOW;
  w->info.optimize_coding = TRUE;
  jpeg_set_quality(&w->info, w->quality, TRUE);
  jpeg_start_compress(&w->info, TRUE);
  while (w->info.next_scanline < w->info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(w->pixels + static_cast<size_t>(w->info.next_scanline) * w->pitch);
    jpeg_write_scanlines(&w->info, &row, 1);
  }
  jpeg_finish_compress(&w->info);
  return 1;
}

void DestroyJpegC(TJpegRead* r) {
  if (r->created) jpeg_destroy_decompress(&r->info);
  r->created = 0;
}

}  // namespace

std::unique_ptr<TPixmap> DecodeJpeg(const uint8_t* data, int64_t size) {
  if (!data || size < 3 || data[0] != 0xFF || data[1] != 0xD8) return nullptr;
  TJpegRead* r = static_cast<TJpegRead*>(std::calloc(1, sizeof(TJpegRead)));
  if (!r) return nullptr;
  r->data = data;
  r->size = static_cast<unsigned long>(size);
  int ok = DecodeJpegC(r);
  std::unique_ptr<TPixmap> pixmap;
  if (ok) {
    pixmap = std::make_unique<TPixmap>();
    pixmap->width = static_cast<int32_t>(r->width);
    pixmap->height = static_cast<int32_t>(r->height);
    pixmap->format = r->channels == 3 ? 4 : 1;
    pixmap->pitch = pixmap->width * r->channels;
    pixmap->pixels.assign(r->pixels, r->pixels + static_cast<size_t>(pixmap->pitch) * r->height);
  }
  DestroyJpegC(r);
  std::free(r->pixels);
  std::free(r);
  return pixmap;
}

bool EncodeJpeg(const TPixmap& pixmap, int32_t quality, std::vector<uint8_t>& bytes) {
  std::unique_ptr<TPixmap> converted;
  const TPixmap* source = &pixmap;
  if (pixmap.format != 4 && pixmap.format != 1) {
    converted = ConvertPixmap(pixmap, 4);
    source = converted.get();
  }
  if (source->width <= 0 || source->height <= 0) return false;
  TJpegWrite* w = static_cast<TJpegWrite*>(std::calloc(1, sizeof(TJpegWrite)));
  if (!w) return false;
  w->pixels = source->pixels.data();
  w->width = source->width;
  w->height = source->height;
  w->pitch = source->pitch;
  w->channels = source->format == 4 ? 3 : 1;
  w->quality = quality < 1 ? 1 : quality > 100 ? 100 : quality;
  int ok = EncodeJpegC(w);
  if (ok) bytes.assign(w->out, w->out + w->outSize);
  if (w->created) jpeg_destroy_compress(&w->info);
  std::free(w->out);
  std::free(w);
  return ok != 0;
}
