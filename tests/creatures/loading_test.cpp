// Loading every creature's animations from the embedded art: frame counts, hit frames, handles,
// the Dragon Lord's borrowed animations, and the progress frames drawn between creatures. The whole
// roster is loaded once for the suite, without a display (drawing is only recorded).
#include <gtest/gtest.h>

#include "tests/support/battle_world.h"

#include <cmath>
#include <string>
#include <vector>

#include "game/creatures/anim.h"
#include "game/creatures/mon.h"
#include "game/creatures/roster.h"
#include "game/screens/title.h"
#include "game/ui/font.h"
#include "game/ui/frame.h"
#include "platform/display/display.h"
#include "platform/images/codecs.h"
#include "platform/images/image.h"
#include "platform/input/key_events.h"
#include "platform/input/keyboard.h"
#include "platform/replay/keyscript.h"
#include "platform/replay/script_player.h"
#include "platform/core/program.h"
#include "platform/files/resources.h"
#include "tests/support/end_status.h"
#include "tools/artgen/creature.h"

namespace {

const tanim& AnimOf(int slot, const tanimkind* kind) { return *(*Roster[slot]->anims)[kind->index]; }

class LoadedRosterTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { keysLeft = LoadShippedRoster(&records, false); }
  static void TearDownTestSuite() { CloseDisplay(); }

  static std::vector<TDrawRecord> records;
  static int keysLeft;
};

std::vector<TDrawRecord> LoadedRosterTest::records;
int LoadedRosterTest::keysLeft = -1;

TEST_F(LoadedRosterTest, EverySetLoadsItsFramesAndHitFrame) {
  // The generator's table, in roster order: slots 1 to 16, then the hero's figure in slot 18.
  const std::vector<artgen::CreatureArt>& sets = artgen::Creatures();
  ASSERT_EQ(sets.size(), 17u);
  for (int n = 0; n < 17; ++n) {
    const artgen::CreatureArt& set = sets[static_cast<size_t>(n)];
    const int slot = n < 16 ? n + 1 : 18;
    SCOPED_TRACE(set.name);
    ASSERT_EQ(Roster[slot]->name, Text(set.name));
    EXPECT_EQ(AnimOf(slot, AttackKind).framecount, set.frames[0]);
    EXPECT_EQ(AnimOf(slot, AttackKind).hitframe, set.hit);
    EXPECT_EQ(AnimOf(slot, GotHitKind).framecount, set.frames[1]);
    EXPECT_EQ(AnimOf(slot, GotHitKind).hitframe, 0);
    EXPECT_EQ(AnimOf(slot, DieKind).framecount, set.frames[2]);
    for (const tanimkind* kind : AnimKinds) {
      const tanim& anim = AnimOf(slot, kind);
      EXPECT_EQ(anim.kind, kind);
      EXPECT_EQ(anim.speed, 1.0f);
      EXPECT_EQ(anim.images[0], nullptr);
      for (int frame = 1; frame <= anim.framecount; ++frame) EXPECT_NE(anim.images[frame], nullptr);
      EXPECT_EQ(anim.images[anim.framecount + 1], nullptr);
    }
  }
}

TEST_F(LoadedRosterTest, HandlesComeFromTheOffsets) {
  // The spider's gothit offsets (17,22) (17,22) (13,12) (17,16) (17,22).
  const int spiderOffsets[5][2] = {{17, 22}, {17, 22}, {13, 12}, {17, 16}, {17, 22}};
  for (int frame = 1; frame <= 5; ++frame) {
    const TImage* image = AnimOf(1, GotHitKind).images[frame].get();
    EXPECT_EQ(image->handleX, 30 - spiderOffsets[frame - 1][0]) << frame;
    EXPECT_EQ(image->handleY, 30 - spiderOffsets[frame - 1][1]) << frame;
  }
  EXPECT_EQ(AnimOf(1, GotHitKind).images[1]->handleX, 13);
  EXPECT_EQ(AnimOf(1, GotHitKind).images[1]->handleY, 8);
  const int heroOffsets[9][2] = {{31, 22}, {32, 22}, {34, 23}, {21, 24}, {29, 23},
                                 {25, 20}, {26, 17}, {28, 19}, {32, 23}};
  for (int frame = 1; frame <= 9; ++frame) {
    const TImage* image = AnimOf(18, AttackKind).images[frame].get();
    EXPECT_EQ(image->handleX, 30 - heroOffsets[frame - 1][0]) << frame;
    EXPECT_EQ(image->handleY, 30 - heroOffsets[frame - 1][1]) << frame;
  }
}

TEST_F(LoadedRosterTest, TheDragonLordPlaysTheDragonsAnimationsWithItsOwnFrame) {
  tmon& dragon = *Roster[16];
  tmon& lord = *Roster[17];
  EXPECT_EQ(lord.anims.get(), dragon.anims.get());
  for (const tanimkind* kind : AnimKinds) EXPECT_EQ(&AnimOf(17, kind), &AnimOf(16, kind));

  lord.SetAnim(AttackKind);
  lord.Advance(0);
  lord.Advance(0);
  dragon.SetAnim(GotHitKind);
  EXPECT_EQ(lord.anim, &AnimOf(16, AttackKind));
  EXPECT_EQ(lord.frame, 3.0f);
  EXPECT_EQ(dragon.frame, 1.0f);
  EXPECT_EQ(lord.CurrentImage(), AnimOf(16, AttackKind).images[3].get());
}

TEST_F(LoadedRosterTest, TheTitleWaitsForOneKeyAfterLoading) { EXPECT_EQ(keysLeft, 0); }

TEST_F(LoadedRosterTest, ProgressFramesPlaceTheLoadedCreaturesOnAnEllipse) {
  std::vector<TDrawRecord> creatures;
  int titleDraws = 0;
  for (const TDrawRecord& record : records) {
    if (record.image == TitlePicture.get()) {
      ++titleDraws;
      EXPECT_EQ(record.red, 111);
      EXPECT_EQ(record.x, 0);
      EXPECT_EQ(record.y, 0);
    } else if (record.image != font.glyphs.get()) {
      creatures.push_back(record);
    }
  }
  // One frame after each of the creatures 1 to 15, each with a background for the next frame.
  EXPECT_EQ(titleDraws, 15);
  ASSERT_EQ(creatures.size(), 120u);
  const double pi = std::acos(-1.0);
  size_t at = 0;
  for (int i = 1; i <= 15; ++i) {
    for (int j = 1; j <= i; ++j, ++at) {
      SCOPED_TRACE("after creature " + std::to_string(i) + ", creature " + std::to_string(j));
      const TDrawRecord& record = creatures[at];
      const int degrees = (j * 360) / 16;
      EXPECT_EQ(record.image, AnimOf(j, AttackKind).images[1].get());
      EXPECT_EQ(record.frame, 0);
      EXPECT_NEAR(record.x, 400 + 800 * std::cos(degrees * pi / 180) / 3.0, 1e-3);
      EXPECT_NEAR(record.y, 300 + 600 * std::sin(degrees * pi / 180) / 3.0, 1e-3);
      EXPECT_FLOAT_EQ(record.alpha, static_cast<float>(j) / static_cast<float>(i));
      EXPECT_EQ(record.blend, 3);
      EXPECT_EQ(record.scaleX, 1.0f);
      EXPECT_EQ(record.red, 255);
    }
  }
  // The first creature stands at 22 degrees, the fifteenth at 337.
  EXPECT_NEAR(creatures[0].y, 374.921, 1e-3);
  EXPECT_NEAR(creatures[119].x, 645.468, 1e-3);
}

// Broken art under made-up creature names: each fault ends loading with its runtime error.
class BrokenArtTest : public testing::Test {
 protected:
  void SetUp() override {
    SetEndMode(EndMode::Throw);
    ResetExitHandlers();
    ResetKeyboard();
    RegisterEmbeddedResources();
    SetMaskColor(255, 0, 255);
    SetDefaultImageFlags(3);
    CreateRoster();
    std::vector<TKeyStep> keys;
    std::string error;
    ParseKeyScript("enter", keys, error);
    UseKeyScript(keys);
  }

  // Resources must outlive the store, so their bytes are kept for the whole test program.
  static void Register(const std::string& name, std::vector<uint8_t> bytes) {
    static std::vector<std::vector<uint8_t>> kept;
    kept.reserve(1000);
    kept.push_back(std::move(bytes));
    RegisterResource(Text(name), kept.back().data(), static_cast<int32_t>(kept.back().size()));
  }
  static std::vector<uint8_t> TextBytes(const std::string& text) { return {text.begin(), text.end()}; }
  static std::vector<uint8_t> Offsets(int frames) {
    std::vector<uint8_t> bytes;
    for (int n = 0; n < frames * 2; ++n) bytes.insert(bytes.end(), {static_cast<uint8_t>(n + 1), 0, 0, 0});
    return bytes;
  }
  static std::vector<uint8_t> Picture() {
    auto pixmap = MakePixmap(4, 3, 4);
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(EncodePng(*pixmap, bytes));
    return bytes;
  }
  // A whole kind folder with the given frame numbers present.
  static void Kind(const std::string& creature, const std::string& kind, std::vector<int> frames) {
    const std::string base = "image\\" + creature + "\\" + kind + "\\";
    if (kind == "attack") Register(base + "hit.txt", TextBytes("3"));
    Register(base + "offset.dat", Offsets(30));
    for (int n : frames) Register(base + kind + " " + std::to_string(n) + ".png", Picture());
  }

  // Loads with slot 1 renamed; the runtime error's message, or "" when loading went through.
  std::string LoadAs(const std::string& name) {
    Roster[1]->name = Text(name);
    bool saved = false;
    AtExit([&saved] { saved = true; });
    std::string written;
    const int status = EndStatus(LoadCreatureAnimations, written);
    ResetExitHandlers();
    if (status != -1) return "";
    EXPECT_TRUE(saved) << "the exit handlers run after a runtime error";
    return written;
  }
};

TEST_F(BrokenArtTest, AttackWithoutHitFile) { EXPECT_EQ(LoadAs("phantom1"), "no hitfile for phantom1"); }

TEST_F(BrokenArtTest, HitFrameOfZeroOrLess) {
  Register("image\\phantom2\\attack\\hit.txt", TextBytes("0"));
  EXPECT_EQ(LoadAs("phantom2"), "hitframe=0");
  Register("image\\phantom3\\attack\\hit.txt", TextBytes("-4\r\n"));
  EXPECT_EQ(LoadAs("phantom3"), "hitframe=-4");
}

TEST_F(BrokenArtTest, KindWithoutOffsetFile) {
  Register("image\\phantom4\\attack\\hit.txt", TextBytes("5"));
  EXPECT_EQ(LoadAs("phantom4"), "no offset file for phantom4\\attack");
  Kind("phantom5", "attack", {1, 2});
  EXPECT_EQ(LoadAs("phantom5"), "no offset file for phantom5\\gothit");
}

TEST_F(BrokenArtTest, KindWithOffsetsButNoFirstPicture) {
  Kind("phantom6", "attack", {2, 3});
  EXPECT_EQ(LoadAs("phantom6"), "no image");
  // Only the attack has a hit file: a gothit folder without pictures fails on the picture.
  Kind("phantom7", "attack", {1});
  Kind("phantom7", "gothit", {});
  EXPECT_EQ(LoadAs("phantom7"), "no image");
}

TEST_F(BrokenArtTest, SeriesEndsAtTheFirstMissingNumber) {
  Kind("phantom8", "attack", {1, 2, 4, 5});
  Kind("phantom8", "gothit", {1});
  Kind("phantom8", "die", {1, 2, 3});
  ASSERT_EQ(LoadAs("phantom8"), "");
  EXPECT_EQ(AnimOf(1, AttackKind).framecount, 2);
  EXPECT_EQ(AnimOf(1, AttackKind).hitframe, 3);
  EXPECT_EQ(AnimOf(1, AttackKind).images[4], nullptr);
  EXPECT_EQ(AnimOf(1, GotHitKind).framecount, 1);
  EXPECT_EQ(AnimOf(1, DieKind).framecount, 3);
  // Offsets are read in frame order: the second frame takes the second pair (3, 4).
  EXPECT_EQ(AnimOf(1, AttackKind).images[2]->handleX, 27);
  EXPECT_EQ(AnimOf(1, AttackKind).images[2]->handleY, 26);
}

TEST_F(BrokenArtTest, ASeriesLongerThanThePictureArrayStopsAtItsLastSlot) {
  std::vector<int> frames;
  for (int n = 1; n <= 24; ++n) frames.push_back(n);
  Kind("phantom9", "attack", frames);
  Kind("phantom9", "gothit", {1});
  Kind("phantom9", "die", {1});
  ASSERT_EQ(LoadAs("phantom9"), "");
  EXPECT_EQ(AnimOf(1, AttackKind).framecount, 21);
  EXPECT_NE(AnimOf(1, AttackKind).images[21], nullptr);
}

TEST_F(BrokenArtTest, EscapeWhileLoadingEndsTheProgram) {
  KeyDownEvent(KeyEscape);
  KeyUpEvent(KeyEscape);
  std::string said;
  EXPECT_EQ(EndStatus(LoadCreatureAnimations, said), 0);
  EXPECT_EQ(said, "");
  // It ended straight after the first creature's first animation.
  EXPECT_NE((*Roster[1]->anims)[AttackKind->index], nullptr);
  EXPECT_EQ((*Roster[1]->anims)[GotHitKind->index], nullptr);
}

}  // namespace
