// Run as a test with a source folder as its argument: reads every include under game/, platform/ and
// app/ and fails, naming the file and the line, where
//   - an include runs up the folders of game/ or of platform/ (each folder may include its own files
//     and those of the folders before it in the orders below), or from platform/ into game/;
//   - includes run in a circle (a file's header and its body count as one);
//   - the rules (game/state/) include the platform's drawing, picture or key headers;
//   - game/ includes a platform header that is not one of the public faces below;
//   - an outside library's header is included outside the platform folder that owns it.
// The test layers.check_catches runs it on cmake/layers/fixtures/, where each rule has a fault to find.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// A tree's folders from the ground up; "" is the tree's own folder, on top of all of them.
struct TTree {
  std::string name;
  std::vector<std::string> floors;
};
const TTree kGame = {"game", {"state", "creatures", "ui", "screens"}};
const TTree kPlatform = {"platform", {"core", "files", "images", "input", "replay", "display", "web", ""}};

// The headers of each platform folder the game may include; the others are the platform's own
// (its tests and the tools may include them too).
const std::map<std::string, std::set<std::string>> kFaces = {
    {"core", {"clock", "program", "random", "sha256", "text"}},
    {"files", {"data_home", "folder_lock", "resources", "save_files", "stream"}},
    {"images", {"codecs", "image", "pixmap"}},
    {"input", {"keyboard"}},
    {"replay", {"keyscript", "recording", "script_player"}},
    {"display", {"display", "letterbox"}},
    {"", {"run"}},
};

// The platform folders whose faces the rules may not include: they draw nothing and read no keys.
const std::set<std::string> kNotForRules = {"display", "images", "input"};

// The outside libraries' headers, and the platform folders that may include each: the browser's
// own is the web page's, and the clock's too, since a page sleeps only by yielding to the browser.
const std::vector<std::pair<std::regex, std::vector<std::string>>> kOutside = {
    {std::regex("^(SDL|SDL2/|GL/|EGL/|X11/)"), {"platform/display"}},
    {std::regex("^(png|jpeg|zlib|zconf)"), {"platform/images"}},
    {std::regex("^emscripten"), {"platform/web", "platform/core"}},
};

// Includes that still run up, each until the change named beside it lands. One that is gone fails
// the check as well, so that it is struck from here when it goes.
struct TPending {
  std::string file, include, until;
};
const std::vector<TPending> kPending = {};

int FloorOf(const TTree& tree, const std::string& folder) {
  for (size_t i = 0; i < tree.floors.size(); ++i)
    if (tree.floors[i] == folder) return static_cast<int>(i);
  return -1;
}

// "platform/display/gl.h" -> tree "platform", folder "display", unit "platform/display/gl"; a file in
// the tree's own folder has folder "".
struct TPlace {
  std::string tree, folder, unit;
};
TPlace PlaceOf(const std::string& path) {
  TPlace place;
  const size_t first = path.find('/'), last = path.rfind('/');
  place.tree = path.substr(0, first);
  place.folder = first == last ? "" : path.substr(first + 1, last - first - 1);
  place.unit = path.substr(0, path.rfind('.'));
  return place;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: include_graph SOURCE_DIR\n";
    return 2;
  }
  const fs::path source = argv[1];
  const std::regex includeLine(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
  std::map<std::string, std::set<std::string>> includes;  // unit -> the units it includes
  std::set<std::pair<std::string, std::string>> pendingSeen;
  int faults = 0;
  auto fault = [&faults](const std::string& where, const std::string& what) {
    std::cerr << where << ": " << what << "\n";
    ++faults;
  };
  std::vector<std::string> files;
  for (const char* top : {"game", "platform", "app"}) {
    if (!fs::is_directory(source / top)) continue;
    for (const auto& entry : fs::recursive_directory_iterator(source / top)) {
      const std::string ext = entry.path().extension().string();
      if (ext == ".cpp" || ext == ".h") files.push_back(fs::relative(entry.path(), source).generic_string());
    }
  }
  std::sort(files.begin(), files.end());
  for (const std::string& file : files) {
    const TPlace from = PlaceOf(file);
    const TTree* tree = from.tree == kGame.name ? &kGame : from.tree == kPlatform.name ? &kPlatform : nullptr;
    if (tree && FloorOf(*tree, from.folder) < 0) {
      fault(file, "a folder of " + tree->name + "/ the layering does not know");
      continue;
    }
    if (tree) includes[from.unit];
    std::ifstream in(source / file);
    std::string line;
    std::smatch m;
    while (std::getline(in, line)) {
      if (!std::regex_search(line, m, includeLine)) continue;
      const std::string header = m[2].str();
      if (m[1].str() == "<") {
        for (const auto& [library, owners] : kOutside)
          if (std::regex_search(header, library) && std::find(owners.begin(), owners.end(), from.tree + "/" + from.folder) == owners.end())
            fault(file, "an outside library's header, which only " + owners.front() + "/ includes: " + line);
        continue;
      }
      const TPlace to = PlaceOf(header);
      if (!tree || (to.tree != kGame.name && to.tree != kPlatform.name)) continue;
      if (to.tree == kPlatform.name && from.tree == kGame.name) {
        const auto face = kFaces.find(to.folder);
        const std::string stem = to.unit.substr(to.unit.rfind('/') + 1);
        if (face == kFaces.end() || face->second.count(stem) == 0)
          fault(file, "the game includes the platform's own header: " + line);
        if (from.folder == "state" && kNotForRules.count(to.folder) != 0)
          fault(file, "the rules draw nothing and read no keys: " + line);
        continue;
      }
      if (to.tree != from.tree) {
        fault(file, "the platform includes the game: " + line);
        continue;
      }
      const bool pending = std::any_of(kPending.begin(), kPending.end(), [&](const TPending& p) {
        return p.file == file && p.include == header;
      });
      if (FloorOf(*tree, to.folder) > FloorOf(*tree, from.folder)) {
        if (pending)
          pendingSeen.insert({file, header});
        else
          fault(file, "includes upwards: " + line);
      }
      if (to.unit != from.unit) includes[from.unit].insert(to.unit);
    }
  }
  for (const TPending& p : kPending)
    if (pendingSeen.count({p.file, p.include}) == 0)
      fault(p.file, "no longer includes " + p.include + " upwards: strike it from the pending includes");
  // Depth-first search for a circle; an include of a pending pair still counts.
  std::map<std::string, int> state;  // 0 unseen, 1 on the path, 2 done
  std::vector<std::string> path;
  std::function<void(const std::string&)> visit = [&](const std::string& unit) {
    state[unit] = 1;
    path.push_back(unit);
    for (const std::string& next : includes[unit]) {
      if (state[next] == 1) {
        std::string circle;
        for (auto it = std::find(path.begin(), path.end(), next); it != path.end(); ++it) circle += " " + *it + " ->";
        fault("a circle of includes", circle.substr(1) + " " + next);
      } else if (state[next] == 0) {
        visit(next);
      }
    }
    path.pop_back();
    state[unit] = 2;
  };
  for (const auto& [unit, ignored] : includes)
    if (state[unit] == 0) visit(unit);
  if (faults == 0) std::cout << includes.size() << " units of game/ and platform/, every include running down\n";
  return faults == 0 ? 0 : 1;
}
