// The save file save.dat: little-endian, the hero's name and ten statistics, 18 item entries, then
// the equipment as inventory slot numbers and the rune level just before the rune slot numbers it
// counts. The game writes it whole into memory and then atomically (beside, flushed, renamed), so a
// failed save leaves the previous one intact; a failure to write is one line on standard error and
// a failed exit status.
//
// Loading reads the whole file first and trusts nothing in it. What is repaired, rather than lost:
//  - a file far larger than any save the game writes is not read at all: a new game starts;
//  - the name and the ten statistics must all be there with a sane name length, or a new game starts;
//    a current floor outside 0..19 or a deepest floor outside 1..19 becomes the nearest end (the
//    town, or floor 19 where a game saved in the lair resumes), a deepest floor above the current
//    one becomes the current one;
//    health-max below 1 becomes 1, health above health-max becomes health-max, negative health,
//    gold, experience, strength, defence, accuracy or item-find becomes 0, and a name (the hero's or
//    an item's) is cut to 255 characters, so the rules never start from numbers they cannot hold;
//  - a damaged item (kind not 1..3, a rune's stat not 1..7 or timing not 1..3, a value, chance,
//    floor or quality the item maker cannot give, an entry cut off by the end of the file) is
//    dropped: its slot is empty;
//    an item whose name length is impossible loses the rest of the file too, which cannot be followed;
//  - an equipment number outside 0..18, naming an empty slot or an item of the wrong kind equips
//    nothing; a rune slot repeating an item of a lower rune slot is free;
//  - the rune level is held to 2..9 (a file cut off before it has level 0, which becomes 2);
//  - a short file reads zeros past its end (empty slots, nothing equipped) and extra bytes after a
//    complete save are ignored; both count as repairs.
// Whenever anything was repaired or the file could not be used, the original is kept as save.dat.bad
// (.bad.2 and on when earlier ones are there; a second name for the file, or a copy where none can
// be given; the original stays save.dat until a new save replaces it) and one line on standard
// error says what. A save.dat that is not a regular file (nor a link to one) ends the game at once
// with status 1, and nothing is written over it.
#include "game/state/save.h"

#include <cmath>
#include <cstdio>
#include <memory>
#include <utility>

#include "game/state/hero.h"
#include "game/state/item.h"
#include "platform/core/program.h"
#include "platform/files/resources.h"
#include "platform/files/save_files.h"
#include "platform/files/stream.h"

namespace {

const char* const kSavePath = "save.dat";
// The deepest floor a saved game can stand on: the lair lasts one battle, after which the hero is
// back on the floor above it, so a game saved during that battle resumes there.
constexpr int32_t DeepestFloor = LairFloor - 1;
// Names longer than this are cut on loading; the game never makes one.
constexpr int32_t kLongestName = 255;
// The largest save the game writes is 5,585 bytes (255-character names everywhere, 18 items, nine
// runes).
constexpr int64_t kReadLimit = kSaveReadLimit;

// How one item entry read.
enum class tentry { Empty, Item, Damaged, CutOff, BadName };

int64_t Remaining(TStream* s) { return s->Size() - s->Position(); }

// An int32, or 0 (and the file counts as cut off) when fewer than four bytes are left.
int32_t ReadField(TStream* s, bool& cutOff) {
  if (Remaining(s) < 4) {
    if (Remaining(s) > 0) s->Seek(s->Size());
    cutOff = true;
    return 0;
  }
  return ReadInt32(s);
}

// The largest value the item maker gives, on floor 20 with a rare quality (rounded up): weapons,
// armour, then runes by stat (health, strength, defence, health-max, accuracy, gold, experience).
constexpr float kLargestWeapon = 6900.0f, kLargestArmor = 8100.0f;
constexpr float kLargestRune[StatCount + 1] = {0.0f, 370.0f, 2950.0f, 2950.0f, 3000.0f, 100.0f, 1200.0f, 150.0f};
// Items are made for floors 1..19 (the defaults say 0 and 1); 20 is the deepest any rule could name.
constexpr int32_t kDeepestItemFloor = 20;

// Only values the game itself could have made: a known kind, stat and timing, a finite value from 0
// to the largest the maker gives, a chance in its kind's range (a weapon's accuracy 30..100, an
// armour's full block 6..49, none on a rune), a floor 0..20, and a quality between the defaults' 0
// and the rare 3. Prices and descriptions of such items stay in range.
bool SaneItem(const titem& item) {
  if (item.kind < 1 || item.kind > 3) return false;
  if (item.kind == ItemRune && (item.stat < 1 || item.stat > StatCount || item.timing < TimingEquipped || item.timing > TimingAttack)) {
    return false;
  }
  const float largest = item.kind == ItemWeapon ? kLargestWeapon : (item.kind == ItemArmor ? kLargestArmor : kLargestRune[item.stat]);
  if (!std::isfinite(item.value) || item.value < 0.0f || item.value > largest) return false;
  const int32_t lowest = item.kind == ItemWeapon ? 30 : (item.kind == ItemArmor ? 6 : 0);
  const int32_t highest = item.kind == ItemWeapon ? 100 : (item.kind == ItemArmor ? 49 : 0);
  if (item.chance < lowest || item.chance > highest) return false;
  if (item.floor < 0 || item.floor > kDeepestItemFloor) return false;
  if (!std::isfinite(item.quality) || item.quality < 0.0f || item.quality > 3.0f) return false;
  return true;
}

tentry ReadEntry(TStream* s, std::unique_ptr<titem>& out) {
  bool cutOff = false;
  const int32_t present = ReadField(s, cutOff);
  if (cutOff) return tentry::CutOff;
  if (present == 0) return tentry::Empty;
  if (Remaining(s) < 8) {
    s->Seek(s->Size());
    return tentry::CutOff;
  }
  auto item = std::make_unique<titem>();
  item->kind = ReadInt32(s);
  const int32_t length = ReadInt32(s);
  if (length < 0 || length > Remaining(s)) return tentry::BadName;
  item->name = ReadText(s, length);
  if (Remaining(s) < 24) {
    s->Seek(s->Size());
    return tentry::CutOff;
  }
  item->chance = ReadInt32(s);
  item->value = ReadFloat32(s);
  item->floor = ReadInt32(s);
  item->quality = ReadFloat32(s);
  item->stat = ReadInt32(s);
  item->timing = ReadInt32(s);
  if (!SaneItem(*item)) return tentry::Damaged;
  out = std::move(item);
  return tentry::Item;
}

// Collects what was repaired, for the one line on standard error.
struct trepairs {
  std::string text;
  int32_t count = 0;

  void Add(const std::string& what) {
    ++count;
    if (count > 6) return;
    text += text.empty() ? what : "; " + what;
  }
  std::string Line() const {
    if (count <= 6) return text;
    return text + "; and " + std::to_string(count - 6) + " more";
  }
};

std::string Num(int32_t n) { return std::to_string(n); }

// The slot number k as an equipped item of the given kind, or nullptr when it names nothing usable.
titem* EquippedFrom(int32_t k, int32_t kind, titem* const items[InventorySlots + 1]) {
  if (k < 1 || k > 18 || items[k] == nullptr || items[k]->kind != kind) return nullptr;
  return items[k];
}

int32_t SlotOf(const titem* item) {
  for (int32_t k = 1; k <= InventorySlots; ++k) {
    if (hero.items[k] == item) return k;
  }
  return 0;
}

}  // namespace

void titem::WriteItem(TStream* stream) const {
  WriteInt32(stream, 1);
  WriteInt32(stream, kind);
  WriteInt32(stream, name.Length());
  WriteText(stream, name);
  WriteInt32(stream, chance);
  WriteFloat32(stream, value);
  WriteInt32(stream, floor);
  WriteFloat32(stream, quality);
  WriteInt32(stream, stat);
  WriteInt32(stream, timing);
}

titem* ReadItem(TStream* stream) {
  std::unique_ptr<titem> item;
  ReadEntry(stream, item);
  return item.release();
}

int32_t LoadGameFromBytes(const std::vector<uint8_t>& bytes, std::string& repairs) {
  repairs.clear();
  StreamPtr stream = MakeMemoryStream(bytes.data(), static_cast<int64_t>(bytes.size()));
  TStream* s = stream.get();
  trepairs notes;
  bool cutOff = false;

  // The hero's own fields: all of them, or a new game.
  const int32_t nameLength = ReadField(s, cutOff);
  if (cutOff || nameLength < 0 || nameLength > Remaining(s)) {
    repairs = cutOff ? "the file is too short to hold a hero" : "the hero's name length is impossible";
    return 0;
  }
  thero loaded;
  loaded.name = ReadText(s, nameLength);
  if (loaded.name.Length() > kLongestName) {
    notes.Add("the hero's name was cut to " + Num(kLongestName) + " characters");
    loaded.name = TextLeft(loaded.name, kLongestName);
  }
  if (Remaining(s) < 40) {
    repairs = "the file ends inside the hero's statistics";
    return 0;
  }
  for (int32_t* field : {&loaded.health, &loaded.healthmax, &loaded.gold, &loaded.experience,
                         &loaded.floor, &loaded.deepest, &loaded.strength, &loaded.defence,
                         &loaded.accuracy, &loaded.itemfind}) {
    *field = ReadInt32(s);
  }
  // The lair is never a place to resume in: it lasts one battle.
  if (loaded.floor < 0 || loaded.floor > DeepestFloor) {
    const int32_t floor = loaded.floor < 0 ? 0 : DeepestFloor;
    notes.Add("floor " + Num(loaded.floor) + " became " + (floor == 0 ? std::string("the town") : Num(floor)));
    loaded.floor = floor;
  }
  if (loaded.deepest < 1 || loaded.deepest > DeepestFloor) {
    const int32_t deepest = loaded.deepest < 1 ? 1 : DeepestFloor;
    notes.Add("deepest floor " + Num(loaded.deepest) + " became " + Num(deepest));
    loaded.deepest = deepest;
  }
  if (loaded.deepest < loaded.floor) {
    notes.Add("deepest floor " + Num(loaded.deepest) + " became the floor " + Num(loaded.floor));
    loaded.deepest = loaded.floor;
  }
  if (loaded.healthmax < 1) {
    notes.Add("health-max " + Num(loaded.healthmax) + " became 1");
    loaded.healthmax = 1;
  }
  if (loaded.health > loaded.healthmax) {
    notes.Add("health " + Num(loaded.health) + " became the health-max " + Num(loaded.healthmax));
    loaded.health = loaded.healthmax;
  }
  for (auto [field, what] : {std::pair{&loaded.gold, "gold "}, std::pair{&loaded.experience, "experience "},
                             std::pair{&loaded.health, "health "}, std::pair{&loaded.strength, "strength "},
                             std::pair{&loaded.defence, "defence "}, std::pair{&loaded.accuracy, "accuracy "},
                             std::pair{&loaded.itemfind, "item-find "}}) {
    if (*field >= 0) continue;
    notes.Add(what + Num(*field) + " became 0");
    *field = 0;
  }

  std::unique_ptr<titem> items[InventorySlots + 1];
  bool lostTheRest = false;
  for (int32_t slot = 1; slot <= InventorySlots && !lostTheRest && !cutOff; ++slot) {
    switch (ReadEntry(s, items[slot])) {
      case tentry::Empty:
        break;
      case tentry::Item:
        if (items[slot]->name.Length() > kLongestName) {
          notes.Add("the name of the item in slot " + Num(slot) + " was cut to " + Num(kLongestName) + " characters");
          items[slot]->name = TextLeft(items[slot]->name, kLongestName);
        }
        break;
      case tentry::Damaged:
        notes.Add("dropped the damaged item in slot " + Num(slot));
        break;
      case tentry::CutOff:
        cutOff = true;
        break;
      case tentry::BadName:
        notes.Add("the item in slot " + Num(slot) +
                  " has an impossible name length; it and the rest of the file were dropped");
        lostTheRest = true;
        break;
    }
  }
  titem* inventory[InventorySlots + 1] = {};
  for (int32_t k = 1; k <= InventorySlots; ++k) inventory[k] = items[k].get();

  loaded.weapon = DefaultWeapon;
  loaded.armor = DefaultArmor;
  for (int32_t i = 1; i <= RuneSlots; ++i) loaded.runes[i] = DefaultRunes[i];
  loaded.runelevel = 2;
  if (!lostTheRest) {
    const int32_t weapon = ReadField(s, cutOff);
    if (titem* item = EquippedFrom(weapon, ItemWeapon, inventory)) loaded.weapon = item;
    else if (weapon != 0) notes.Add("weapon slot " + Num(weapon) + " names no weapon");
    const int32_t armor = ReadField(s, cutOff);
    if (titem* item = EquippedFrom(armor, ItemArmor, inventory)) loaded.armor = item;
    else if (armor != 0) notes.Add("armour slot " + Num(armor) + " names no armour");

    const int32_t stored = ReadField(s, cutOff);
    loaded.runelevel = stored < 2 ? 2 : (stored > RuneSlots ? RuneSlots : stored);
    if (loaded.runelevel != stored) notes.Add("rune level " + Num(stored) + " became " + Num(loaded.runelevel));
    // The stored level counts the numbers that follow, even when it had to be held to 2..9.
    for (int32_t i = 1; i <= stored && !cutOff; ++i) {
      const int32_t k = ReadField(s, cutOff);
      if (k == 0 || i > loaded.runelevel) continue;
      titem* item = EquippedFrom(k, ItemRune, inventory);
      for (int32_t j = 1; j < i && item != nullptr; ++j) {
        if (loaded.runes[j] == item) item = nullptr;
      }
      if (item != nullptr) loaded.runes[i] = item;
      else notes.Add("rune slot " + Num(i) + " (inventory slot " + Num(k) + ") was freed");
    }
    if (Remaining(s) > 0) notes.Add(std::to_string(Remaining(s)) + " extra bytes at the end were ignored");
  }
  if (cutOff) notes.Add("the file ended early");

  loaded.mon = hero.mon;
  for (int32_t k = 1; k <= InventorySlots; ++k) loaded.items[k] = items[k].release();
  // Whatever the hero carried before (nothing, at start-up) gives way to the loaded pack.
  for (titem*& old : hero.items) {
    delete old;
    old = nullptr;
  }
  hero = loaded;
  repairs = notes.Line();
  return 1;
}

namespace {

// Keeps the original aside for a report: what the line says about where it went.
std::string KeptOriginal() {
  std::string keptAs, error;
  if (KeepFileAside(kSavePath, keptAs, error)) return "the original is kept as " + keptAs;
  return "could not keep the original: " + error;
}

}  // namespace

int32_t LoadGame() {
  std::string said;
  return LoadGame(said);
}

int32_t LoadGame(std::string& said) {
  said.clear();
  // Nothing but a regular file is ever read or written over: a pipe would hang the game, and a
  // link to a device would have the device replaced by the next save.
  const std::string notAFile = NotARegularFile(kSavePath);
  if (!notAFile.empty()) {
    std::fprintf(stderr, "save.dat is %s, not a saved game; nothing is written over it (move it away to play here)\n",
                 notAFile.c_str());
    EndProgram(1);
  }
  // This run holds the folder: a new file left by a write killed before its rename is nobody's.
  RemoveStaleTemporaries(kSavePath);
  if (FileKind(kSavePath) == 0) return 0;
  std::vector<uint8_t> bytes;
  bool tooLarge = false;
  if (!ReadWholeFile(kSavePath, bytes, kReadLimit, tooLarge)) {
    const std::string why = tooLarge ? "is far too large to be a saved game" : "could not be read";
    said = "save.dat " + why + ", starting a new game; " + KeptOriginal();
    std::fprintf(stderr, "%s\n", said.c_str());
    return 0;
  }
  std::string repairs;
  const int32_t loaded = LoadGameFromBytes(bytes, repairs);
  if (repairs.empty()) return loaded;
  const std::string kept = KeptOriginal();
  if (loaded == 0) said = "save.dat is damaged (" + repairs + "), starting a new game; " + kept;
  else said = "save.dat was repaired (" + repairs + "); " + kept;
  std::fprintf(stderr, "%s\n", said.c_str());
  return loaded;
}

void DeleteSave() { DeleteFile(kSavePath); }

std::vector<uint8_t> SaveGameToBytes() {
  std::vector<uint8_t> bytes;
  StreamPtr stream = MakeBufferStream(&bytes);
  TStream* s = stream.get();
  WriteInt32(s, hero.name.Length());
  WriteText(s, hero.name);
  const int32_t floor = hero.floor > DeepestFloor ? DeepestFloor : hero.floor;
  for (int32_t field : {hero.health, hero.healthmax, hero.gold, hero.experience, floor, hero.deepest,
                        hero.strength, hero.defence, hero.accuracy, hero.itemfind}) {
    WriteInt32(s, field);
  }
  for (int32_t k = 1; k <= InventorySlots; ++k) {
    if (hero.items[k] == nullptr) WriteInt32(s, 0);
    else hero.items[k]->WriteItem(s);
  }
  if (hero.weapon == DefaultWeapon) {
    WriteInt32(s, 0);
  } else {
    const int32_t k = SlotOf(hero.weapon);
    if (k == 0) RaiseError("could not find equipped weapon");
    WriteInt32(s, k);
  }
  if (hero.armor == DefaultArmor) {
    WriteInt32(s, 0);
  } else {
    const int32_t k = SlotOf(hero.armor);
    if (k == 0) RaiseError("could not find equipped armor");
    WriteInt32(s, k);
  }
  const int32_t level = hero.runelevel < RuneSlots ? hero.runelevel : RuneSlots;
  WriteInt32(s, level);
  for (int32_t i = 1; i <= level; ++i) {
    if (hero.runes[i] == DefaultRunes[i]) {
      WriteInt32(s, 0);
    } else {
      const int32_t k = SlotOf(hero.runes[i]);
      if (k == 0) RaiseError("could not find equipped rune " + IntToText(i));
      WriteInt32(s, k);
    }
  }
  stream.reset();
  return bytes;
}

void SaveGame() {
  const std::vector<uint8_t> bytes = SaveGameToBytes();
  std::string error;
  if (!WriteFileAtomically(kSavePath, bytes, error)) {
    std::fprintf(stderr, "The game could not be saved: %s\n", error.c_str());
    SetFailedExitStatus(1);
  }
}
