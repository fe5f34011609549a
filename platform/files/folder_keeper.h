// Where the save folder lives in memory (a web page), a keeper stores it after every change made
// there: a file replaced, kept aside or removed. On the desktop there is none: the disk keeps it.
#pragma once
#include <string>

void SetFolderKeeper(bool (*keeper)(std::string& error));
// The file system's own flush to the disk where there is no keeper; where there is one, the keeper
// alone makes the folder last (a page's file system would store it whole at every flush, waiting).
bool FlushToDisk(int fd);
// Asks the keeper to store the folder: false with a one-line reason when the change could not be
// kept; true with no keeper.
bool FolderKept(std::string& error);
