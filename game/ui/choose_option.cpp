// ChooseOption: draws the frame (menu text, status panel, stage) once per key press and waits until
// a key chooses an option or cancels; the result is left in menu.choice. The testing keys Shift+G
// and Shift+H are read here too.
#include "game/state/hero.h"
#include "game/ui/font.h"
#include "game/ui/frame.h"
#include "game/ui/menu.h"
#include "game/ui/stage.h"
#include "game/ui/status_panel.h"
#include "platform/display/display.h"
#include "platform/input/keyboard.h"
#include "platform/core/program.h"

namespace {

// The key that chooses option n: 1..9 the digits, 10 the 0 key, 11 and on F1 upward.
int32_t KeyForOption(int32_t n) {
  if (n <= 9) return Key0 + n;
  if (n == 10) return Key0;
  return KeyF1 + (n - 11);
}

// The option a digit or function key names, or 0 when it names none of the current options.
int32_t OptionForKey(int32_t key, int32_t optionCount) {
  for (int32_t n = 1; n <= optionCount; ++n)
    if (KeyForOption(n) == key) return n;
  return 0;
}

void DrawMenuFrame(tmenu& m) {
  const int32_t rowHeight = font.cellHeight;
  SetDrawColor(155, 155, 155);
  DrawKeywordText(TextUpper(m.title), rowHeight, 0);
  SetDrawColor(205, 255, 255);
  DrawKeywordText(m.prompt, 2 * rowHeight, 0);
  for (int32_t i = 1; i <= m.optionCount; ++i) {
    SetDrawColor(m.optionRed[i], m.optionGreen[i], m.optionBlue[i]);
    DrawKeywordText(IntToText(i) + ": " + m.optionText[i], (i + 2) * rowHeight, i == m.cursor);
  }
  // The arrow takes the colour the last option line left.
  DrawFontText("->", 44, (m.cursor + 2) * rowHeight, 0, 0, 1);
  DrawStatusPanel();
  DrawScene();
  SetDrawColor(255, 255, 255);
  DrawFontText(m.infoText, FoeX, FoeY - rowHeight, 0, 0, 0);
  m.infoText = Text();
  PresentFrame();
}

}  // namespace

void tmenu::ChooseOption() {
  collecting = 0;
  choice = 0;
  if (!keepCursor) cursor = 1;
  keepCursor = 0;
  // A kept cursor stands on the last option when the options have grown fewer since.
  cursor = MaxInt(1, MinInt(cursor, optionCount));
  for (bool done = false; !done;) {
    DrawMenuFrame(*this);
    // Shift is read before the wait, which forgets every held key.
    const int32_t leftShift = IsKeyDown(KeyLeftShift);
    const int32_t rightShift = IsKeyDown(KeyRightShift);
    const bool shift = leftShift || rightShift;
    const int32_t key = WaitForKey();
    switch (key) {
      case KeyDown:
        if (++cursor > optionCount) cursor = 1;
        break;
      case KeyUp:
        if (--cursor < 1) cursor = optionCount;
        break;
      case KeyEnter:
      case KeySpace:
        choice = cursor;
        done = true;
        break;
      case KeyEscape:
        if (escapeEnds) ExitProgram();
        choice = 0;
        done = true;
        break;
      case KeyG:
        if (shift) hero.gold = SaturatingAdd(hero.gold, 1000);
        break;
      case KeyH:
        if (shift) hero.health = hero.healthmax;
        break;
      default:
        if (const int32_t option = OptionForKey(key, optionCount)) {
          choice = option;
          done = true;
        } else {
          // Drawn over the waiting background, so it shows at the top of the next frame.
          DrawKeywordText("Choose a number between 1 and " + IntToText(optionCount), 0, 0);
        }
        break;
    }
  }
  speaker = Text();
  escapeEnds = 1;
}
