// The shared menu record: screens fill the one global menu with a title, a prompt and coloured
// options before ChooseOption (choose_option.cpp) shows it and waits.
#include "game/ui/menu.h"

#include "game/state/item.h"
#include "game/ui/palette.h"
#include "platform/display/display.h"

tmenu menu;

namespace {

constexpr int32_t MaxOptions = 98;

}  // namespace

void tmenu::AddOption(const Text& text, int32_t red, int32_t green, int32_t blue) {
  if (!collecting) {
    optionCount = 0;
    collecting = 1;
  }
  // The slots end at 98; an option past them is dropped rather than written out of bounds.
  if (optionCount >= MaxOptions) return;
  ++optionCount;
  optionText[optionCount] = text;
  optionRed[optionCount] = red;
  optionGreen[optionCount] = green;
  optionBlue[optionCount] = blue;
}

void tmenu::SetTitle(const Text& text) { title = text; }

void tmenu::SetPrompt(const Text& text) { prompt = text; }

void AddItemOption(const Text& text, const titem* item) {
  SetItemColor(*item, 1, 0);
  int32_t red = 0, green = 0, blue = 0;
  GetDrawColor(red, green, blue);
  menu.AddOption(text, red, green, blue);
}
