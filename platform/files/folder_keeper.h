// Where the save folder lives in memory (a web page), a keeper stores it after every change made
// there: a file replaced, kept aside or removed. On the desktop there is none: the disk keeps it.
#pragma once
#include <string>

void SetFolderKeeper(bool (*keeper)(std::string& error));
// Asks the keeper to store the folder: false with a one-line reason when the change could not be
// kept; true with no keeper.
bool FolderKept(std::string& error);
