// The page's save folder: the game's files live in memory under one folder, kept in the browser's
// IndexedDB. Read in once before the game starts, written back after every file the game replaces.
#pragma once
#include <string>

// The folder the game plays in, with what the browser kept read in; false when nothing is kept there
// (no IndexedDB), and the game then plays with a save that lasts as long as the page.
bool OpenWebSaveFolder(const char* folder);
// Hands the folder's files to IndexedDB and waits for it; false with a reason when the browser
// refuses them (storage full, private mode).
bool FlushWebSaveFolder(std::string& error);
