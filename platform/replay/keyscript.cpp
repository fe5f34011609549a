// The headless key source: a parsed key script. Wait steps are delivered from inside the key wait
// (after its clear), frame steps right after their presented frame; a wait with no wait step left
// ends the program the way closing the window would.
#include "platform/input/key_events.h"
#include "platform/replay/keyscript.h"

#include <algorithm>
#include <cctype>
#include <deque>
#include <sstream>
#include <utility>

#include "platform/replay/recorder.h"
#include "platform/core/signals.h"
#include "platform/input/keyboard.h"
#include "platform/core/program.h"

namespace {

// Wait steps in script order; frame steps by frame (script order among equal frames), fired from the
// front. Each step is looked at once when it fires, so a script of any length plays in linear time.
std::deque<TKeyStep> waitSteps;
struct tframestep {
  TKeyStep step;
  size_t order = 0;
};
std::vector<tframestep> frameSteps;
size_t nextFrameStep = 0;

std::string Lower(std::string word) {
  for (char& c : word) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return word;
}

// A whole positive frame number, or 0.
int FrameNumber(const std::string& digits) {
  if (digits.empty() || digits.size() > 9) return 0;
  int frame = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return 0;
    frame = frame * 10 + (c - '0');
  }
  return frame;
}

// Fires one step; a recording being made gets its token first, so an ending step is written too.
void Press(const TKeyStep& step) {
  if (!step.token.empty()) RecordKeyToken(step.token);
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
    case TStepKind::Press:
      break;
  }
  KeyDownEvent(step.key);
  if (step.holdOnly) return;
  KeyUpEvent(step.key);
  if (step.releaseAfter != 0) KeyUpEvent(step.releaseAfter);
}

void ScriptWait() {
  NoteDeliveryPoint(0);
  if (waitSteps.empty()) {
    RecordKeyToken("close");
    CloseRequestedEvent();
    ExitProgram();
  }
  const TKeyStep step = waitSteps.front();
  waitSteps.pop_front();
  Press(step);
}

void ScriptFramePresented(int64_t frame) {
  NoteDeliveryPoint(frame);
  // Every step due by this frame, pressed in the order the script gave them.
  const size_t first = nextFrameStep;
  while (nextFrameStep < frameSteps.size() && frameSteps[nextFrameStep].step.frame <= frame) ++nextFrameStep;
  if (nextFrameStep - first > 1) {
    std::sort(frameSteps.begin() + static_cast<long>(first), frameSteps.begin() + static_cast<long>(nextFrameStep),
              [](const tframestep& a, const tframestep& b) { return a.order < b.order; });
  }
  for (size_t i = first; i < nextFrameStep; ++i) Press(frameSteps[i].step);
}

// The tokens recordings add (hold:KEY, release:KEY, focus, unfocus, close, signal:N, each with an
// optional @N): true with the step added, false when word is none of them.
bool AddRecordedStep(const std::string& word, std::vector<TKeyStep>& steps) {
  const size_t at = word.find('@');
  const std::string head = word.substr(0, at);
  int frame = 0;
  if (at != std::string::npos && (frame = FrameNumber(word.substr(at + 1))) == 0) return false;
  TKeyStep step{0, frame, false, 0, TStepKind::Press, word};
  const size_t colon = head.find(':');
  const std::string verb = head.substr(0, colon);
  const std::string what = colon == std::string::npos ? "" : head.substr(colon + 1);
  if (verb == "hold" || verb == "release") {
    step.key = KeyCodeFromName(what);
    step.holdOnly = verb == "hold";
    if (verb == "release") step.kind = TStepKind::Release;
    if (step.key == 0) return false;
  } else if (verb == "signal") {
    step.kind = TStepKind::Signal;
    step.key = FrameNumber(what);
    if (step.key != 1 && step.key != 2 && step.key != 3 && step.key != 15) return false;
  } else if (colon == std::string::npos && (verb == "focus" || verb == "unfocus" || verb == "close")) {
    step.kind = verb == "focus" ? TStepKind::Focus : verb == "unfocus" ? TStepKind::Unfocus : TStepKind::Close;
  } else {
    return false;
  }
  steps.push_back(step);
  return true;
}

}  // namespace

bool ParseKeyScript(const std::string& script, std::vector<TKeyStep>& steps, std::string& error) {
  steps.clear();
  error.clear();
  std::istringstream words(script);
  std::string token;
  while (words >> token) {
    const std::string word = Lower(token);
    const size_t plus = word.find('+');
    const size_t at = word.find('@');
    bool good = false;
    if (AddRecordedStep(word, steps)) {
      good = true;
    } else if (plus != std::string::npos) {
      const int shift = KeyCodeFromName(word.substr(0, plus));
      const int key = KeyCodeFromName(word.substr(plus + 1));
      good = (shift == KeyLeftShift || shift == KeyRightShift) && key != 0;
      if (good) {
        steps.push_back(TKeyStep{shift, 0, true, 0, TStepKind::Press, ""});
        steps.push_back(TKeyStep{key, 0, false, shift, TStepKind::Press, word});
      }
    } else if (at != std::string::npos) {
      const int key = KeyCodeFromName(word.substr(0, at));
      const int frame = FrameNumber(word.substr(at + 1));
      good = key != 0 && frame != 0;
      if (good) steps.push_back(TKeyStep{key, frame, false, 0, TStepKind::Press, word});
    } else {
      const int key = KeyCodeFromName(word);
      good = key != 0;
      if (good) steps.push_back(TKeyStep{key, 0, false, 0, TStepKind::Press, word});
    }
    if (!good) {
      error = "bad key script token: " + token;
      steps.clear();
      return false;
    }
  }
  return true;
}

void UseKeyScript(std::vector<TKeyStep> steps) { SetKeySource(KeyScriptSource(std::move(steps))); }

TKeySource KeyScriptSource(std::vector<TKeyStep> steps) {
  waitSteps.clear();
  frameSteps.clear();
  nextFrameStep = 0;
  for (size_t i = 0; i < steps.size(); ++i) {
    if (steps[i].frame > 0) frameSteps.push_back(tframestep{steps[i], i});
    else waitSteps.push_back(steps[i]);
  }
  std::stable_sort(frameSteps.begin(), frameSteps.end(),
                   [](const tframestep& a, const tframestep& b) { return a.step.frame < b.step.frame; });
  TKeySource script;
  script.poll = [] {};
  script.wait = ScriptWait;
  script.framePresented = ScriptFramePresented;
  script.hideMousePointer = [] {};
  return script;
}

int RemainingKeySteps() { return static_cast<int>(waitSteps.size() + frameSteps.size() - nextFrameStep); }
