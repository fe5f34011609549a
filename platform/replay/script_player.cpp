// The headless key source: a parsed key script played. Wait steps are delivered from inside the key
// wait (after its clear), frame steps right after their presented frame; a wait with no wait step
// left ends the program the way closing the window would.
#include "platform/replay/script_player.h"

#include <algorithm>
#include <utility>

#include "platform/core/program.h"
#include "platform/core/signals.h"
#include "platform/input/key_events.h"
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

}  // namespace

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
