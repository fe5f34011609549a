// Where an installed game keeps its save: the folder "cairnmark" under the player's data home, the
// same folder whichever folder the game is started from. Only the installed program asks for it;
// the development build, scripts/play.sh and the replay tool play in the folder they are given.
#pragma once
#include <string>

// ${XDG_DATA_HOME}/cairnmark when XDG_DATA_HOME names an absolute folder (a relative one is
// ignored, as the base-directory rules ask), else ~/.local/share/cairnmark. Empty, with a one-line
// reason in error, when there is no home folder to start from. Nothing is made or touched.
std::string DataHomeSaveFolder(std::string& error);

// Makes the folder and every missing parent, each new one private to the player (mode 0700); true
// when it exists as a folder afterwards, else false with a one-line reason in error.
bool MakeFolders(const std::string& path, std::string& error);
