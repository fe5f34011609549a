// The icon from the embedded pictures: SDL takes one size (the largest), and on X every size goes
// into the window's icon property so the window manager need not scale.
#include "platform/display/window_icon.h"

#include <SDL.h>

#include <memory>
#include <vector>

#include "platform/display/x11_window.h"
#include "platform/files/resources.h"
#include "platform/images/codecs.h"
#include "platform/images/image.h"

void SetWindowIcon(SDL_Window* window) {
  if (!window) return;
  std::vector<std::unique_ptr<TPixmap>> icons;
  for (const char* name : kWindowIconNames) {
    const TResource* resource = FindResource(Text(name));
    if (!resource) continue;
    std::unique_ptr<TPixmap> picture = DecodePng(resource->data, resource->size);
    if (picture) icons.push_back(MaskPixmap(*picture, 255, 0, 255));
  }
  if (icons.empty()) return;
  TPixmap& largest = *icons.front();
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(largest.pixels.data(), largest.width, largest.height, 32,
                                                            largest.pitch, SDL_PIXELFORMAT_RGBA32);
  if (surface) {
    SDL_SetWindowIcon(window, surface);
    SDL_FreeSurface(surface);
  }
  std::vector<const TPixmap*> all;
  for (const auto& icon : icons) all.push_back(icon.get());
  X11SetWindowIcons(window, all);
}
