#include "platform/Sounds.h"
#include "platform/WavePlayer.h"

#include <QFile>
#include <QList>

#include <gtest/gtest.h>

namespace {

TEST(SoundsTest, EachRoutinePlaysItsOwnEmbeddedSound)
{
    QList<int> played;
    platform::installSoundPlayer([&](int id) { played << id; });
    platform::playFailureSound();
    platform::playTestsCompletedSound();
    platform::playPaceRollPromptSound();
    platform::installSoundPlayer({});
    EXPECT_EQ(played, (QList<int>{102, 103, 104}));
    for (int id : played) {
        QFile wave(QString::fromLatin1(platform::soundResource(id)).mid(3)); // "qrc:/x" -> ":/x"
        ASSERT_TRUE(wave.open(QIODevice::ReadOnly)) << id;
        const std::optional<platform::WaveData> data = platform::parseWave(wave.readAll());
        ASSERT_TRUE(data) << id;
        EXPECT_EQ(data->format.sampleFormat(), QAudioFormat::UInt8) << id;
        EXPECT_EQ(data->format.sampleRate(), 8000) << id;
        EXPECT_GT(data->samples.size(), 100) << id;
    }
}

TEST(SoundsTest, AFileThatIsNoPcmWaveFileIsSilence)
{
    QFile wave(QStringLiteral(":/WAVE/102"));
    ASSERT_TRUE(wave.open(QIODevice::ReadOnly));
    const QByteArray good = wave.readAll();
    QByteArray otherEncoding = good;
    otherEncoding[20] = 3; // the format tag of floating-point samples
    QByteArray overlong = good;
    overlong[good.indexOf("data") + 4] = char(0xff);
    overlong[good.indexOf("data") + 7] = char(0x7f);
    for (const QByteArray& file : {QByteArray(), good.left(30), good.left(good.indexOf("data")), otherEncoding,
                                   overlong, QByteArray("RIFF\0\0\0\0AVI LIST")})
        EXPECT_FALSE(platform::parseWave(file)) << file.left(40).toHex().constData();
    platform::WavePlayer player;
    player.play(QStringLiteral(":/no/such/sound")); // nothing to play, nothing thrown
    player.play(QStringLiteral(":/WAVE/102"));      // without a sound output: silence
    player.stop();
}

} // namespace
