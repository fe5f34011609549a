// Reads the command line and writes the usage; nothing here opens a window or touches a save.
#include "app/command_line.h"

TCommandLine ParseCommandLine(int argc, char** argv) {
  TCommandLine line;
  for (int i = 1; i < argc && !line.refused; ++i) {
    const std::string argument = argv[i];
    if (argument == "--help") line.help = true;
    else if (argument == "--version") line.version = true;
    else if (argument == "--record" && i + 1 < argc && argv[i + 1][0] != '\0' && line.record.empty() &&
             line.watch.empty())
      line.record = argv[++i];
    else if (argument == "--watch" && i + 1 < argc && argv[i + 1][0] != '\0' && line.watch.empty() &&
             line.record.empty())
      line.watch = argv[++i];
    else {
      line.refused = true;
      line.unknown = argument;
    }
  }
  return line;
}

void PrintUsage(std::FILE* out, const std::string& saveLocation) {
  std::fprintf(out,
               "Usage: cairnmark [--help | --version | --record FILE | --watch FILE]\n"
               "\n"
               "Cairnmark: a small fantasy role-playing game. Lead one hero from his home town down a\n"
               "dungeon of twenty floors, where every move is a turn-based battle, to the Dragon Lord.\n"
               "Started without arguments, the game plays full screen.\n"
               "\n"
               "Keys:\n"
               "  arrows, Enter or Space  choose an option, or press its number: 0 is option 10,\n"
               "                          F1-F9 are options 11-19 in the market's long list\n"
               "  Space or Enter          shorten a message or a banner\n"
               "  Escape                  leave a shop; in town, the dungeon or a battle, end the game\n"
               "                          (it is saved, and the next start resumes it)\n"
               "  Alt+Enter or F11        switch between full screen and an 800 x 600 window\n"
               "\n"
               "Game controller: D-pad or left stick = arrow keys, A or Start = Enter, X = Space,\n"
               "B or Back = Escape.\n"
               "\n"
               "The save: %s, written when the game ends.\n"
               "\n"
               "  --help     print this text and exit\n"
               "  --version  print the version and exit\n"
               "  --record FILE  play, and record the game to FILE as it goes, to attach to a bug report\n"
               "                 (see man 6 cairnmark, REPLAYS, and Recordings in the README, installed\n"
               "                 as /usr/share/doc/cairnmark/README.md.gz); the exit status is 1 when\n"
               "                 it could not be written whole (a full disk), as for the save\n"
               "  --watch FILE   play the recording FILE in the window at its own pace: Space doubles\n"
               "                 the speed (up to 16 times), Escape stops; no save is read or written;\n"
               "                 at the end one line says whether it went as recorded\n"
               "A relative FILE is taken from the folder the game is started in, before it enters its\n"
               "save folder, and as it is written (no character in it has another meaning).\n",
               saveLocation.c_str());
}
