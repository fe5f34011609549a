// The save file: its exact bytes, round trips of any hero the game can reach, the refusal to save a
// broken equipment link, atomic writing, and files that are missing, cut short or damaged.
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <filesystem>

#include "game/state/hero.h"
#include "game/state/item_generate.h"
#include "game/state/save.h"
#include "platform/files/stream.h"
#include "platform/core/text.h"
#include "tests/state/state_support.h"
#include "tests/support/end_status.h"
#include "tests/support/small_disk.h"
#include "tests/support/stripped_hero.h"

namespace {

// Builds save-file bytes field by field, apart from the game's writer.
struct tbytes {
  std::vector<uint8_t> b;
  tbytes& I(int32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
    return *this;
  }
  tbytes& F(float v) {
    int32_t bits;
    std::memcpy(&bits, &v, 4);
    return I(bits);
  }
  tbytes& S(const std::string& s) {
    I(static_cast<int32_t>(s.size()));
    b.insert(b.end(), s.begin(), s.end());
    return *this;
  }
  // The name and ten statistics of a new game.
  tbytes& NewHero() { return S("hero").I(100).I(100).I(180).I(0).I(0).I(1).I(0).I(0).I(0).I(62); }
  tbytes& Item(int32_t kind, const std::string& name, int32_t chance, float value, int32_t floor, float quality,
               int32_t stat, int32_t timing) {
    return I(1).I(kind).S(name).I(chance).F(value).I(floor).F(quality).I(stat).I(timing);
  }
  tbytes& Sword() { return Item(1, "sword", 55, 12.5f, 3, 1.25f, 0, 0); }
  tbytes& Armor() { return Item(2, "body-armor", 20, 8.0f, 2, 1.0f, 0, 0); }
  tbytes& Rune(int32_t stat = 2, int32_t timing = 2) { return Item(3, "rune", 0, 4.5f, 3, 1.5f, stat, timing); }
  tbytes& Empty(int n) {
    for (int i = 0; i < n; ++i) I(0);
    return *this;
  }
};

// Everything about hero that a save must keep, with equipment named by inventory slot.
std::string Summary() {
  std::string s = hero.name.ToBytes();
  for (int32_t v : {hero.health, hero.healthmax, hero.gold, hero.experience, hero.runelevel, hero.floor,
                    hero.deepest, hero.strength, hero.defence, hero.accuracy, hero.itemfind}) {
    s += " " + std::to_string(v);
  }
  auto slotOf = [](const titem* item) -> std::string {
    for (int k = 1; k <= 18; ++k) {
      if (hero.items[k] == item) return std::to_string(k);
    }
    return "?";
  };
  for (int k = 1; k <= 18; ++k) {
    const titem* it = hero.items[k];
    if (it == nullptr) {
      s += " | -";
      continue;
    }
    char line[200];
    std::snprintf(line, sizeof line, " | %d %s %d %.9g %d %.9g %d %d", it->kind, it->name.ToBytes().c_str(),
                  it->chance, it->value, it->floor, it->quality, it->stat, it->timing);
    s += line;
  }
  s += " weapon " + (hero.weapon == DefaultWeapon ? std::string("fist") : slotOf(hero.weapon));
  s += " armor " + (hero.armor == DefaultArmor ? std::string("shirt") : slotOf(hero.armor));
  for (int i = 1; i <= 9; ++i) {
    const bool basic = hero.runes[i] == DefaultRunes[i];
    s += " r" + std::to_string(i) + "=" + (basic ? std::string("basic") : slotOf(hero.runes[i]));
  }
  return s;
}

// LoadGame with what it wrote on standard error.
int32_t LoadReporting(std::string& said) {
  ::testing::internal::CaptureStderr();
  const int32_t loaded = LoadGame();
  said = ::testing::internal::GetCapturedStderr();
  return loaded;
}

bool Exists(const char* path) { return std::filesystem::exists(path); }

// A hero with a bit of everything: equipped sword, armour and runes, an unequipped rune, a higher level.
void MakeRichHero() {
  SeedRandom(4242);
  hero.runelevel = 4;
  for (int i = 0; i < 9; ++i) hero.AddItem(GenerateItem(1 + i, i % 3 + 1));
  hero.AddItem(Given(MakeRune(2, 1, 6.5f)));
  hero.gold = 12345;
  hero.experience = 150;
  hero.floor = 7;
  hero.deepest = 9;
  hero.name = "Hrothgar";
}

}  // namespace

using SaveFileTest = StateTest;

TEST_F(SaveFileTest, NewGameWritesThe140ByteFile) {
  SaveGame();
  const std::vector<uint8_t> bytes = FileBytes("save.dat");
  EXPECT_EQ(bytes.size(), 140u);
  EXPECT_EQ(bytes, tbytes().NewHero().Empty(18).I(0).I(0).I(2).I(0).I(0).b);
  EXPECT_FALSE(Exists("save.dat.tmp"));

  ResetGameState();
  std::string said;
  EXPECT_EQ(LoadReporting(said), 1);
  EXPECT_EQ(said, "");
  EXPECT_FALSE(Exists("save.dat.bad"));
  EXPECT_EQ(hero.health, 100);
  EXPECT_EQ(hero.healthmax, 100);
  EXPECT_EQ(hero.gold, 180);
  EXPECT_EQ(hero.runelevel, 2);
  EXPECT_TRUE(HeroIsStripped());
}

TEST_F(SaveFileTest, EquipmentIsStoredAsSlotNumbers) {
  titem* sword = MakeItem(1, "sword", 30, 6.9333334f);
  titem* rune = MakeRune(6, 3, 2.0f);
  hero.items[3] = sword;
  hero.weapon = sword;
  hero.items[7] = rune;
  hero.runes[2] = rune;
  const std::vector<uint8_t> bytes = SaveGameToBytes();
  const std::vector<uint8_t> tail = tbytes().I(3).I(0).I(2).I(0).I(7).b;
  ASSERT_GE(bytes.size(), tail.size());
  EXPECT_TRUE(std::equal(tail.begin(), tail.end(), bytes.end() - static_cast<long>(tail.size())));
  // An item takes 36 bytes plus its name.
  EXPECT_EQ(bytes.size(), 140u + (36 + 5 - 4) + (36 + 4 - 4));
}

TEST_F(SaveFileTest, MissingFileIsANewGameSilently) {
  // What a save killed before its rename left: cleared at the start, with or without a save.
  WriteFile("save.dat.new-Ab12Cd", {1, 2, 3});
  std::string said;
  EXPECT_EQ(LoadReporting(said), 0);
  EXPECT_EQ(said, "");
  EXPECT_FALSE(Exists("save.dat.bad"));
  EXPECT_FALSE(Exists("save.dat.new-Ab12Cd"));
}

TEST_F(SaveFileTest, BrokenEquipmentLinksEndTheProgramWithoutTouchingTheFile) {
  SaveGame();
  const std::vector<uint8_t> good = FileBytes("save.dat");
  struct tcase {
    void (*breakIt)();
    const char* message;
  };
  for (const tcase& c : {tcase{[] { hero.weapon = MakeSword(); }, "could not find equipped weapon"},
                         tcase{[] { hero.armor = MakeArmor(); }, "could not find equipped armor"},
                         tcase{[] { hero.runes[2] = MakeRune(2, 2, 1.0f); }, "could not find equipped rune 2"}}) {
    ResetGameState();
    hero.NewGame();
    c.breakIt();
    std::string said;
    EXPECT_EQ(EndStatus([] { SaveGame(); }, said), -1);
    EXPECT_EQ(said, c.message);
    EXPECT_EQ(FileBytes("save.dat"), good);
  }
}

// A full disk, then a read-only one: the previous save stays whole, one line says why, and the
// program's end reports the failure instead of 0.
TEST_F(SaveFileTest, AFailedWriteKeepsThePreviousSaveAndFailsTheExit) {
  std::filesystem::create_directory("disk");
  TSmallDisk disk(scratch.dir / "disk");
  if (!disk.mounted()) GTEST_SKIP() << disk.why();
  std::filesystem::current_path(scratch.dir / "disk");
  SaveGame();
  const std::vector<uint8_t> good = FileBytes("save.dat");
  disk.Fill();
  for (int i = 1; i <= 18; ++i) hero.items[i] = MakeItem(1, std::string(250, 'x').c_str(), 50, 3.0f);
  for (bool readOnly : {false, true}) {
    SCOPED_TRACE(readOnly ? "read-only" : "full");
    if (readOnly) {
      std::filesystem::remove("filler");
      ASSERT_TRUE(disk.MakeReadOnly());
    }
    ResetExitHandlers();
    AtExit([] { SaveGame(); });
    std::string said;
    EXPECT_EQ(EndStatus([] { ExitProgram(); }, said), 1);
    EXPECT_EQ(FileBytes("save.dat"), good);
    EXPECT_EQ(said.find("The game could not be saved"), 0u) << said;
    EXPECT_EQ(said.find('\n'), said.size() - 1) << "one line: " << said;
  }
  std::filesystem::current_path(scratch.dir);
}

TEST_F(SaveFileTest, ItemEntriesReadBackOrGiveNoItem) {
  std::vector<uint8_t> bytes;
  StreamPtr out = MakeBufferStream(&bytes);
  MakeItem(3, "rune", 0, 17.25f, 6, 3.0f, 4, 3)->WriteItem(out.get());
  out.reset();
  EXPECT_EQ(bytes, tbytes().Item(3, "rune", 0, 17.25f, 6, 3.0f, 4, 3).b);
  bytes = {0, 0, 0, 0};
  const std::vector<uint8_t> entry = tbytes().Item(3, "rune", 0, 17.25f, 6, 3.0f, 4, 3).b;
  bytes.insert(bytes.end(), entry.begin(), entry.end());
  const std::vector<uint8_t> bad = tbytes().Item(3, "rune", 0, 1.0f, 1, 1.0f, 4, 9).b;  // timing 9
  bytes.insert(bytes.end(), bad.begin(), bad.end());
  StreamPtr in = MakeMemoryStream(bytes.data(), static_cast<int64_t>(bytes.size()));
  EXPECT_EQ(Kept(ReadItem(in.get())), nullptr) << "an empty slot";
  const titem* item = Kept(ReadItem(in.get()));
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->name, Text("rune"));
  EXPECT_EQ(item->value, 17.25f);
  EXPECT_EQ(item->quality, 3.0f);
  EXPECT_EQ(item->timing, 3);
  EXPECT_EQ(Kept(ReadItem(in.get())), nullptr) << "a damaged entry gives no item";
  EXPECT_TRUE(in->Eof());
}

using SaveRoundTripTest = StateTest;

TEST_F(SaveRoundTripTest, RichHeroLoadsBackEqual) {
  MakeRichHero();
  const std::string before = Summary();
  SaveGame();
  ResetGameState();
  std::string said;
  ASSERT_EQ(LoadReporting(said), 1);
  EXPECT_EQ(said, "");
  EXPECT_EQ(Summary(), before);
}

// Any hero the game's own operations can reach saves, loads back equal, and saves the same bytes.
TEST_F(SaveRoundTripTest, ReachableHeroesLoadBackEqual) {
  for (int32_t seed = 1; seed <= 150; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    ResetGameState();
    hero.NewGame();
    SeedRandom(seed * 7919);
    hero.runelevel = RandomInteger(2, 9);
    const int32_t steps = RandomInteger(0, 40);
    for (int32_t step = 0; step < steps; ++step) {
      const int32_t action = RandomInteger(1, 6);
      const int32_t slot = RandomInteger(1, 18);
      titem* item = hero.items[slot];
      if (action <= 2) {
        int32_t free = 0;
        for (int k = 18; k >= 1; --k) {
          if (hero.items[k] == nullptr) free = k;
        }
        if (free != 0) hero.AddItem(GenerateItem(RandomInteger(1, 20), RandomInteger(0, 3)));
      } else if ((action == 3 || action == 4) && item != nullptr) {
        // The equip screen: takes an equipped item off, puts any other on.
        if (hero.IsEquipped(item)) hero.Unequip(item);
        else hero.Equip(item, 1);
      } else if (action == 5 && item != nullptr) {
        hero.Unequip(item);  // sold
        hero.items[slot] = nullptr;
        delete item;
      } else if (action == 6) {
        hero.gold = RandomInteger(0, 100000);
        hero.floor = RandomInteger(0, 19);
        hero.deepest = RandomInteger(MaxInt(hero.floor, 1), 19);
        hero.experience = RandomInteger(0, 1000000);
      }
    }
    const std::string before = Summary();
    const std::vector<uint8_t> bytes = SaveGameToBytes();
    ResetGameState();
    std::string repairs;
    ASSERT_EQ(LoadGameFromBytes(bytes, repairs), 1);
    EXPECT_EQ(repairs, "");
    EXPECT_EQ(Summary(), before);
    EXPECT_EQ(SaveGameToBytes(), bytes);
  }
}

using DamagedSaveTest = StateTest;

// Loads bytes from save.dat; expects the original kept as save.dat.bad and one line saying so.
int32_t LoadDamaged(const std::vector<uint8_t>& bytes, std::string& said) {
  std::filesystem::remove("save.dat");
  std::filesystem::remove("save.dat.bad");
  WriteFile("save.dat", bytes);
  const int32_t loaded = LoadReporting(said);
  EXPECT_EQ(FileBytes("save.dat.bad"), bytes) << "the original bytes are kept";
  EXPECT_FALSE(said.empty());
  EXPECT_EQ(said.find('\n'), said.size() - 1) << "one line: " << said;
  return loaded;
}

TEST_F(DamagedSaveTest, UnreadableHeroFieldsStartANewGame) {
  const std::vector<std::vector<uint8_t>> cases = {
      {},                                             // empty
      tbytes().I(-3).b,                               // negative name length
      tbytes().I(2000000000).I(100).b,                // name longer than the file
      tbytes().S("hero").I(100).I(100).I(180).b,      // ends inside the statistics
  };
  for (const auto& bytes : cases) {
    SCOPED_TRACE("file of " + std::to_string(bytes.size()) + " bytes");
    ResetGameState();
    std::string said;
    EXPECT_EQ(LoadDamaged(bytes, said), 0);
    EXPECT_NE(said.find("new game"), std::string::npos) << said;
    EXPECT_EQ(hero.name, Text("")) << "hero left alone for NewGame";
  }
}

TEST_F(DamagedSaveTest, DamagedItemsAreDroppedAndTheRestKept) {
  const auto bytes = tbytes()
                         .NewHero()
                         .Sword()
                         .Item(4, "thing", 0, 1.0f, 1, 1.0f, 0, 0)      // kind 4
                         .Item(3, "rune", 0, 1.0f, 1, 1.0f, 8, 2)       // stat 8
                         .Item(3, "rune", 0, 1.0f, 1, 1.0f, 2, 0)       // timing 0
                         .Item(1, "sword", 50, NAN, 1, 1.0f, 0, 0)      // not a number
                         .Item(2, "body-armor", 9, 1.0f, 1, -2.0f, 0, 0)  // negative quality
                         .Armor()
                         // Numbers no rule of the item maker gives:
                         .Item(1, "sword", 50, -100.0f, 1, 1.0f, 0, 0)     // a value below nothing
                         .Item(1, "sword", 29, 5.0f, 1, 1.0f, 0, 0)        // accuracy under 30
                         .Item(2, "body-armor", 50, 5.0f, 1, 1.0f, 0, 0)   // full block over 49
                         .Item(3, "rune", 5, 10.0f, 1, 1.0f, 6, 2)         // a rune with a chance
                         .Item(3, "rune", 0, 10.0f, 21, 1.0f, 6, 2)        // floor 21
                         .Item(3, "rune", 0, 10.0f, -1, 1.0f, 6, 2)        // floor -1
                         .Item(3, "rune", 0, 2.1e9f, 1, 1.0f, 6, 2)        // a gold rune of 2.1e9
                         .Item(3, "rune", 0, 101.0f, 20, 1.0f, 5, 1)       // accuracy over 100
                         // ...and the largest it does give, kept.
                         .Item(3, "rune", 0, 3000.0f, 20, 3.0f, 4, 1)
                         .Item(2, "body-armor", 49, 8064.0f, 20, 3.0f, 0, 0)
                         .Empty(1)
                         .I(1).I(7).I(2).I(0).I(0)
                         .b;
  std::string said;
  ASSERT_EQ(LoadDamaged(bytes, said), 1);
  ASSERT_NE(hero.items[1], nullptr);
  EXPECT_EQ(hero.items[1]->name, Text("sword"));
  for (int k = 2; k <= 15; ++k) EXPECT_EQ(hero.items[k] != nullptr, k == 7) << "slot " << k;
  EXPECT_NE(hero.items[16], nullptr);
  EXPECT_NE(hero.items[17], nullptr);
  ASSERT_NE(hero.items[7], nullptr);
  EXPECT_EQ(hero.weapon, hero.items[1]);
  EXPECT_EQ(hero.armor, hero.items[7]);
  EXPECT_NE(said.find("slot 2"), std::string::npos) << said;
}

TEST_F(DamagedSaveTest, BadEquipmentNumbersEquipNothing) {
  struct tcase {
    int32_t weapon, armor;
  };
  // Outside 1..18, an empty slot, the wrong kind of item.
  for (const tcase& c : {tcase{19, -1}, tcase{5, 5}, tcase{2, 1}, tcase{3, 3}}) {
    SCOPED_TRACE(std::to_string(c.weapon) + " " + std::to_string(c.armor));
    const auto bytes = tbytes().NewHero().Sword().Armor().Rune().Empty(15).I(c.weapon).I(c.armor).I(2).I(0).I(0).b;
    ResetGameState();
    std::string said;
    ASSERT_EQ(LoadDamaged(bytes, said), 1);
    EXPECT_EQ(hero.weapon, DefaultWeapon);
    EXPECT_EQ(hero.armor, DefaultArmor);
    EXPECT_NE(hero.items[3], nullptr);
  }
}

TEST_F(DamagedSaveTest, RuneLevelIsHeldToTwoThroughNine) {
  struct tcase {
    int32_t stored, loaded;
  };
  for (const tcase& c : {tcase{1, 2}, tcase{-5, 2}, tcase{12, 9}}) {
    SCOPED_TRACE(c.stored);
    tbytes file = tbytes().NewHero().Rune().Rune(3, 3).Empty(16).I(0).I(0).I(c.stored);
    for (int i = 1; i <= c.stored; ++i) file.I(i == 1 ? 2 : (i == 9 ? 1 : 0));
    ResetGameState();
    std::string said;
    ASSERT_EQ(LoadDamaged(file.b, said), 1);
    EXPECT_EQ(hero.runelevel, c.loaded);
    if (c.stored == 12) {
      EXPECT_EQ(hero.runes[1], hero.items[2]);
      EXPECT_EQ(hero.runes[9], hero.items[1]);
      EXPECT_EQ(said.find("extra bytes"), std::string::npos) << "the stored level counts its numbers: " << said;
    } else {
      EXPECT_EQ(hero.runes[1], c.stored == 1 ? hero.items[2] : DefaultRunes[1]);
      EXPECT_EQ(hero.runes[2], DefaultRunes[2]);
    }
  }
}

TEST_F(DamagedSaveTest, RuneSlotsMayNotRepeatOrNameOtherItems) {
  const auto bytes = tbytes().NewHero().Rune().Sword().Rune(5, 1).Empty(15).I(0).I(0).I(4).I(1).I(1).I(2).I(3).b;
  std::string said;
  ASSERT_EQ(LoadDamaged(bytes, said), 1);
  EXPECT_EQ(hero.runes[1], hero.items[1]);
  EXPECT_EQ(hero.runes[2], DefaultRunes[2]) << "repeats slot 1";
  EXPECT_EQ(hero.runes[3], DefaultRunes[3]) << "names a sword";
  EXPECT_EQ(hero.runes[4], hero.items[3]);
}

TEST_F(DamagedSaveTest, ImpossibleItemNameLengthLosesTheRest) {
  tbytes file = tbytes().NewHero().Sword();
  file.I(1).I(1).I(100000);  // a name far longer than what is left
  file.Empty(40);
  std::string said;
  ASSERT_EQ(LoadDamaged(file.b, said), 1);
  EXPECT_NE(hero.items[1], nullptr);
  for (int k = 2; k <= 18; ++k) EXPECT_EQ(hero.items[k], nullptr);
  EXPECT_EQ(hero.weapon, DefaultWeapon);
  EXPECT_EQ(hero.runelevel, 2);
  EXPECT_EQ(hero.gold, 180);
}

// No saved game stands in the lair or below it, above the town, or deeper than the deepest floor
// reached: each such floor is repaired to the nearest one the game can resume on.
TEST_F(DamagedSaveTest, ImpossibleFloorsAreRepairedAndExtraBytesIgnored) {
  struct tcase {
    int32_t floor, deepest, floorAfter, deepestAfter;
  };
  for (const tcase c : {tcase{20, 19, 19, 19}, tcase{25, 3, 19, 19}, tcase{-3, 4, 0, 4}, tcase{7, 2, 7, 7},
                        tcase{99, -4, 19, 19}, tcase{0, 30, 0, 19}}) {
    SCOPED_TRACE(std::to_string(c.floor) + " " + std::to_string(c.deepest));
    auto file = tbytes().S("hero").I(100).I(100).I(180).I(0).I(c.floor).I(c.deepest).I(0).I(0).I(0).I(62).Empty(18);
    file.I(0).I(0).I(2).I(0).I(0).I(12345);
    std::string said;
    ASSERT_EQ(LoadDamaged(file.b, said), 1);
    EXPECT_EQ(hero.floor, c.floorAfter);
    EXPECT_EQ(hero.deepest, c.deepestAfter);
    EXPECT_NE(said.find("floor"), std::string::npos) << said;
    EXPECT_NE(said.find("extra bytes"), std::string::npos) << said;
  }
}

TEST_F(DamagedSaveTest, AnEarlierKeptOriginalIsNeverReplaced) {
  WriteFile("save.dat.bad", {1, 2, 3});
  WriteFile("save.dat", tbytes().I(-1).b);
  std::string said;
  EXPECT_EQ(LoadReporting(said), 0);
  EXPECT_EQ(FileBytes("save.dat.bad"), (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_EQ(FileBytes("save.dat.bad.2"), tbytes().I(-1).b);
  EXPECT_NE(said.find("save.dat.bad.2"), std::string::npos) << said;
  // The repaired game's save replaces save.dat, never the kept bytes.
  hero.NewGame();
  SaveGame();
  EXPECT_EQ(FileBytes("save.dat.bad.2"), tbytes().I(-1).b);
}

// Numbers the rules cannot start from are repaired like any other damage; names are cut.
TEST_F(DamagedSaveTest, ImpossibleStatisticsAndLongNamesAreRepaired) {
  const std::string longName(300, 'n');
  const auto bytes = tbytes()
                         .S(longName).I(500).I(0).I(-7).I(-1).I(0).I(1).I(0).I(0).I(0).I(62)
                         .Item(1, longName, 50, 3.0f, 1, 1.0f, 0, 0)
                         .Empty(17).I(1).I(0).I(2).I(0).I(0)
                         .b;
  std::string said;
  ASSERT_EQ(LoadDamaged(bytes, said), 1);
  EXPECT_EQ(hero.healthmax, 1);
  EXPECT_EQ(hero.health, 1);
  EXPECT_EQ(hero.gold, 0);
  EXPECT_EQ(hero.experience, 0);
  EXPECT_EQ(hero.name, Text(std::string(255, 'n')));
  ASSERT_NE(hero.items[1], nullptr);
  EXPECT_EQ(hero.items[1]->name.Length(), 255);
  EXPECT_EQ(hero.weapon, hero.items[1]);
  for (const char* what : {"health-max 0 became 1", "health 500", "gold -7", "experience -1", "hero's name",
                           "item in slot 1"}) {
    EXPECT_NE(said.find(what), std::string::npos) << what << " in: " << said;
  }
  // Health above a sane maximum alone is repaired too, and the game plays on from the repaired hero.
  const auto healthy = tbytes().S("hero").I(150).I(100).I(180).I(0).I(0).I(1).I(0).I(0).I(0).I(62).Empty(18)
                           .I(0).I(0).I(2).I(0).I(0).b;
  ASSERT_EQ(LoadDamaged(healthy, said), 1);
  EXPECT_EQ(hero.health, 100);
  // Below nothing, where no rule ever takes them: each becomes 0, so no blow or sum can wrap.
  const auto negative = tbytes().S("hero").I(INT32_MIN).I(100).I(180).I(0).I(0).I(1).I(-1).I(-2).I(-3).I(-4)
                            .Empty(18).I(0).I(0).I(2).I(0).I(0).b;
  ASSERT_EQ(LoadDamaged(negative, said), 1);
  EXPECT_EQ(std::vector<int32_t>({hero.health, hero.strength, hero.defence, hero.accuracy, hero.itemfind}),
            std::vector<int32_t>(5, 0));
  for (const char* what : {"health -2147483648 became 0", "strength -1 became 0", "defence -2 became 0",
                           "accuracy -3 became 0", "item-find -4 became 0"}) {
    EXPECT_NE(said.find(what), std::string::npos) << what << " in: " << said;
  }
}

// A file of 256 MB (sparse, so the test costs no disk) is no save: it is never read whole, it is
// kept aside under a second name, and a new game starts.
TEST_F(DamagedSaveTest, AHugeFileIsKeptAsideUnread) {
  WriteFile("save.dat", tbytes().NewHero().b);
  ASSERT_EQ(truncate("save.dat", 256 << 20), 0);
  std::string said;
  EXPECT_EQ(LoadReporting(said), 0);
  EXPECT_NE(said.find("far too large"), std::string::npos) << said;
  EXPECT_NE(said.find("save.dat.bad"), std::string::npos) << said;
  EXPECT_EQ(std::filesystem::file_size("save.dat.bad"), 256u << 20);
  EXPECT_EQ(said.find('\n'), said.size() - 1) << "one line: " << said;
}

// save.dat as a link to a save kept elsewhere: loaded through the link, saved into the file it
// points to, and the link stays.
TEST_F(SaveFileTest, ALinkedSaveIsLoadedAndSavedThroughItsLink) {
  std::filesystem::create_directory("elsewhere");
  MakeRichHero();
  SaveGame();
  std::filesystem::rename("save.dat", "elsewhere/hero.sav");
  std::filesystem::create_symlink("elsewhere/hero.sav", "save.dat");
  const std::string before = Summary();
  ResetGameState();
  std::string said;
  ASSERT_EQ(LoadReporting(said), 1);
  EXPECT_EQ(said, "");
  EXPECT_EQ(Summary(), before);
  hero.gold = 777;
  SaveGame();
  EXPECT_TRUE(std::filesystem::is_symlink("save.dat"));
  EXPECT_EQ(FileBytes("elsewhere/hero.sav"), SaveGameToBytes());
}

// Cut at every length from nothing to the whole file: never a crash, and whatever loads is a hero
// the game can play on and save soundly again.
TEST_F(DamagedSaveTest, TruncatedAtEveryLength) {
  MakeRichHero();
  const std::vector<uint8_t> full = SaveGameToBytes();
  const size_t heroFields = 4 + hero.name.Length() + 40;
  for (size_t length = 0; length <= full.size(); ++length) {
    SCOPED_TRACE("length " + std::to_string(length));
    const std::vector<uint8_t> cut(full.begin(), full.begin() + static_cast<long>(length));
    std::filesystem::remove("save.dat.bad");
    ResetGameState();
    std::string said;
    WriteFile("save.dat", cut);
    const int32_t loaded = LoadReporting(said);
    EXPECT_EQ(loaded, length >= heroFields ? 1 : 0);
    EXPECT_EQ(Exists("save.dat.bad"), length < full.size());
    EXPECT_EQ(said.empty(), length == full.size());
    if (loaded == 0) continue;
    EXPECT_GE(hero.runelevel, 2);
    EXPECT_TRUE(hero.weapon == DefaultWeapon || hero.weapon->kind == 1);
    // Whatever loaded saves without a broken link and loads again without a repair.
    const std::vector<uint8_t> again = SaveGameToBytes();
    std::string repairs;
    ResetGameState();
    EXPECT_EQ(LoadGameFromBytes(again, repairs), 1);
    EXPECT_EQ(repairs, "");
  }
}

TEST_F(DamagedSaveTest, ShortFileReadsZerosPastItsEnd) {
  // Cut just after the items: nothing equipped, rune level 0 which becomes 2.
  const auto bytes = tbytes().NewHero().Sword().Empty(17).b;
  std::string said;
  ASSERT_EQ(LoadDamaged(bytes, said), 1);
  EXPECT_NE(hero.items[1], nullptr);
  EXPECT_EQ(hero.weapon, DefaultWeapon);
  EXPECT_EQ(hero.runelevel, 2);
  EXPECT_NE(said.find("ended early"), std::string::npos) << said;
}

TEST_F(DamagedSaveTest, OnlyARegularFileIsOurs) {
  namespace fs = std::filesystem;
  // Each stands in save.dat's place: the game ends at once with one line naming it, reading
  // nothing (a pipe would block) and writing nothing (the device a link leads to stays a device).
  struct tcase {
    void (*make)();
    const char* named;
  };
  const tcase cases[] = {
      {[] { fs::create_directory("save.dat"); }, "a directory"},
      {[] { ASSERT_EQ(mkfifo("save.dat", 0600), 0); }, "a named pipe (FIFO)"},
      {[] { fs::create_symlink("/dev/null", "save.dat"); }, "a symbolic link to a character device"},
      {[] { fs::create_symlink("save.dat", "save.dat"); }, "a loop of symbolic links"},
  };
  for (const tcase& c : cases) {
    fs::remove_all("save.dat");
    c.make();
    const fs::file_status before = fs::symlink_status("save.dat");
    hero.NewGame();
    std::string said;
    EXPECT_EQ(EndStatus([] { LoadGame(); }, said), 1) << c.named;
    EXPECT_EQ(said, std::string("save.dat is ") + c.named +
                        ", not a saved game; nothing is written over it (move it away to play here)\n");
    EXPECT_EQ(fs::symlink_status("save.dat").type(), before.type()) << c.named;
    // A save that comes anyway (another way out) never replaces it either.
    EXPECT_EQ(EndStatus([] { SaveGame(); }, said), CallReturned);
    EXPECT_NE(said.find("could not be saved"), std::string::npos) << said;
    EXPECT_EQ(fs::symlink_status("save.dat").type(), before.type()) << c.named;
    EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 1) << c.named;
  }
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
  ResetExitHandlers();
}

TEST_F(DamagedSaveTest, UnreadableFileIsKeptAside) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads any file";
  SaveGame();
  const std::vector<uint8_t> bytes = FileBytes("save.dat");
  ASSERT_EQ(chmod("save.dat", 0), 0);
  std::string said;
  EXPECT_EQ(LoadReporting(said), 0);
  EXPECT_FALSE(said.empty());
  chmod("save.dat.bad", 0600);
  EXPECT_EQ(FileBytes("save.dat.bad"), bytes);
}
