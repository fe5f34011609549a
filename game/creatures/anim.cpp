// Creature animations: the three animation kinds, loading every creature's frames, offsets and hit
// frames from the embedded resources (with the title screen's progress frames between creatures),
// and the tmon methods that play an animation. Pictures are decoded once here and never reloaded.
#include <cassert>
#include <cmath>
#include <memory>

#include "game/creatures/anim.h"
#include "game/creatures/mon.h"
#include "game/creatures/roster.h"
#include "game/screens/start.h"
#include "game/screens/title.h"
#include "platform/display.h"
#include "platform/image.h"
#include "platform/keyboard.h"
#include "platform/program.h"
#include "platform/resources.h"
#include "platform/stream.h"

std::vector<tanimkind*> AnimKinds;
tanimkind* AttackKind = nullptr;
tanimkind* GotHitKind = nullptr;
tanimkind* DieKind = nullptr;

namespace {

// The kinds live for the run; a rebuilt roster (tests) makes them again.
std::vector<std::unique_ptr<tanimkind>> ownedKinds;

// The 22-slot picture array keeps slot 0 free, so a series holds at most this many frames.
constexpr int32_t kMaxFrames = 21;

tanimkind* MakeKind(const char* name, int32_t loops) {
  auto kind = std::make_unique<tanimkind>();
  kind->name = name;
  kind->loops = loops;
  tanimkind* made = kind.get();
  ownedKinds.push_back(std::move(kind));
  AnimKinds.push_back(made);
  return made;
}

// One animation of one creature from the folder "image\<creature>\<kind>\".
void LoadAnimation(tmon& creature, tanimkind& kind) {
  auto owned = std::make_unique<tanim>();
  tanim& anim = *owned;
  anim.kind = &kind;
  anim.speed = 1.0f;
  (*creature.anims)[static_cast<size_t>(kind.index)] = std::move(owned);

  const Text base = ResourcePrefix + "image\\" + creature.name + "\\" + kind.name + "\\";
  if (&kind == AttackKind) {
    StreamPtr hit = OpenResourceStream(base + "hit.txt");
    if (!hit) RaiseError("no hitfile for " + creature.name);
    anim.hitframe = TextToInt(ReadTextLine(hit.get()));
    if (anim.hitframe <= 0) RaiseError("hitframe=" + IntToText(anim.hitframe));
    CloseStream(hit.get());
  }

  StreamPtr offsets = OpenResourceStream(base + "offset.dat");
  if (!offsets) RaiseError("no offset file for " + creature.name + "\\" + kind.name);
  anim.framecount = 0;
  for (int32_t n = 1; n <= kMaxFrames; ++n) {
    ImagePtr picture = LoadImageResource(base + kind.name + " " + IntToText(n) + ".png", -1);
    if (!picture) {
      if (n == 1) RaiseError("no image");
      break;
    }
    const int32_t ox = ReadInt32(offsets.get());
    const int32_t oy = ReadInt32(offsets.get());
    // Every frame sits on a canvas whose origin is 30 pixels up and left of the drawing position.
    SetImageHandle(picture.get(), static_cast<float>(30 - static_cast<int64_t>(ox)),
                   static_cast<float>(30 - static_cast<int64_t>(oy)));
    anim.images[static_cast<size_t>(n)] = std::move(picture);
    anim.framecount = n;
  }
  CloseStream(offsets.get());
}

// The title screen after creature i: the creatures loaded so far on an ellipse around the centre,
// the newest opaque and the first faintest.
void DrawLoadingFrame(int32_t i) {
  ShowTitleScreen(i);
  SetBlendMode(3);
  const int32_t width = DisplayWidth();
  const int32_t height = DisplayHeight();
  for (int32_t j = 1; j <= i; ++j) {
    SetDrawAlpha(static_cast<float>(j) / static_cast<float>(i));
    const int32_t angle = (j * 360) / (MonsterCount - 1);
    const double x = width / 2 + width * CosDeg(angle) / 3.0;
    const double y = height / 2 + height * SinDeg(angle) / 3.0;
    const tanim* attack = (*Roster[j]->anims)[static_cast<size_t>(AttackKind->index)].get();
    DrawImageFrame(attack->images[1].get(), static_cast<float>(x), static_cast<float>(y), 0);
  }
  SetBlendMode(1);
  FlipFrame(0);
  DrawTitlePicture(1);
}

}  // namespace

void CreateAnimKinds() {
  AnimKinds.clear();
  ownedKinds.clear();
  AttackKind = MakeKind("attack", 1);
  GotHitKind = MakeKind("gothit", 1);
  DieKind = MakeKind("die", 0);
  int32_t index = 0;
  for (tanimkind* kind : AnimKinds) kind->index = ++index;
}

void LoadCreatureAnimations() {
  // Every slot but the Dragon Lord's, up to and including the hero's figure.
  for (int32_t i = 1; i <= MonsterCount + 1; ++i) {
    if (i == MonsterCount) continue;
    tmon& creature = *Roster[i];
    if (!creature.anims) creature.anims = std::make_shared<std::array<std::unique_ptr<tanim>, 5>>();
    for (tanimkind* kind : AnimKinds) {
      LoadAnimation(creature, *kind);
      if (WasKeyPressed(KeyEscape)) ExitProgram();
    }
    if (i < MonsterCount - 1) DrawLoadingFrame(i);
  }
  WaitForKey();
  // The Dragon Lord plays the dragon's very animations, with a frame position of its own.
  Roster[MonsterCount]->anims = Roster[MonsterCount - 1]->anims;
}

TImage* tmon::CurrentImage() const {
  if (!anim) return nullptr;
  const float floored = std::floor(frame);
  const int32_t index = static_cast<int32_t>(floored);
  TImage* image = nullptr;
  if (index >= 0 && index < static_cast<int32_t>(anim->images.size()))
    image = anim->images[static_cast<size_t>(index)].get();
  if (!image) RaiseError("null image at frame " + RealToText(floored) + "/" + IntToText(anim->framecount));
  return image;
}

void tmon::SetAnim(const tanimkind* kind) {
  assert(anims && kind && "SetAnim before the creature's animations were made");
  anim = (*anims)[static_cast<size_t>(kind->index)].get();
  frame = 1.0f;
}

int32_t tmon::Advance(int32_t mode) {
  assert(anim && "Advance before SetAnim");
  frame += anim->speed;
  if (std::floor(frame) <= static_cast<float>(anim->framecount)) return 0;
  if (mode == 1 || (mode == 2 && anim->kind->loops == 1)) {
    frame -= static_cast<float>(anim->framecount);
    if (std::floor(frame) < 1.0f) RaiseError("frame is " + RealToText(frame));
  } else {
    frame = static_cast<float>(anim->framecount);
  }
  return 1;
}
