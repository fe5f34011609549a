// Key scripts read: the tokens a script and a recording are written in, each become a step with
// its key, its frame or key wait and the token it completes. The key names are the keyboard's.
#include "platform/replay/keyscript.h"

#include <cctype>
#include <sstream>

#include "platform/input/keyboard.h"

namespace {

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
