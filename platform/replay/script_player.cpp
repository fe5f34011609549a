// The headless key source: a parsed key script played. Wait steps are delivered from inside the key
// wait (after its clear), frame steps right after their presented frame; a wait with no wait step
// left ends the program the way closing the window would.
#include "platform/replay/script_player.h"

#include <algorithm>
#include <deque>
#include <utility>

#include "platform/core/program.h"
#include "platform/core/signals.h"
#include "platform/input/key_events.h"
#include "platform/input/keyboard.h"
#include "platform/replay/recorder.h"

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

}  // namespace

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
