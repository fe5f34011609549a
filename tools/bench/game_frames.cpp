// What the game's own frames cost on the headless display, drawn by the game's drawers with the
// shipped art: a town menu frame, and a battle frame (the title picture, the stage with the hero and
// the Dragon Lord larger and reddened, a floating number, the status panel, then a present).
#include <benchmark/benchmark.h>

#include "game/creatures/anim.h"
#include "game/creatures/mon.h"
#include "game/creatures/roster.h"
#include "game/screens/start.h"
#include "game/screens/title.h"
#include "game/screens/world.h"
#include "game/state/hero.h"
#include "game/ui/effects.h"
#include "game/ui/font.h"
#include "game/ui/frame.h"
#include "game/ui/menu.h"
#include "game/ui/stage.h"
#include "game/ui/status_panel.h"
#include "platform/display/display.h"
#include "platform/images/image.h"
#include "platform/input/keyboard.h"
#include "platform/replay/keyscript.h"
#include "platform/replay/script_player.h"
#include "platform/core/program.h"
#include "platform/files/resources.h"

namespace {

// The game's start-up up to the loaded roster, once: the loader's closing key wait gets a key.
void LoadGameWorld() {
  static const bool loaded = [] {
    SetEndMode(EndMode::Throw);
    RegisterEmbeddedResources();
    SetDisplayHeadless(true);
    if (DisplayWidth() == 0) OpenDisplay(800, 600, 16, 27, 0);
    SetMaskColor(255, 0, 255);
    TitlePicture = LoadImageResource(ResourcePrefix + "image\\dragon.jpg", -1);
    ResetGameWorld();
    LoadBitmapFont();
    CreateRoster();
    std::vector<TKeyStep> keys;
    std::string error;
    ParseKeyScript("enter", keys, error);
    UseKeyScript(keys);
    LoadCreatureAnimations();
    WaitAtTitle("");
    hero.NewGame();
    hero.mon->SetAnim(AttackKind);
    return true;
  }();
  benchmark::DoNotOptimize(loaded);
}

// The town menu as ChooseOption draws it.
void DrawTownFrame() {
  DrawTitlePicture(1);
  SetDrawColor(155, 155, 155);
  DrawKeywordText("THE HOME TOWN", 14, 0);
  SetDrawColor(205, 255, 255);
  DrawKeywordText("where will you go?", 28, 0);
  const char* places[] = {"healer", "the market", "pawn shop", "equip items", "enter the dungeon"};
  int32_t row = 3;
  for (const char* place : places) {
    SetDrawColor(255, 255, 255);
    DrawKeywordText(IntToText(row - 2) + ": " + place, row * 14, row == 3);
    ++row;
  }
  DrawFontText("->", 44, 42, 0, 0, 1);
  DrawStatusPanel();
  DrawScene();
  FlipFrame(0);
}

void BM_TownFrame(benchmark::State& state) {
  LoadGameWorld();
  Opponent = nullptr;
  for (auto _ : state) DrawTownFrame();
}
BENCHMARK(BM_TownFrame)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_BattleFrame(benchmark::State& state) {
  LoadGameWorld();
  tmon& lord = *Roster[MonsterCount];
  lord.health = lord.healthmax;
  lord.SetAnim(AttackKind);
  hero.mon->SetAnim(AttackKind);
  Opponent = &lord;
  menu.speaker = lord.name;
  for (auto _ : state) {
    DrawTitlePicture(1);
    // Both figures play on, so every frame of their attacks is drawn in turn.
    if (lord.Advance(0)) lord.SetAnim(AttackKind);
    if (hero.mon->Advance(0)) hero.mon->SetAnim(AttackKind);
    DrawScene();
    SetDrawColor(180, 0, 0);
    FloatTextStep("-1234", OverHero().x, OverHero().y, 2.0f, 34);
    DrawStatusPanel();
    FlipFrame(0);
  }
  Opponent = nullptr;
  menu.speaker = Text();
}
BENCHMARK(BM_BattleFrame)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
