// The typed message: a large line in the middle of the screen, typed out `speed` letters a frame,
// pulsing red or flickering in warm colours, over the stage and the status panel. Space or Enter
// skips it (unless noSkip), Escape ends the program.
#include "game/state/hero.h"
#include "game/ui/font.h"
#include "game/ui/frame.h"
#include "game/ui/message.h"
#include "game/ui/stage.h"
#include "platform/display/display.h"
#include "platform/input/keyboard.h"
#include "platform/core/program.h"
#include "platform/core/random.h"

int32_t ShowMessage(const Text& text, float scale, float speed, int32_t pulse, int32_t noSkip) {
  // Single precision on purpose: the letter count decides the frame count, and with it how many
  // random numbers the flicker draws.
  float c = 1.0f;
  const int32_t length = text.Length();
  const float finished = static_cast<float>(length + 4);
  for (;;) {
    c = c + speed;
    if (pulse) {
      if (c > finished)
        SetDrawColor(226, 0, 0);
      else
        SetDrawColor(static_cast<int32_t>(CosDeg(c * 52.0f) * 50.0 + 204.0), 0, 0);
    } else {
      const int32_t green = static_cast<int32_t>(RandomReal(0, 190));
      const int32_t blue = static_cast<int32_t>(RandomReal(0, 190));
      SetDrawColor(255, green, blue);
    }
    SetDrawScale(scale, scale);
    const int32_t shown = MinInt(static_cast<int32_t>(c), length);
    DrawFontText(TextLeft(text, shown), DisplayWidth() / 2, DisplayHeight() / 2, 1, 0, 0);
    SetDrawScale(1.0f, 1.0f);
    // The last frame is left unpresented: the caller flips it or draws over it.
    if (c > finished) return 0;
    if (!noSkip && SkipPressed()) return 1;
    if (WasKeyPressed(KeyEscape)) ExitProgram();
    DrawScene();
    EndFrame();
  }
}
