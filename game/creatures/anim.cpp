// Creature animations: the three animation kinds, and loading a creature's frames, offsets and hit
// frames from the embedded resources. Pictures are decoded once and never reloaded.
#include "game/creatures/anim.h"

#include <memory>

#include "platform/display/display.h"
#include "platform/images/image.h"
#include "platform/core/program.h"
#include "platform/files/resources.h"
#include "platform/files/stream.h"

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

}  // namespace

Text ResourcePrefix = "incbin::";

std::unique_ptr<tanim> LoadAnimation(const Text& creature, tanimkind& kind) {
  auto owned = std::make_unique<tanim>();
  tanim& anim = *owned;
  anim.kind = &kind;
  anim.speed = 1.0f;

  const Text base = ResourcePrefix + "image\\" + creature + "\\" + kind.name + "\\";
  if (&kind == AttackKind) {
    StreamPtr hit = OpenResourceStream(base + "hit.txt");
    if (!hit) RaiseError("no hitfile for " + creature);
    anim.hitframe = TextToInt(ReadTextLine(hit.get()));
    if (anim.hitframe <= 0) RaiseError("hitframe=" + IntToText(anim.hitframe));
    CloseStream(hit.get());
  }

  StreamPtr offsets = OpenResourceStream(base + "offset.dat");
  if (!offsets) RaiseError("no offset file for " + creature + "\\" + kind.name);
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
  return owned;
}

void CreateAnimKinds() {
  AnimKinds.clear();
  ownedKinds.clear();
  AttackKind = MakeKind("attack", 1);
  GotHitKind = MakeKind("gothit", 1);
  DieKind = MakeKind("die", 0);
  int32_t index = 0;
  for (tanimkind* kind : AnimKinds) kind->index = ++index;
}
