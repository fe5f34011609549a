// The headless screens the game-rules tests need for the replace menu and the rune-level message.
#include "tests/state/state_support.h"
#include "tests/support/stand_in_image.h"

#include "game/screens/font.h"
#include "game/screens/menu.h"
#include "game/screens/stage.h"
#include "game/screens/start.h"
#include "platform/clock.h"
#include "platform/display.h"
#include "platform/image.h"
#include "platform/keyboard.h"
#include "platform/keyscript.h"

namespace {

std::vector<TDrawRecord> records;

}  // namespace

std::vector<TDrawRecord>& ScreenRecords() { return records; }

void UseHeadlessScreens(const std::string& keys) {
  ResetKeyboard();
  UseVirtualClock(0);
  records.clear();
  SetDrawRecorder(&records);
  font.charset = Text(FontCharset);
  font.advance = 8;
  font.cellHeight = 14;
  font.glyphs = MakeStandInImage(14, 12, 56);
  TitlePicture = MakeStandInImage(800, 600, 1);
  Opponent = nullptr;
  menu = tmenu();
  std::vector<TKeyStep> steps;
  std::string error;
  ASSERT_TRUE(ParseKeyScript(keys, steps, error)) << error;
  UseKeyScript(std::move(steps));
}
