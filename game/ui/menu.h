// tmenu: the one menu record every screen fills and runs with ChooseOption. It draws the status
// panel and the stage and blocks until the player acts.
#pragma once
#include <cstdint>

#include "platform/core/text.h"

struct tmenu {
  Text title;
  Text prompt;
  Text infoText;
  Text speaker;
  Text optionText[99];
  int32_t optionRed[99] = {};
  int32_t optionGreen[99] = {};
  int32_t optionBlue[99] = {};
  int32_t optionCount = 0;
  int32_t choice = 0;
  uint8_t collecting = 0;
  uint8_t escapeEnds = 1;
  int32_t cursor = 1;
  uint8_t keepCursor = 0;

  void AddOption(const Text& text, int32_t red, int32_t green, int32_t blue);
  void SetTitle(const Text& text);
  void SetPrompt(const Text& text);
  void ChooseOption();
};

extern tmenu menu;

struct titem;

// Adds an option in the colour the item is listed in (SetItemColor with plain 1).
void AddItemOption(const Text& text, const titem* item);

