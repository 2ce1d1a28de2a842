#include "platform/Sounds.h"

#include "platform/WavePlayer.h"

namespace platform {

namespace {

std::function<void(int)>& testPlayer()
{
    static std::function<void(int)> player;
    return player;
}

void play(int id)
{
    if (testPlayer()) {
        testPlayer()(id);
        return;
    }
    // One player for all three sounds, so that a new one stops the one playing.
    static WavePlayer* player = new WavePlayer();
    player->play(QString::fromLatin1(soundResource(id)).mid(3)); // "qrc:/x" -> ":/x"
}

} // namespace

const char* soundResource(int id)
{
    switch (id) {
    case FailureSoundId: return "qrc:/WAVE/102";
    case TestsCompletedSoundId: return "qrc:/WAVE/103";
    case PaceRollPromptSoundId: return "qrc:/WAVE/104";
    default: return "";
    }
}

void playFailureSound()
{
    play(FailureSoundId);
}
void playTestsCompletedSound()
{
    play(TestsCompletedSoundId);
}
void playPaceRollPromptSound()
{
    play(PaceRollPromptSoundId);
}

void setPlayerForTesting(std::function<void(int id)> player)
{
    testPlayer() = std::move(player);
}

} // namespace platform
