// The page's save folder: the game's files live in memory under one folder, kept in the browser's
// IndexedDB. Read in once before the game starts, and stored again after every change the game
// makes there, so closing the tab right after a save loses nothing.
#pragma once

// Mounts the folder and reads in what the browser kept there, then becomes the folder's keeper.
// False when the browser's storage cannot be read: the game then plays with a save that lasts as
// long as the page, and every save says it could not be kept.
bool OpenWebSaveFolder(const char* folder);
// The page is going away: from now on the folder is handed to the browser without waiting for it,
// since nothing will run after the handler that asked.
void StoreWebSaveFolderWithoutWaiting();
