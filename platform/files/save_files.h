// The file operations a save needs to survive anything: replacing a regular file whole (through a
// link to it, never through a planted one), reading a file of bounded size, keeping a damaged file
// aside without moving it, and clearing what a killed write left. None of them raises: each says
// why it failed in one line.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/text.h"

// Replaces the file at path with bytes without ever leaving it half written: a temporary file of a
// unique name is created exclusively beside it (never through a link), flushed to the disk and
// renamed over it, and then the folder is flushed. When path is a symbolic link, the file the link
// points to is the one replaced and the link stays; anything but a regular file there is refused.
// The new file keeps the old one's permissions plus its owner's read and write (a first one: 0644
// less the umask). False with a one-line reason in error.
bool WriteFileAtomically(const Text& path, const std::vector<uint8_t>& bytes, std::string& error);

// The whole file, or false when it cannot be opened or read. A file larger than limit bytes is not
// read at all: false with tooLarge set.
bool ReadWholeFile(const Text& path, std::vector<uint8_t>& bytes, int64_t limit, bool& tooLarge);

// The first count bytes of the regular file at path (all of a shorter one), or false.
bool ReadFileHead(const Text& path, size_t count, std::vector<uint8_t>& bytes);

// A file named on the command line, read whole (the name taken literally): only a regular file of
// at most limit bytes is read, without blocking, so a pipe, a device or a folder can neither hang
// the program nor pass for an empty file. False with the reason in why.
bool ReadRegularFile(const std::string& path, size_t limit, std::string& bytes, std::string& why);

// When a file written at path would write over the save at savePath, one of its new files or one
// of its kept originals (compared by file identity, through links, whether or not path exists
// yet): which of them, for a line that refuses it; otherwise "".
std::string SaveFileAt(const std::string& path, const Text& savePath);

// Keeps the file at path (or the file a link there points to) as path + ".bad" beside it, or
// ".bad.2", ".bad.3", ... when earlier ones exist: a second name for the same bytes where the file
// system gives one, otherwise a copy (of up to 16 MiB). The file itself stays where it was and no
// earlier kept file is replaced. keptAs is the name given; false with a one-line reason in error.
bool KeepFileAside(const Text& path, std::string& keptAs, std::string& error);

// "" when path is a regular file, a link to one, or nothing yet (a missing file, a dangling link);
// otherwise what it is, for a line that refuses it ("a named pipe (FIFO)", "a symbolic link to a
// character device", "a directory", "a loop of symbolic links").
std::string NotARegularFile(const Text& path);
// The same for a name taken literally (a file named on the command line).
std::string NotARegularFileAt(const std::string& name);

// Removes the new files a write killed before its rename left beside path's file (regular files
// named as WriteFileAtomically names them, nothing else). Only for a run that holds the folder.
void RemoveStaleTemporaries(const Text& path);
