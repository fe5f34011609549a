// The file operations a save needs to survive anything: replacing a file whole (through a link to
// it, never through a planted one), reading a file of bounded size, and keeping a damaged file
// aside without copying it. None of them raises: each says why it failed in one line.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/text.h"

// Replaces the file at path with bytes without ever leaving it half written: a temporary file of a
// unique name is created exclusively beside it (never through a link), flushed to the disk and
// renamed over it, and then the folder is flushed. When path is a symbolic link, the file the link
// points to is the one replaced and the link stays. False with a one-line reason in error.
bool WriteFileAtomically(const Text& path, const std::vector<uint8_t>& bytes, std::string& error);

// The whole file, or false when it cannot be opened or read. A file larger than limit bytes is not
// read at all: false with tooLarge set.
bool ReadWholeFile(const Text& path, std::vector<uint8_t>& bytes, int64_t limit, bool& tooLarge);

// Keeps the file at path (or the file a link there points to) as path + ".bad" beside it, or
// ".bad.2", ".bad.3", ... when earlier ones exist: a second name for the same bytes where the file
// system allows one (the file stays where it was), otherwise a rename. Nothing is copied and no
// earlier kept file is replaced. keptAs is the name given; false with a one-line reason in error.
bool KeepFileAside(const Text& path, std::string& keptAs, std::string& error);
