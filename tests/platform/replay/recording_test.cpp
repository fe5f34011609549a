// Recordings: the save's hash, the format read back as written, damaged files refused with the
// line that is wrong, and the tokens recordings add to key scripts.
#include "platform/replay/recording.h"

#include <gtest/gtest.h>

#include "platform/replay/keyscript.h"
#include "platform/core/sha256.h"

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
  r.keys = {{17, "enter"},        {30, "space@30"}, {34, "lshift+g"},   {40, "hold:lshift@40"},
            {41, "release:rshift"}, {41, "vk37"},     {50, "unfocus@50"}, {50, "focus"},
            {52, "signal:15@52"}};
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
  EXPECT_TRUE(steps[0].holdOnly);
  EXPECT_EQ(steps[0].frame, 5);
  EXPECT_EQ(steps[1].kind, TStepKind::Release);
  EXPECT_EQ(steps[2].key, 37);
  EXPECT_EQ(steps[3].kind, TStepKind::Signal);
  EXPECT_EQ(steps[3].key, 15);
  EXPECT_EQ(steps[4].kind, TStepKind::Close);
  EXPECT_EQ(steps[6].kind, TStepKind::Unfocus);
  for (const char* bad : {"signal:9", "hold:", "hold:jump", "close:x", "vk0", "vk256", "vk037", "focus@0"})
    EXPECT_FALSE(ParseKeyScript(bad, steps, error)) << bad;
}

}  // namespace
