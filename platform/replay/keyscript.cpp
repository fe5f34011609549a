// Key scripts read: the tokens a script and a recording are written in, each become a step with
// its key and its frame or key wait, and a step is written back as the token a recorder writes.
// The key names are the keyboard's.
#include "platform/replay/keyscript.h"

#include <cctype>

#include "platform/core/text.h"
#include "platform/input/keyboard.h"

namespace {

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
