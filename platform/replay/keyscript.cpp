// The headless key source: a parsed key script. Wait steps are delivered from inside the key wait
// (after its clear), frame steps right after their presented frame; a wait with no wait step left
// ends the program the way closing the window would.
#include "platform/input/key_events.h"
#include "platform/replay/keyscript.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "platform/core/program.h"
#include "platform/core/signals.h"
#include "platform/core/text.h"
#include "platform/input/keyboard.h"
#include "platform/replay/recorder.h"

namespace {

// The steps as parsed, read in place: wait steps in order through a cursor, frame steps through
// an index sorted by frame (script order among equal frames). Each step is looked at once when it
// fires, so a script of any length plays in linear time and takes eight bytes a step.
std::vector<TKeyStep> steps;
size_t nextWaitStep = 0;
size_t waitStepsLeft = 0;
std::vector<uint32_t> frameOrder;
size_t nextFrameStep = 0;

std::string Lower(std::string_view word) {
  std::string lower(word);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

// A whole positive frame number, or 0.
int FrameNumber(std::string_view digits) {
  if (digits.empty() || digits.size() > 9) return 0;
  int frame = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return 0;
    frame = frame * 10 + (c - '0');
  }
  return frame;
}

// Fires one step; a recording being made gets it first, so an ending step is written too.
void Press(const TKeyStep& step) {
  if (step.kind != TStepKind::ComboShift) RecordKeyStep(step);
  switch (step.kind) {
    case TStepKind::Release:
      KeyUpEvent(step.key);
      return;
    case TStepKind::Focus:
    case TStepKind::Unfocus:
      FocusEvent(step.kind == TStepKind::Focus);
      return;
    case TStepKind::Close:
      CloseRequestedEvent();
      ExitProgram();
    case TStepKind::Signal:
      RequestEndSignal(step.key);
      EndIfRequested();
      return;
    case TStepKind::Hold:
    case TStepKind::ComboShift:
      KeyDownEvent(step.key);
      return;
    case TStepKind::Press:
      break;
  }
  KeyDownEvent(step.key);
  KeyUpEvent(step.key);
  if (step.releaseAfter != 0) KeyUpEvent(step.releaseAfter);
}

void ScriptWait() {
  NoteDeliveryPoint(0);
  while (nextWaitStep < steps.size() && steps[nextWaitStep].frame != 0) ++nextWaitStep;
  if (nextWaitStep == steps.size()) {
    RecordKeyStep(TKeyStep{0, 0, TStepKind::Close, 0});
    CloseRequestedEvent();
    ExitProgram();
  }
  --waitStepsLeft;
  Press(steps[nextWaitStep++]);
}

void ScriptFramePresented(int64_t frame) {
  NoteDeliveryPoint(frame);
  // Every step due by this frame, pressed in the order the script gave them.
  const size_t first = nextFrameStep;
  while (nextFrameStep < frameOrder.size() && steps[frameOrder[nextFrameStep]].frame <= frame) ++nextFrameStep;
  if (nextFrameStep - first > 1)
    std::sort(frameOrder.begin() + static_cast<long>(first), frameOrder.begin() + static_cast<long>(nextFrameStep));
  for (size_t i = first; i < nextFrameStep; ++i) Press(steps[frameOrder[i]]);
}

// The tokens recordings add (hold:KEY, release:KEY, focus, unfocus, close, signal:N, each with an
// optional @N): true with the step, false when word is none of them.
bool RecordedStep(std::string_view word, TKeyStep& step) {
  const size_t at = word.find('@');
  const std::string_view head = word.substr(0, at);
  int frame = 0;
  if (at != std::string_view::npos && (frame = FrameNumber(word.substr(at + 1))) == 0) return false;
  step = TKeyStep{0, 0, TStepKind::Press, static_cast<uint32_t>(frame)};
  const size_t colon = head.find(':');
  const std::string_view verb = head.substr(0, colon);
  const std::string_view what = colon == std::string_view::npos ? "" : head.substr(colon + 1);
  if (verb == "hold" || verb == "release") {
    const int key = KeyCodeFromName(std::string(what));
    step.key = static_cast<uint8_t>(key);
    step.kind = verb == "hold" ? TStepKind::Hold : TStepKind::Release;
    return key != 0;
  }
  if (verb == "signal") {
    const int number = FrameNumber(what);
    step.kind = TStepKind::Signal;
    step.key = static_cast<uint8_t>(number);
    return number == 1 || number == 2 || number == 3 || number == 15;
  }
  if (colon != std::string_view::npos) return false;
  if (verb == "focus") step.kind = TStepKind::Focus;
  else if (verb == "unfocus") step.kind = TStepKind::Unfocus;
  else if (verb == "close") step.kind = TStepKind::Close;
  else return false;
  return true;
}

}  // namespace

int KeyCodeFromName(const std::string& name) {
  const std::string key = Lower(name);
  if (key == "enter") return KeyEnter;
  if (key == "esc") return KeyEscape;
  if (key == "space") return KeySpace;
  if (key == "up") return KeyUp;
  if (key == "down") return KeyDown;
  if (key == "lshift") return KeyLeftShift;
  if (key == "rshift") return KeyRightShift;
  if (key.size() == 1 && key[0] >= '0' && key[0] <= '9') return Key0 + (key[0] - '0');
  if (key.size() == 1 && key[0] >= 'a' && key[0] <= 'z') return KeyA + (key[0] - 'a');
  if (key.size() >= 2 && key[0] == 'f') {
    const int n = FrameNumber(key.substr(1));
    if (n >= 1 && n <= 12 && key[1] != '0') return KeyF1 + n - 1;
  }
  if (key.size() >= 3 && key.size() <= 5 && key.compare(0, 2, "vk") == 0 && key[2] != '0') {
    const int n = FrameNumber(key.substr(2));
    if (n >= 1 && n <= 255) return n;
  }
  return 0;
}

std::string KeyNameFromCode(int key) {
  if (key == KeyEnter) return "enter";
  if (key == KeyEscape) return "esc";
  if (key == KeySpace) return "space";
  if (key == KeyUp) return "up";
  if (key == KeyDown) return "down";
  if (key == KeyLeftShift) return "lshift";
  if (key == KeyRightShift) return "rshift";
  if (key >= Key0 && key <= Key0 + 9) return std::string(1, static_cast<char>('0' + key - Key0));
  if (key >= KeyA && key <= KeyA + 25) return std::string(1, static_cast<char>('a' + key - KeyA));
  if (key >= KeyF1 && key < KeyF1 + 12) return "f" + std::to_string(key - KeyF1 + 1);
  return "vk" + std::to_string(key);
}

int ParseKeyToken(std::string_view word, TKeyStep (&out)[2]) {
  if (RecordedStep(word, out[0])) return 1;
  const size_t plus = word.find('+');
  const size_t at = word.find('@');
  if (plus != std::string_view::npos) {
    const int shift = KeyCodeFromName(std::string(word.substr(0, plus)));
    const int key = KeyCodeFromName(std::string(word.substr(plus + 1)));
    if ((shift != KeyLeftShift && shift != KeyRightShift) || key == 0) return 0;
    out[0] = TKeyStep{static_cast<uint8_t>(shift), 0, TStepKind::ComboShift, 0};
    out[1] = TKeyStep{static_cast<uint8_t>(key), static_cast<uint8_t>(shift), TStepKind::Press, 0};
    return 2;
  }
  const int key = KeyCodeFromName(std::string(word.substr(0, at)));
  const int frame = at == std::string_view::npos ? 0 : FrameNumber(word.substr(at + 1));
  if (key == 0 || (at != std::string_view::npos && frame == 0)) return 0;
  out[0] = TKeyStep{static_cast<uint8_t>(key), 0, TStepKind::Press, static_cast<uint32_t>(frame)};
  return 1;
}

std::string KeyStepToken(const TKeyStep& step) {
  std::string token;
  switch (step.kind) {
    case TStepKind::ComboShift:
      return "";
    case TStepKind::Press:
      if (step.releaseAfter != 0) token = KeyNameFromCode(step.releaseAfter) + "+";
      token += KeyNameFromCode(step.key);
      break;
    case TStepKind::Hold:
      token = "hold:" + KeyNameFromCode(step.key);
      break;
    case TStepKind::Release:
      token = "release:" + KeyNameFromCode(step.key);
      break;
    case TStepKind::Focus:
      token = "focus";
      break;
    case TStepKind::Unfocus:
      token = "unfocus";
      break;
    case TStepKind::Close:
      token = "close";
      break;
    case TStepKind::Signal:
      token = "signal:" + std::to_string(step.key);
      break;
  }
  if (step.frame > 0) token += "@" + std::to_string(step.frame);
  return token;
}

bool ParseKeyScript(const std::string& script, std::vector<TKeyStep>& parsed, std::string& error) {
  parsed.clear();
  error.clear();
  size_t start = 0;
  while (true) {
    start = script.find_first_not_of(" \t\n\v\f\r", start);
    if (start == std::string::npos) return true;
    size_t end = script.find_first_of(" \t\n\v\f\r", start);
    if (end == std::string::npos) end = script.size();
    TKeyStep found[2];
    const int count = ParseKeyToken(Lower(std::string_view(script).substr(start, end - start)), found);
    if (count == 0) {
      error = "bad key script token: " + EscapedForTerminal(script.substr(start, end - start), 80);
      parsed.clear();
      return false;
    }
    parsed.insert(parsed.end(), found, found + count);
    start = end;
  }
}

void UseKeyScript(std::vector<TKeyStep> script) { SetKeySource(KeyScriptSource(std::move(script))); }

TKeySource KeyScriptSource(std::vector<TKeyStep> parsed) {
  steps = std::move(parsed);
  nextWaitStep = 0;
  nextFrameStep = 0;
  frameOrder.clear();
  for (size_t i = 0; i < steps.size(); ++i)
    if (steps[i].frame > 0) frameOrder.push_back(static_cast<uint32_t>(i));
  frameOrder.shrink_to_fit();
  waitStepsLeft = steps.size() - frameOrder.size();
  std::stable_sort(frameOrder.begin(), frameOrder.end(),
                   [](uint32_t a, uint32_t b) { return steps[a].frame < steps[b].frame; });
  TKeySource script;
  script.poll = [] {};
  script.wait = ScriptWait;
  script.framePresented = ScriptFramePresented;
  script.hideMousePointer = [] {};
  return script;
}

int RemainingKeySteps() { return static_cast<int>(waitStepsLeft + frameOrder.size() - nextFrameStep); }
