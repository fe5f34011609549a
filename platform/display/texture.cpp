// Image frames as textures of the current display: power-of-two sizes checked with a proxy texture,
// the last column and row duplicated outward so linear filtering never reaches the empty part,
// clamp-to-edge, the filtered and mipmapped flags. The frames of a strip (the font's glyphs) share
// one texture in cells with a clamped one-texel border, so a line of text is one draw; small pictures
// of their own share pages of such cells, so the creatures and icons of a frame need few draws, each
// cell only as large as sampling reaches; a large picture gets a texture of its own size where the
// driver allows any size, its coordinates the same as in the padded texture it stands for.
#include <algorithm>
#include <cmath>

#include "platform/core/program.h"
#include "platform/display/gl.h"
#include "platform/display/texture.h"
#include "platform/images/image.h"

namespace {

// The display the textures are made for (its sequence number), 0 while no display has a context.
uint32_t textureDisplay = 0;

// Strip cells up to this size share a texture.
constexpr int32_t kAtlasCellLimit = 64;
// Pictures whose texture is up to this size share pages of kPageSize square.
constexpr int32_t kPageCellLimit = 128;
constexpr int32_t kPageSize = 1024;

int32_t NextPowerOfTwo(int32_t n) {
  int32_t p = 1;
  while (p < n && p < (1 << 30)) p <<= 1;
  return p;
}

// Textures of any size, asked once per display.
bool ExactSizeTextures() {
  static uint32_t askedFor = 0;
  static bool exact = false;
  if (askedFor != textureDisplay) {
    askedFor = textureDisplay;
    exact = GlAnySizeTextures();
  }
  return exact;
}

// The texture size for a pixmap: powers of two, halved while the hardware refuses them.
void TextureSize(int32_t width, int32_t height, int32_t& tw, int32_t& th) {
  tw = NextPowerOfTwo(std::max(width, 1));
  th = NextPowerOfTwo(std::max(height, 1));
  while (!GlTextureFits(tw, th)) {
    if (tw == 1 && th == 1) RaiseError("Unable to calculate tex size");
    tw = std::max(tw / 2, 1);
    th = std::max(th / 2, 1);
  }
}

// What the frame's texture holds: the pixmap (scaled down when the texture is smaller) with its edge
// duplicated, in tw x th RGBA.
std::unique_ptr<TPixmap> FramePixmap(const TPixmap& source, int32_t tw, int32_t th, float& u1, float& v1) {
  int32_t w = std::min(source.width, tw), h = std::min(source.height, th);
  if (w != source.width || h != source.height) {
    auto scaled = ScalePixmap(source, w, h);
    return BuildTexturePixmap(*scaled, tw, th, u1, v1);
  }
  return BuildTexturePixmap(source, tw, th, u1, v1);
}

std::unique_ptr<TPixmap> HalvePixmap(const TPixmap& source) {
  int32_t w = std::max(source.width / 2, 1), h = std::max(source.height / 2, 1);
  auto out = MakePixmap(w, h, 6);
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x) {
      for (int c = 0; c < 4; ++c) {
        int32_t sum = 0;
        for (int32_t dy = 0; dy < 2; ++dy)
          for (int32_t dx = 0; dx < 2; ++dx) {
            int32_t sx = std::min(x * 2 + dx, source.width - 1), sy = std::min(y * 2 + dy, source.height - 1);
            sum += source.pixels[(static_cast<size_t>(sy) * source.width + sx) * 4 + c];
          }
        out->pixels[(static_cast<size_t>(y) * w + x) * 4 + c] = static_cast<uint8_t>(sum / 4);
      }
    }
  }
  return out;
}

uint32_t UploadTexture(const TPixmap& rgba, int32_t flags) {
  const bool mipmapped = (flags & ImageMipmapped) != 0;
  uint32_t texture =
      GlMakeTexture(rgba.width, rgba.height, rgba.pixels.data(), (flags & ImageFiltered) != 0, mipmapped);
  if (mipmapped) {
    std::unique_ptr<TPixmap> level = std::make_unique<TPixmap>(rgba);
    for (int32_t n = 1; level->width > 1 || level->height > 1; ++n) {
      level = HalvePixmap(*level);
      GlAddTextureLevel(n, level->width, level->height, level->pixels.data());
    }
  }
  return texture;
}

// The top-left w x h of a frame's own texture pixels (RGBA, rows of the pixmap's width) with a
// border repeating its outer texels: in a shared texture, sampling then behaves as clamp-to-edge on a
// texture of its own.
std::unique_ptr<TPixmap> BorderedCell(const TPixmap& own, int32_t w, int32_t h) {
  int32_t cw = w + 2, ch = h + 2;
  auto cell = MakePixmap(cw, ch, 6);
  for (int32_t y = 0; y < ch; ++y) {
    int32_t sy = std::clamp(y - 1, 0, h - 1);
    for (int32_t x = 0; x < cw; ++x) {
      int32_t sx = std::clamp(x - 1, 0, w - 1);
      std::copy_n(&own.pixels[(static_cast<size_t>(sy) * own.width + sx) * 4], 4,
                  &cell->pixels[(static_cast<size_t>(y) * cw + x) * 4]);
    }
  }
  return cell;
}

// Writes a cell into a shared texture, after drawing what was queued with its old contents.
void WriteCell(uint32_t texture, int32_t left, int32_t top, const TPixmap& cell) {
  GlWriteTexture(texture, left, top, cell.width, cell.height, cell.pixels.data());
}

// Pages of small pictures, one kind of filtering per page, packed in shelves: rows of cells of
// about one height, each cell only as large as sampling reaches. A frame's texture is tw x th with
// its edge repeated once outward; nothing beyond that repeated column and row is ever sampled, so
// a cell holds the image and that edge, in a border of its own, and not the power-of-two padding.
struct TPageCell {
  int32_t left = 0, top = 0, width = 0, height = 0;
};
struct TShelf {
  int32_t top = 0, height = 0, used = 0;
};
struct TTexturePage {
  uint32_t texture = 0;
  bool filtered = false;
  std::vector<TShelf> shelves;
  int32_t shelvesHeight = 0;
  std::vector<TPageCell> cells;
  std::vector<int32_t> freeCells;
};
std::vector<TTexturePage> pages;
uint32_t pagesSequence = 0;

// A place for a cell of width x height in the page: a freed cell it fits, room on a shelf of about
// its height, or a new shelf; -1 when the page is full.
int32_t PlaceCell(TTexturePage& page, int32_t width, int32_t height) {
  for (size_t k = 0; k < page.freeCells.size(); ++k) {
    TPageCell& c = page.cells[static_cast<size_t>(page.freeCells[k])];
    if (c.width >= width && c.height >= height) {
      int32_t id = page.freeCells[k];
      page.freeCells.erase(page.freeCells.begin() + static_cast<std::ptrdiff_t>(k));
      return id;
    }
  }
  TShelf* shelf = nullptr;
  for (TShelf& sh : page.shelves)
    if (sh.height >= height && sh.height <= height + height / 4 + 2 && kPageSize - sh.used >= width) {
      shelf = &sh;
      break;
    }
  if (!shelf) {
    if (page.shelvesHeight + height > kPageSize || width > kPageSize) return -1;
    page.shelves.push_back(TShelf{page.shelvesHeight, height, 0});
    page.shelvesHeight += height;
    shelf = &page.shelves.back();
  }
  page.cells.push_back(TPageCell{shelf->used, shelf->top, width, height});
  shelf->used += width;
  return static_cast<int32_t>(page.cells.size()) - 1;
}

bool PutInPage(const TPixmap& own, int32_t tw, int32_t th, int32_t flags, TImageFrame& f) {
  if (pagesSequence != textureDisplay) {
    pages.clear();  // their textures went with the display they were made for
    pagesSequence = textureDisplay;
  }
  const bool filtered = (flags & ImageFiltered) != 0;
  // The image and its repeated edge (when the texture is larger than the image), then the border.
  const int32_t w = std::min(static_cast<int32_t>(std::ceil(f.u1 * static_cast<float>(tw))) + 1, tw);
  const int32_t h = std::min(static_cast<int32_t>(std::ceil(f.v1 * static_cast<float>(th))) + 1, th);
  TTexturePage* page = nullptr;
  int32_t cell = -1;
  for (TTexturePage& p : pages)
    if (p.filtered == filtered && (cell = PlaceCell(p, w + 2, h + 2)) >= 0) {
      page = &p;
      break;
    }
  if (!page) {
    if (!GlTextureFits(kPageSize, kPageSize)) return false;
    TTexturePage made;
    made.texture = GlMakeTexture(kPageSize, kPageSize, nullptr, filtered, false);
    made.filtered = filtered;
    pages.push_back(std::move(made));
    page = &pages.back();
    cell = PlaceCell(*page, w + 2, h + 2);
    if (cell < 0) return false;
  }
  const TPageCell& c = page->cells[static_cast<size_t>(cell)];
  WriteCell(page->texture, c.left, c.top, *BorderedCell(own, w, h));
  f.texture = page->texture;
  f.pageCell = cell;
  f.s0 = static_cast<float>(c.left + 1) / kPageSize;
  f.t0 = static_cast<float>(c.top + 1) / kPageSize;
  f.sScale = static_cast<float>(tw) / kPageSize;
  f.tScale = static_cast<float>(th) / kPageSize;
  return true;
}

void ReleasePageCell(uint32_t texture, int32_t cell) {
  if (pagesSequence != textureDisplay) return;
  for (TTexturePage& p : pages)
    if (p.texture == texture) p.freeCells.push_back(cell);
}

// A strip's shared texture: cells of (tw + 2) x (th + 2), each the frame's own texture with a border
// that repeats its outer texels, so sampling behaves as clamp-to-edge on a texture of its own.
struct TAtlasLayout {
  int32_t tw = 0, th = 0, across = 0, width = 0, height = 0;
};

bool AtlasLayout(const TImage& image, TAtlasLayout& layout) {
  if (image.FrameCount() < 2 || (image.flags & ImageMipmapped)) return false;
  TextureSize(image.width, image.height, layout.tw, layout.th);
  if (layout.tw > kAtlasCellLimit || layout.th > kAtlasCellLimit) return false;
  int32_t n = image.FrameCount(), cw = layout.tw + 2, ch = layout.th + 2;
  layout.across = std::max(1, static_cast<int32_t>(std::ceil(std::sqrt(static_cast<double>(n) * ch / cw))));
  int32_t down = (n + layout.across - 1) / layout.across;
  layout.width = NextPowerOfTwo(layout.across * cw);
  layout.height = NextPowerOfTwo(down * ch);
  return GlTextureFits(layout.width, layout.height);
}

// Writes frame `frame` into its cell of the atlas pixmap (or, with atlas null, uploads the cell).
void FillAtlasCell(TImage& image, int32_t frame, const TAtlasLayout& layout, TPixmap* atlas) {
  const TPixmap* source = image.pixmaps[static_cast<size_t>(frame)].get();
  TImageFrame& f = image.frames[static_cast<size_t>(frame)];
  f = TImageFrame{};
  int32_t cw = layout.tw + 2, ch = layout.th + 2;
  int32_t left = (frame % layout.across) * cw, top = (frame / layout.across) * ch;
  std::unique_ptr<TPixmap> cell;
  if (source) {
    f.fullSize = source->width <= layout.tw && source->height <= layout.th;
    cell = BorderedCell(*FramePixmap(*source, layout.tw, layout.th, f.u1, f.v1), layout.tw, layout.th);
  } else {
    cell = MakePixmap(cw, ch, 6);
  }
  f.texture = image.atlasTexture;
  f.s0 = static_cast<float>(left + 1) / static_cast<float>(layout.width);
  f.t0 = static_cast<float>(top + 1) / static_cast<float>(layout.height);
  f.sScale = static_cast<float>(layout.tw) / static_cast<float>(layout.width);
  f.tScale = static_cast<float>(layout.th) / static_cast<float>(layout.height);
  image.sequences[static_cast<size_t>(frame)] = textureDisplay;
  if (atlas) {
    for (int32_t y = 0; y < ch; ++y)
      std::copy_n(&cell->pixels[static_cast<size_t>(y) * cw * 4], cw * 4,
                  &atlas->pixels[(static_cast<size_t>(top + y) * layout.width + left) * 4]);
  } else {
    WriteCell(image.atlasTexture, left, top, *cell);
  }
}

bool MakeAtlasFrame(TImage& image, int32_t frame) {
  TAtlasLayout layout;
  if (!AtlasLayout(image, layout)) return false;
  if (image.atlasTexture && image.atlasSequence == textureDisplay) {
    // A frame stored again into a strip whose texture exists: only its cell changes.
    FillAtlasCell(image, frame, layout, nullptr);
    return true;
  }
  auto atlas = MakePixmap(layout.width, layout.height, 6);
  image.atlasTexture = 0;
  for (int32_t i = 0; i < image.FrameCount(); ++i) FillAtlasCell(image, i, layout, atlas.get());
  image.atlasTexture = UploadTexture(*atlas, image.flags);
  image.atlasSequence = textureDisplay;
  for (TImageFrame& f : image.frames) f.texture = image.atlasTexture;
  return true;
}

}  // namespace

std::unique_ptr<TPixmap> BuildTexturePixmap(const TPixmap& source, int32_t texWidth, int32_t texHeight,
                                            float& u1, float& v1) {
  auto rgba = source.format == 6 && source.pitch == source.width * 4 ? std::make_unique<TPixmap>(source)
                                                                      : ConvertPixmap(source, 6);
  int32_t w = std::min(rgba->width, texWidth), h = std::min(rgba->height, texHeight);
  u1 = static_cast<float>(w) / static_cast<float>(texWidth);
  v1 = static_cast<float>(h) / static_cast<float>(texHeight);
  if (w == texWidth && h == texHeight && rgba->width == w && rgba->height == h) return rgba;
  auto out = MakePixmap(texWidth, texHeight, 6);
  auto src = [&](int32_t x, int32_t y) { return &rgba->pixels[(static_cast<size_t>(y) * rgba->width + x) * 4]; };
  auto dst = [&](int32_t x, int32_t y) { return &out->pixels[(static_cast<size_t>(y) * texWidth + x) * 4]; };
  for (int32_t y = 0; y < h; ++y) std::copy_n(src(0, y), w * 4, dst(0, y));
  if (w < texWidth)
    for (int32_t y = 0; y < h; ++y) std::copy_n(src(w - 1, y), 4, dst(w, y));
  if (h < texHeight) std::copy_n(src(0, h - 1), w * 4, dst(0, h));
  if (w < texWidth && h < texHeight) std::copy_n(src(w - 1, h - 1), 4, dst(w, h));
  return out;
}

TImageFrame* ImageFrameTexture(TImage* image, int32_t frame) {
  if (!image || textureDisplay == 0 || frame < 0 || frame >= image->FrameCount()) return nullptr;
  size_t i = static_cast<size_t>(frame);
  TImageFrame& f = image->frames[i];
  if (f.texture && image->sequences[i] == textureDisplay) return &f;
  if (!image->pixmaps[i]) return nullptr;
  if (MakeAtlasFrame(*image, frame)) return &f;
  const TPixmap& source = *image->pixmaps[i];
  int32_t tw = 0, th = 0;
  TextureSize(source.width, source.height, tw, th);
  f = TImageFrame{};
  const int32_t w = std::min(source.width, tw), h = std::min(source.height, th);
  f.fullSize = w == source.width && h == source.height;
  image->sequences[i] = textureDisplay;
  const bool mipmapped = (image->flags & ImageMipmapped) != 0;
  const bool paged = tw <= kPageCellLimit && th <= kPageCellLimit && !mipmapped;
  std::unique_ptr<TPixmap> pixels;
  if (!paged && f.fullSize && !mipmapped && (w != tw || h != th) && ExactSizeTextures() && GlTextureFits(w, h)) {
    // A large picture at its own size, not padded to powers of two (the title picture: 1.9 MB, not
    // 4.2): clamping at its edge samples what the repeated edge of the padded texture gave, and its
    // texture coordinates still run to (w / tw, h / th), scaled to the whole texture.
    pixels = BuildTexturePixmap(source, w, h, f.u1, f.v1);
    f.u1 = static_cast<float>(w) / static_cast<float>(tw);
    f.v1 = static_cast<float>(h) / static_cast<float>(th);
    f.sScale = static_cast<float>(tw) / static_cast<float>(w);
    f.tScale = static_cast<float>(th) / static_cast<float>(h);
  } else {
    pixels = FramePixmap(source, tw, th, f.u1, f.v1);
    if (paged && PutInPage(*pixels, tw, th, image->flags, f)) return &f;
  }
  f.texture = UploadTexture(*pixels, image->flags);
  // Only the image's part counts: unscaled draws never sample the rest.
  f.opaque = true;
  for (int32_t y = 0; y < h && f.opaque; ++y)
    for (int32_t x = 0; x < w && f.opaque; ++x)
      f.opaque = pixels->pixels[(static_cast<size_t>(y) * pixels->width + x) * 4 + 3] == 255;
  return &f;
}

namespace {

// Gives up the frame's texture (its own, or its cell of a shared page) when made for this display.
void ReleaseFrameTexture(TImage* image, int32_t frame) {
  if (!image || frame < 0 || frame >= image->FrameCount() || textureDisplay == 0) return;
  size_t i = static_cast<size_t>(frame);
  TImageFrame& f = image->frames[i];
  if (f.texture && image->sequences[i] == textureDisplay) {
    if (f.pageCell >= 0)
      ReleasePageCell(f.texture, f.pageCell);
    else if (f.texture != image->atlasTexture)
      GlDeleteTextures({f.texture});
  }
  f = TImageFrame{};
  image->sequences[i] = 0;
}

void ReleaseImageTextures(TImage* image) {
  if (textureDisplay == 0) return;
  // Pending quads may still use these textures; deleting or reusing them waits for those draws.
  GlFlushQuads();
  for (int32_t i = 0; i < image->FrameCount(); ++i) ReleaseFrameTexture(image, i);
  if (image->atlasTexture && image->atlasSequence == textureDisplay) GlDeleteTextures({image->atlasTexture});
}

}  // namespace

void SetTextureDisplay(uint32_t display) {
  textureDisplay = display;
  SetImageTextureHooks({ReleaseFrameTexture, ReleaseImageTextures});
}
