// Recordings: the save's hash, the format read back as written, damaged files refused with the
// line that is wrong, and the tokens recordings add to key scripts.
#include "platform/replay/recording.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "platform/replay/keyscript.h"
#include "platform/core/sha256.h"
#include "platform/core/text.h"

using namespace std::string_literals;

namespace {

TEST(RecordingTest, Sha256MatchesTheStandardVectors) {
  EXPECT_EQ(Sha256Hex(std::string()), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(Sha256Hex(std::string("abc")), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  // 56 bytes: the length no longer fits the first block, so the padding takes a second one.
  EXPECT_EQ(Sha256Hex(std::string("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq")),
            "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
  EXPECT_EQ(Sha256Hex(std::string(1000000, 'a')), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

TRecording Sample() {
  TRecording r;
  r.game = "1.0.0";
  r.newGame = false;
  r.startSave = {0, 1, 0x7f, 0x80, 0xff};
  r.clock = 4294967295u;
  const std::pair<uint32_t, const char*> keys[] = {
      {17, "enter"},          {30, "space@30"}, {34, "lshift+g"},   {40, "hold:lshift@40"},
      {41, "release:rshift"}, {41, "vk37"},     {50, "unfocus@50"}, {50, "focus"},
      {52, "signal:15@52"}};
  for (const auto& [frame, token] : keys) {
    TRecordedKey key;
    EXPECT_TRUE(RecordedKeyFromToken(frame, token, key)) << token;
    r.keys.push_back(key);
  }
  r.ended = true;
  r.endFrames = 52;
  r.how = "signal 15";
  r.saveHash = "8a357841041f166cb5681ec9bf8ade099d1555b39dc25dfe05e2a81ea3e3793e";
  return r;
}

TEST(RecordingTest, WhatIsWrittenReadsBackTheSame) {
  for (bool ended : {true, false}) {
    TRecording written = Sample();
    written.ended = ended;
    if (!ended) written.endFrames = 0, written.how = written.saveHash = "";
    TRecording read;
    std::string error;
    ASSERT_TRUE(ParseRecording(RecordingText(written), read, error)) << error;
    EXPECT_EQ(read.game, written.game);
    EXPECT_EQ(read.newGame, written.newGame);
    EXPECT_EQ(read.startSave, written.startSave);
    EXPECT_EQ(read.clock, written.clock);
    EXPECT_EQ(read.keys, written.keys);
    EXPECT_EQ(read.ended, ended);
    EXPECT_EQ(read.endFrames, written.endFrames);
    EXPECT_EQ(read.how, written.how);
    EXPECT_EQ(read.saveHash, written.saveHash);
  }
  TRecording fresh = Sample(), read;
  fresh.newGame = true;
  fresh.startSave.clear();
  std::string error;
  ASSERT_TRUE(ParseRecording(RecordingText(fresh), read, error)) << error;
  EXPECT_TRUE(read.newGame);
  EXPECT_EQ(RecordingText(read), RecordingText(fresh));
  // An empty save file is a save all the same: the game refuses it, and so must its replay.
  TRecording empty = Sample();
  empty.startSave.clear();
  ASSERT_TRUE(ParseRecording(RecordingText(empty), read, error)) << error;
  EXPECT_FALSE(read.newGame);
  EXPECT_TRUE(read.startSave.empty());
}

TEST(RecordingTest, ForeignDamagedAndTruncatedTextsAreRefused) {
  const std::string good = RecordingText(Sample());
  auto replaced = [&good](const std::string& from, const std::string& to) {
    std::string text = good;
    text.replace(text.find(from), from.size(), to);
    return text;
  };
  const std::pair<std::string, std::string> cases[] = {
      {"", "not a Cairnmark recording"},
      {"\x89PNG\r\n\x1a\n", "not a Cairnmark recording"},
      {replaced("recording 1", "recording 2"), "version 2"},
      {good.substr(0, good.size() - 1), "truncated"},
      {good.substr(0, good.find("game")), "truncated"},
      {good.substr(0, good.find("save 8a")), "truncated"},
      {replaced("start save 00", "start save 0"), "line 3"},
      {replaced("clock 4294967295", "clock 4294967296"), "line 4"},
      {replaced("34 lshift+g", "34 jump"), "line 7"},
      {replaced("30 space@30", "31 space@30"), "line 6"},
      {replaced("40 hold", "10 hold"), "line 8"},
      {replaced("end 52 signal 15", "end 52 bored"), "line 14"},
      {replaced("save 8a", "save 8"), "line 15"},
      {good + "17 enter\n", "line 16"},
  };
  for (const auto& [text, why] : cases) {
    TRecording read;
    std::string error;
    EXPECT_FALSE(ParseRecording(text, read, error)) << text;
    EXPECT_NE(error.find(why), std::string::npos) << error;
  }
}

TEST(RecordingTest, TheTokensRecordingsAddAreKeyScript) {
  std::vector<TKeyStep> steps;
  std::string error;
  ASSERT_TRUE(ParseKeyScript("hold:lshift@5 release:lshift vk37 signal:15@3 close focus unfocus@2", steps, error));
  ASSERT_EQ(steps.size(), 7u);
  EXPECT_EQ(steps[0].kind, TStepKind::Hold);
  EXPECT_EQ(steps[0].frame, 5u);
  EXPECT_EQ(steps[1].kind, TStepKind::Release);
  EXPECT_EQ(steps[2].key, 37);
  EXPECT_EQ(steps[3].kind, TStepKind::Signal);
  EXPECT_EQ(steps[3].key, 15);
  EXPECT_EQ(steps[4].kind, TStepKind::Close);
  EXPECT_EQ(steps[6].kind, TStepKind::Unfocus);
  for (const char* bad : {"signal:9", "hold:", "hold:jump", "close:x", "vk0", "vk256", "vk037", "focus@0"})
    EXPECT_FALSE(ParseKeyScript(bad, steps, error)) << bad;
}

// The reader takes only what a recorder writes, and whatever it quotes from a stranger's file is
// escaped and cut short, so no byte of it can reach the terminal as a control sequence.
struct TStrictCase {
  const char* name;
  std::string keyLines;  // between the clock line and the end
  const char* why;       // what the refusal says, or nullptr when the text is taken
};

void PrintTo(const TStrictCase& c, std::ostream* out) { *out << c.name; }

class RecordingStrictnessTest : public ::testing::TestWithParam<TStrictCase> {};

TEST_P(RecordingStrictnessTest, RefusesWhatNoRecorderWrites) {
  const TStrictCase& c = GetParam();
  const std::string text = "cairnmark-recording 1\ngame 1.0.0\nstart new\nclock 7\n" + c.keyLines +
                           "end 4294967295 escape\nsave none\n";
  TRecording read;
  std::string error;
  const bool taken = ParseRecording(text, read, error);
  if (c.why == nullptr) {
    EXPECT_TRUE(taken) << error;
    EXPECT_EQ(RecordingText(read), text) << "what is taken writes back as it was";
    return;
  }
  EXPECT_FALSE(taken);
  EXPECT_NE(error.find(c.why), std::string::npos) << error;
  EXPECT_LT(error.size(), 200u) << "a message quotes at most 80 characters";
  for (char byte : error) EXPECT_TRUE(byte >= 0x20 && byte != 0x7f) << "a raw control byte in: " << error;
  EXPECT_TRUE(read.keys.empty() && read.game.empty()) << "nothing is kept from a refused text";
}

INSTANTIATE_TEST_SUITE_P(
    Lines, RecordingStrictnessTest,
    ::testing::Values(
        TStrictCase{"TheLargestFrames", "4294967295 enter\n4294967295 close\n", nullptr},
        TStrictCase{"PastTheFrameCounter", "9223372036854775808 enter\n1 enter\n", "line 5"},
        TStrictCase{"JustPastTheFrameCounter", "4294967296 enter\n", "0 to 4294967295"},
        TStrictCase{"LeadingZero", "05 enter\n", "line 5"},
        TStrictCase{"ThreeKeysOnALine", "5 enter\vesc\fenter\n", "line 5"},
        TStrictCase{"TwoSpaces", "5  enter\n", "line 5"},
        TStrictCase{"TrailingSpace", "5 enter \n", "line 5"},
        TStrictCase{"WindowsLineEnds", "5 enter\r\n", "Windows line ends"},
        TStrictCase{"UpperCase", "17 ENTER\n", "not written as a recorder writes it ('enter')"},
        TStrictCase{"ZeroPaddedAt", "7 enter@007\n", "line 5"},
        TStrictCase{"AnotherNameForEnter", "7 vk13\n", "line 5"},
        TStrictCase{"EscapeInAToken", "5 \x1b]0;PWNED\x07\x1b[31mRED\n", "\\x1b]0;PWNED\\x07\\x1b[31mRED"},
        TStrictCase{"NulInAToken", "5 en\0ter\n"s, "en\\x00ter"},
        TStrictCase{"ALongToken", "5 " + std::string(100000, 'x') + "\n", "xxx..."}),
    [](const ::testing::TestParamInfo<TStrictCase>& param) { return std::string(param.param.name); });

// The kernel's high-water mark of this process's resident memory, in MiB.
long PeakMiB() {
  std::ifstream status("/proc/self/status");
  std::string word;
  long kib = 0;
  while (status >> word)
    if (word == "VmHWM:" && status >> kib) break;
  return kib >> 10;
}

// The largest recording the tools read (16 MiB, four million keys) holds a few bytes a key once
// read, and a damaged one is refused before its keys are kept. Each is read in a child of its own,
// whose peak memory is its own.
TEST(RecordingDeathTest, ReadingTheLargestRecordingIsBounded) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  std::string text = "cairnmark-recording 1\ngame 1.0.0\nstart new\nclock 7\n";
  while (text.size() < (16u << 20) - 64) text += "1 a\n";
  const auto peakOfReading = [](const std::string& recordingText, bool whole) {
    const long before = PeakMiB();
    TRecording read;
    std::string error;
    if (ParseRecording(recordingText, read, error) != whole) std::_Exit(3);
    const std::vector<TKeyStep> steps = KeyStepsOf(read.keys);
    const long grown = PeakMiB() - before;
    std::fprintf(stderr, "peak grew by %ld MiB for %zu keys\n", grown, steps.size());
    std::_Exit(grown < (whole ? 150 : 8) ? 0 : 1);
  };
  EXPECT_EXIT(peakOfReading(text + "end 1 escape\nsave none\n", true), ::testing::ExitedWithCode(0), "keys");
  EXPECT_EXIT(peakOfReading(text + "end 1 escape\nsave n0ne\n", false), ::testing::ExitedWithCode(0), "keys");
}

TEST(RecordingTest, TheGameLineIsShownEscapedAndShort) {
  TRecording read;
  std::string error;
  const std::string hostile = "cairnmark-recording 1\ngame \x1b]0;PWNED\x07\x1b[31mRED\nstart new\nclock 7\n";
  EXPECT_FALSE(ParseRecording(hostile, read, error));
  EXPECT_NE(error.find("'\\x1b]0;PWNED\\x07\\x1b[31mRED'"), std::string::npos) << error;
  const std::string huge = "cairnmark-recording 1\ngame \x1b" + std::string(10 << 20, 'v') + "\nstart new\nclock 7\n";
  EXPECT_FALSE(ParseRecording(huge, read, error));
  EXPECT_LT(error.size(), 200u);
  EXPECT_EQ(EscapedForTerminal("h\xc3\xa9ros \xc2\x9b" "2J \xff"), "h\xc3\xa9ros \\xc2\\x9b2J \\xff")
      << "printable UTF-8 passes; C1 controls and stray bytes do not";
}

}  // namespace
