// The operator log's buffer, cut back at its length unless the diagnostic
// log is on, and the status window's display of its lines.
#include "run/OperatorLog.h"
#include "run/RunFixture.h"
#include "support/QtPrinters.h"

using ::testing::ElementsAre;

namespace {

class OperatorLogTest : public RunFixture {};

TEST_F(OperatorLogTest, TheBufferIsCutBackToItsTextFromThe50000thCharacter)
{
    run::OperatorLog& log = host.log;
    QStringList shown;
    log.setDisplay([&](const QString& line) { shown << line; });
    // The buffer filled to a given length (a line and its CR LF), unseen.
    auto fill = [this, &log](const QString& text) {
        log.clear();
        settings.switches.statusWindowOpen = false;
        log.write(text.chopped(2), false, false);
        ASSERT_EQ(log.text(), text.chopped(2) + "\r\n");
        settings.switches.statusWindowOpen = true;
    };
    fill(QString(99998 - 2, QLatin1Char('a')));
    log.write("b", false, false); // 99,999 characters: kept
    EXPECT_EQ(log.text().size(), 99999);
    fill(QString(49999, QLatin1Char('x')) + QString(99997 - 49999, QLatin1Char('y')));
    log.write("z", false, false); // 100,000 characters
    EXPECT_EQ(log.text().size(), 50001);
    EXPECT_TRUE(log.text().startsWith('y'));
    EXPECT_TRUE(log.text().endsWith("z\r\n"));
    EXPECT_THAT(shown, ElementsAre("b", "z"));

    // With the diagnostic log on the buffer is not cut and the window gets the line only through the log.
    fill(QString(99999, QLatin1Char('a')));
    settings.switches.diagnosticLog = true;
    log.write("c", false, false);
    EXPECT_EQ(log.text().size(), 100002);
    EXPECT_EQ(shown.size(), 2);
    EXPECT_TRUE(logText().contains(" - c\r\n"));

    // A paused or inhibited display gets nothing.
    settings.switches.diagnosticLog = false;
    settings.switches.commPaused = true;
    log.write("d", true, false);
    settings.switches.commPaused = false;
    log.write("e", true, true);
    EXPECT_EQ(shown.size(), 2);
}

} // namespace
