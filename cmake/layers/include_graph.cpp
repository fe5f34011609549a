// Run as a test with the source folder as its argument: fails when an include under game/ runs up
// the folders (state, then creatures, then ui, then screens; each may include only its own and
// those below it), when the rules include a drawing or key header of the platform, or when the
// includes between game files run in a circle (a file's header and its body count as one).
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

const std::vector<std::string> kFloors = {"state", "creatures", "ui", "screens"};

int FloorOf(const std::string& folder) {
  for (size_t i = 0; i < kFloors.size(); ++i)
    if (kFloors[i] == folder) return static_cast<int>(i);
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: include_graph SOURCE_DIR\n";
    return 2;
  }
  const fs::path game = fs::path(argv[1]) / "game";
  const std::regex gameInclude(R"(^\s*#\s*include\s+"game/([a-z_]+)/([a-z_]+)\.h")");
  const std::regex drawingInclude(R"(^\s*#\s*include\s+"platform/(display/display|images/image|input/keyboard)\.h")");
  // "folder/name" (header and body together) -> the units it includes.
  std::map<std::string, std::set<std::string>> includes;
  int faults = 0;
  for (const auto& entry : fs::recursive_directory_iterator(game)) {
    const fs::path& path = entry.path();
    if (path.extension() != ".cpp" && path.extension() != ".h") continue;
    const std::string folder = path.parent_path().filename().string();
    const std::string unit = folder + "/" + path.stem().string();
    if (FloorOf(folder) < 0) {
      std::cerr << path << ": a folder of game/ the layering does not know\n";
      ++faults;
      continue;
    }
    includes[unit];
    std::ifstream in(path);
    std::string line;
    std::smatch m;
    while (std::getline(in, line)) {
      if (folder == "state" && std::regex_search(line, m, drawingInclude)) {
        std::cerr << path << ": the rules draw nothing and read no keys: " << line << "\n";
        ++faults;
      }
      if (!std::regex_search(line, m, gameInclude)) continue;
      const std::string to = m[1].str() + "/" + m[2].str();
      if (FloorOf(m[1].str()) > FloorOf(folder)) {
        std::cerr << path << ": includes upwards: " << line << "\n";
        ++faults;
      }
      if (to != unit) includes[unit].insert(to);
    }
  }
  // Depth-first search for a circle.
  std::map<std::string, int> state;  // 0 unseen, 1 on the path, 2 done
  std::vector<std::string> path;
  std::function<void(const std::string&)> visit = [&](const std::string& unit) {
    state[unit] = 1;
    path.push_back(unit);
    for (const std::string& next : includes[unit]) {
      if (state[next] == 1) {
        std::cerr << "a circle of includes:";
        for (auto it = std::find(path.begin(), path.end(), next); it != path.end(); ++it) std::cerr << " " << *it << " ->";
        std::cerr << " " << next << "\n";
        ++faults;
      } else if (state[next] == 0) {
        visit(next);
      }
    }
    path.pop_back();
    state[unit] = 2;
  };
  for (const auto& [unit, ignored] : includes)
    if (state[unit] == 0) visit(unit);
  if (faults == 0) std::cout << includes.size() << " units of game/, every include running down\n";
  return faults == 0 ? 0 : 1;
}
