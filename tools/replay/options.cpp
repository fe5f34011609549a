// Parsing the replay tool's options: --clock MS, --keys SCRIPT or --keys-file FILE, --shots DIR,
// --dir DIR, --stats, --record FILE, --recording FILE and --help. Every option is checked (and the key script parsed) before the game
// runs. Without --shots nobody looks at a frame, so the game runs on a display that draws nothing.
#include "tools/replay/options.h"

#include <charconv>
#include <cstdint>
#include <filesystem>
#include <system_error>

#include "platform/files/save_files.h"
#include "platform/core/text.h"

const char* const kReplayUsage =
    "Usage: cairnmark-replay [--clock MS] [--keys SCRIPT | --keys-file FILE] [--shots DIR] [--dir DIR]\n"
    "                        [--stats] [--record FILE]\n"
    "       cairnmark-replay --recording FILE [--shots DIR] [--stats]\n"
    "Plays Cairnmark headless on a virtual clock, with keys from a script.\n"
    "  --clock MS        the virtual clock's start in milliseconds; the game seeds its random\n"
    "                    numbers with it (default 0)\n"
    "  --keys SCRIPT     white-space separated keys: a key name (enter esc space up down 0-9 a-z\n"
    "                    f1-f12 lshift rshift) is pressed at the next key wait; KEY@N right after\n"
    "                    presented frame N; lshift+KEY holds Shift for KEY\n"
    "  --keys-file FILE  the key script read from FILE (a regular file of at most 16 MiB)\n"
    "  --shots DIR       the frame on screen at every key wait, as DIR/0001.png, DIR/0002.png, ...;\n"
    "                    without it nothing is drawn (the same game, frames and save, far faster)\n"
    "  --dir DIR         the working directory, where save.dat is read and written (default: current)\n"
    "  --stats           at exit, one line on standard output: frames=N clock=MS wall=SECONDSs\n"
    "                    (presented frames, the virtual clock, the wall time of the run)\n"
    "  --record FILE     writes the game played as a recording to FILE (as cairnmark --record does)\n"
    "  --recording FILE  plays a recording (made by cairnmark --record) in a scratch folder that\n"
    "                    holds the save it started from; exit status 0 when it ends the same way\n"
    "                    with the same save, 1 with one line saying where it parted, 2 when FILE is\n"
    "                    not a whole recording\n"
    "When the script has no key left at a key wait, the game ends as if its window were closed\n"
    "(and saves, as it would then). Exit status: the game's (0; 255 after a runtime error; 1 when\n"
    "the save could not be written or another copy plays in the folder; 128 + N after signal N).\n"
    "Example: cairnmark-replay --clock 1234 --keys \"enter enter enter down enter\" --shots shots\n";

namespace {

bool ParseMillis(const std::string& text, uint32_t& value) {
  if (text.empty() || text[0] < '0' || text[0] > '9') return false;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end;
}

// The longest key file or recording taken: some three million keys, far past any session anyone plays.
constexpr size_t kLargestKeyFile = 16 << 20;

}  // namespace

TReplayCommandLine ParseReplayCommandLine(const std::vector<std::string>& args) {
  TReplayCommandLine line;
  TRunOptions& options = line.options;
  options.headless = true;
  options.virtualClock = true;
  options.useKeyScript = true;

  auto fail = [&line](const std::string& message) {
    line.command = ReplayCommand::Error;
    line.error = message;
    return line;
  };

  std::string script;
  bool haveScript = false;
  bool haveClock = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& option = args[i];
    if (option == "--help" || option == "-h") {
      line.command = ReplayCommand::Help;
      return line;
    }
    if (option == "--stats") {
      if (line.stats) return fail("--stats given twice");
      line.stats = true;
      continue;
    }
    if (option != "--clock" && option != "--keys" && option != "--keys-file" && option != "--shots" &&
        option != "--dir" && option != "--record" && option != "--recording")
      return fail("unknown option '" + EscapedForTerminal(option, 80) + "'");
    if (i + 1 >= args.size()) return fail(option + " needs a value");
    const std::string& value = args[++i];

    if (option == "--record") {
      if (options.record) return fail("--record given twice");
      if (value.empty()) return fail("--record needs a file");
      options.record = true;
      options.recordPath = value;
    } else if (option == "--recording") {
      if (line.playsRecording) return fail("--recording given twice");
      std::string text, why;
      const bool read = ReadRegularFile(value, kLargestKeyFile, text, why);
      if (!read || !ParseRecording(text, line.recording, why)) {
        fail(read ? EscapedForTerminal(value) + ": " + why
                  : "cannot read the recording '" + EscapedForTerminal(value) + "': " + why);
        line.badRecording = true;
        return line;
      }
      line.playsRecording = true;
    } else if (option == "--clock") {
      if (haveClock) return fail("--clock given twice");
      if (!ParseMillis(value, options.clockStart))
        return fail("--clock wants milliseconds from 0 to 4294967295, not '" + value + "'");
      haveClock = true;
    } else if (option == "--keys" || option == "--keys-file") {
      if (haveScript) return fail("give one key script (--keys or --keys-file), not two");
      if (option == "--keys") {
        script = value;
      } else if (std::string why; !ReadRegularFile(value, kLargestKeyFile, script, why)) {
        return fail("cannot read the key file '" + EscapedForTerminal(value) + "': " + why);
      }
      haveScript = true;
    } else if (option == "--shots") {
      if (!options.shotsDir.empty()) return fail("--shots given twice");
      if (value.empty()) return fail("--shots needs a directory");
      std::error_code failed;
      if (std::filesystem::exists(value, failed) && !std::filesystem::is_directory(value, failed))
        return fail("--shots '" + value + "' is not a directory");
      // Absolute, since the game may run in another working directory (--dir).
      options.shotsDir = std::filesystem::absolute(value, failed).string();
      if (failed) return fail("--shots '" + value + "' is not a usable path");
    } else {
      if (!options.workDir.empty()) return fail("--dir given twice");
      std::error_code failed;
      if (value.empty() || !std::filesystem::is_directory(value, failed))
        return fail("--dir '" + value + "' is not a directory");
      options.workDir = std::filesystem::absolute(value, failed).string();
    }
  }

  if (line.playsRecording) {
    if (haveScript || haveClock || !options.workDir.empty() || options.record)
      return fail("--recording brings its own keys, clock and save: give no --keys, --keys-file, --clock, --dir or --record");
    options.clockStart = line.recording.clock;
    options.keys = KeyStepsOf(line.recording.keys);
    // The replay records itself in memory, to be compared with the recording.
    options.record = true;
  } else if (std::string error; !ParseKeyScript(script, options.keys, error)) {
    return fail(error);
  }
  // A screenshot shows a frame drawn over all the frames before it, so with shots every frame is drawn.
  options.drawNothing = options.shotsDir.empty();
  line.command = ReplayCommand::Run;
  return line;
}
