// The recording being made of the running game: started by RunProgram, fed by the key sources as
// they deliver keys and by the seeding of the random numbers, finished by RunProgram at the end.
#pragma once
#include <cstdint>
#include <string>

#include "platform/replay/keyscript.h"
#include "platform/replay/recording.h"

// Starts recording to path (when not empty) and in memory, with the save file saveName in the
// working folder as it is now (at most saveLimit + 1 bytes of it; 0: no limit of the game's). path
// is checked, not opened: it must not be the save or one of its files, must be a regular file or
// nothing yet, and writable; otherwise false with one line in error. It is opened at the first
// delivery point.
bool StartRecorder(const std::string& path, const std::string& game, const std::string& saveName, int64_t saveLimit,
                   std::string& error);
// Every delivered key, as its step or its token, at the current presented-frame count (nothing
// when idle).
void RecordKeyStep(const TKeyStep& step);
void RecordKeyToken(const std::string& token);
// Where keys are being delivered now: after presented frame `frame`, or 0 at a key wait. An end
// signal that ends the game is written there. The first one opens the file.
void NoteDeliveryPoint(int64_t frame);
// The clock value the random numbers were seeded with.
void RecordSeedClock(uint32_t clock);
// Writes the end (from the exit status) and the hash of the save left, and stops. False when the
// recording could not be written whole (it was told on standard error when it stopped).
bool FinishRecorder(int status);
// The last recording made (in memory), for comparing a replay with the recording it played.
const TRecording& LastRecording();
