// One copy of the game per save folder: the working folder is locked for the whole run, so two
// copies can never write save.dat over each other.
#pragma once
#include <string>

// Locks the working folder for this run; false, with a one-line reason, when another copy holds it.
// A folder whose file system cannot lock at all is played unlocked rather than refused.
bool LockWorkingFolder(std::string& error);
// Lets the folder go (the end of a run).
void UnlockWorkingFolder();
