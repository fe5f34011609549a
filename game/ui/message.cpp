// The typed message: a large line (or a few, one above the other) in the middle of the screen,
// typed out `speed` letters a frame, pulsing red or flickering in warm colours, over the stage and
// the status panel. Space or Enter skips it (unless noSkip), Escape ends the program. Also the
// breaking of a long text into lines that fit the picture.
#include <string>
#include <vector>

#include "game/state/hero.h"
#include "game/ui/font.h"
#include "game/ui/frame.h"
#include "game/ui/message.h"
#include "game/ui/stage.h"
#include "platform/display/display.h"
#include "platform/input/keyboard.h"
#include "platform/core/program.h"
#include "platform/core/random.h"

namespace {

// Room kept free at each side of a wrapped line.
constexpr int32_t kMessageMargin = 40;
// Between two lines of a message, at scale 1, beyond the font's own cell.
constexpr int32_t kLineGap = 6;

std::vector<std::u16string> Split(const std::u16string& text, char16_t at) {
  std::vector<std::u16string> parts;
  size_t start = 0;
  for (;;) {
    const size_t end = text.find(at, start);
    parts.push_back(text.substr(start, end == std::u16string::npos ? std::u16string::npos : end - start));
    if (end == std::u16string::npos) return parts;
    start = end + 1;
  }
}

int32_t LinePitch(float scale) {
  return static_cast<int32_t>(static_cast<float>(font.cellHeight + kLineGap) * scale);
}

int32_t FirstLineY(const Text& text, float scale) {
  int32_t breaks = 0;
  for (char16_t ch : text.chars) breaks += ch == u'\n';
  return DisplayHeight() / 2 - breaks * LinePitch(scale) / 2;
}

// The steady red a pulsing message ends on.
void UseMessageRed() { SetDrawColor(226, 0, 0); }

// The first `shown` letters of text (a line break counts as one), each line centred on the
// picture's middle column; one line stands on the middle row, as every single-line message does.
void DrawMessageLines(const Text& text, float scale, int32_t shown) {
  SetDrawScale(scale, scale);
  int32_t y = FirstLineY(text, scale);
  int32_t left = shown;
  for (const std::u16string& line : Split(text.chars, u'\n')) {
    const int32_t length = static_cast<int32_t>(line.size());
    DrawFontText(TextLeft(Text(line), MinInt(left, length)), DisplayWidth() / 2, y, 1, 0, 0);
    left -= length + 1;
    if (left <= 0) break;
    y += LinePitch(scale);
  }
  SetDrawScale(1.0f, 1.0f);
}

}  // namespace

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
        UseMessageRed();
      else
        SetDrawColor(static_cast<int32_t>(CosDeg(c * 52.0f) * 50.0 + 204.0), 0, 0);
    } else {
      const int32_t green = static_cast<int32_t>(RandomReal(0, 190));
      const int32_t blue = static_cast<int32_t>(RandomReal(0, 190));
      SetDrawColor(255, green, blue);
    }
    DrawMessageLines(text, scale, MinInt(static_cast<int32_t>(c), length));
    // The last frame is left unpresented: the caller flips it or draws over it.
    if (c > finished) return 0;
    if (!noSkip && SkipPressed()) return 1;
    if (WasKeyPressed(KeyEscape)) ExitProgram();
    DrawScene();
    EndFrame();
  }
}

void DrawWholeMessage(const Text& text, float scale) {
  UseMessageRed();
  DrawMessageLines(text, scale, text.Length());
}

Text WrapMessage(const Text& text, float scale) {
  const float room = static_cast<float>(DisplayWidth() - 2 * kMessageMargin);
  const float letter = static_cast<float>(font.advance) * scale;
  const auto most = static_cast<size_t>(MaxInt(1, static_cast<int32_t>(room / letter)));
  std::u16string wrapped;
  bool firstLine = true;
  for (const std::u16string& paragraph : Split(text.chars, u'\n')) {
    if (!firstLine) wrapped += u'\n';
    firstLine = false;
    const std::vector<std::u16string> words = Split(paragraph, u' ');
    std::u16string line;
    for (size_t w = 0; w < words.size(); ++w) {
      const std::u16string& word = words[w];
      if (w == 0) {
        line = word;
      } else if (line.size() + 1 + word.size() <= most) {
        line += u' ' + word;
      } else {
        wrapped += line + u'\n';
        line = word;
      }
      // A word no line can hold (a long path) is cut where the line ends.
      for (; line.size() > most; line.erase(0, most)) wrapped += line.substr(0, most) + u'\n';
    }
    wrapped += line;
  }
  return Text(wrapped);
}
