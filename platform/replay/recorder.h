// The recording being made of the running game: started by RunProgram, fed by the key sources as
// they deliver keys and by the seeding of the random numbers, finished by RunProgram at the end.
#pragma once
#include <cstdint>
#include <string>

#include "platform/replay/recording.h"

// Starts recording to path (when not empty) and in memory: the header, with the save file saveName
// in the working folder as it is now. False with one line in error when path cannot be written.
bool StartRecorder(const std::string& path, const std::string& game, const std::string& saveName,
                   std::string& error);
// Every delivered key, as its token, at the current presented-frame count (nothing when idle).
void RecordKeyToken(const std::string& token);
// Where keys are being delivered now: after presented frame `frame`, or 0 at a key wait. An end
// signal that ends the game is written there.
void NoteDeliveryPoint(int64_t frame);
// The clock value the random numbers were seeded with.
void RecordSeedClock(uint32_t clock);
// Writes the end (from the exit status) and the hash of the save left, and stops.
void FinishRecorder(int status);
// The last recording made (in memory), for comparing a replay with the recording it played.
const TRecording& LastRecording();
