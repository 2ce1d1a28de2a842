#pragma once
// The station's three sounds, played asynchronously from the program's
// embedded wave files. A sound started while another plays stops that one.
// Without a sound device the station stays silent; that is never an error.

#include <functional>

namespace platform {

constexpr int FailureSoundId = 102;
constexpr int TestsCompletedSoundId = 103;
constexpr int PaceRollPromptSoundId = 104;

void playFailureSound();
void playTestsCompletedSound();
void playPaceRollPromptSound();

// The embedded file of a sound ("qrc:/WAVE/102").
const char* soundResource(int id);

// The process has one sound device; this puts another player in its place
// (a test's, to see which sound is asked for); an empty function returns to
// the sound device.
void installSoundPlayer(std::function<void(int id)> player);

} // namespace platform
