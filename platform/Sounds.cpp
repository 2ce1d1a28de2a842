#include "platform/Sounds.h"

#include <QSoundEffect>
#include <QUrl>

namespace platform {

namespace {

std::function<void(int)>& installedPlayer()
{
    static std::function<void(int)> player;
    return player;
}

void play(int id)
{
    if (installedPlayer()) {
        installedPlayer()(id);
        return;
    }
    // One effect for all three sounds, so that a new one stops the one playing.
    static QSoundEffect* effect = new QSoundEffect();
    effect->stop();
    effect->setSource(QUrl(QString::fromLatin1(soundResource(id))));
    effect->play();
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

void installSoundPlayer(std::function<void(int id)> player)
{
    installedPlayer() = std::move(player);
}

} // namespace platform
