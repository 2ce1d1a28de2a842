#include "platform/Sounds.h"

#include <QFile>
#include <QList>

#include <gtest/gtest.h>

namespace {

TEST(SoundsTest, EachRoutinePlaysItsOwnEmbeddedSound)
{
    QList<int> played;
    platform::setPlayerForTesting([&](int id) { played << id; });
    platform::playFailureSound();
    platform::playTestsCompletedSound();
    platform::playPaceRollPromptSound();
    platform::setPlayerForTesting({});
    EXPECT_EQ(played, (QList<int>{102, 103, 104}));
    for (int id : played) {
        QFile wave(QString::fromLatin1(platform::soundResource(id)).mid(3)); // "qrc:/x" -> ":/x"
        ASSERT_TRUE(wave.open(QIODevice::ReadOnly)) << id;
        EXPECT_TRUE(wave.read(12).startsWith("RIFF")) << id;
    }
}

} // namespace
