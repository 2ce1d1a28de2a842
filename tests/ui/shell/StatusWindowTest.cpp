#include "config/IniKeys.h"
#include "support/ShellFixture.h"
#include "ui/common/MdiPlacement.h"
#include "ui/common/Twips.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/StatusWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTextCursor>
#include <QTextEdit>
#include <QtTest/qtestspontaneevent.h>

namespace {

class StatusWindowTest : public ShellFixture {
protected:
    ui::StatusWindow* window() { return windows.statusWindow(); }
    QString fontKey() { return config::iniRead("Font", "Size", ini()); }
};

TEST_F(StatusWindowTest, RepeatedMessagesAreShownOnce)
{
    ui::StatusWindow* w = window();
    for (const char* msg : {"", "TX (1) -> [*]", "TX (1) -> [*]", "RX (1) <- [*OK]", "TX (1) -> [*]"})
        w->addText(msg);
    EXPECT_EQ(w->text(), "TX (1) -> [*]\r\nRX (1) <- [*OK]\r\nTX (1) -> [*]\r\n");
    EXPECT_EQ(w->commEdit->toPlainText(), "TX (1) -> [*]\nRX (1) <- [*OK]\nTX (1) -> [*]\n");
    EXPECT_EQ(w->commEdit->textCursor().position(), w->commEdit->document()->characterCount() - 1);
}

TEST_F(StatusWindowTest, LoadShowsTheCommunicationBufferAndTakesItsPlace)
{
    RecordingTestWindow* form = useMainForm();
    form->window->resize(ui::Twips::toPixels(9000), ui::Twips::toPixels(6000));
    form->shownCommBuffer = "* Unit 1 Connected\r\n";
    ui::StatusWindow* w = window();
    EXPECT_EQ(w->text(), "* Unit 1 Connected\r\n");
    EXPECT_TRUE(settings.switches.statusWindowOpen);
    const QRect place = ui::MdiChild::geometryTwips(w);
    EXPECT_EQ(place.left(), 9000);
    EXPECT_EQ(place.top(), 0);
    EXPECT_EQ(place.width(), ui::Twips::fromPixels(ui::Twips::toPixels(7000)));
    EXPECT_EQ(place.height(), 5100);
}

TEST_F(StatusWindowTest, FontSizeOutsideEightToEighteenBecomesEight)
{
    struct Case {
        QString stored;
        int shown;
        QString keyAfter;
    };
    const Case cases[] = {{"7", 8, "8"},    {"19", 8, "8"},   {"abc", 8, "8"}, {"", 8, "8"},
                          {"12.5", 8, "8"}, {"18", 18, "18"}, {"8", 8, "8"}};
    for (const Case& c : cases) {
        config::iniWrite("Font", "Size", c.stored, ini());
        const QByteArray before = iniText();
        ui::StatusWindow* w = window();
        EXPECT_EQ(w->fontSizeSlider->value(), c.shown) << c.stored.toStdString();
        EXPECT_EQ(w->commEdit->font().pointSize(), c.shown) << c.stored.toStdString();
        EXPECT_EQ(fontKey(), c.keyAfter) << c.stored.toStdString();
        if (c.stored == c.keyAfter) {
            EXPECT_EQ(iniText(), before) << "a valid size is not rewritten";
        }
        windows.destroyAll();
    }
}

TEST_F(StatusWindowTest, MovingTheSliderSetsAndStoresTheFontSize)
{
    ui::StatusWindow* w = window();
    w->fontSizeSlider->setValue(14);
    EXPECT_EQ(w->commEdit->font().pointSize(), 14);
    EXPECT_EQ(fontKey(), "14");
}

TEST_F(StatusWindowTest, DiagnosticLogShowsTheTimeStampedLogAndDisablesPause)
{
    platform::Clock::useVirtualTime(QDateTime(QDate(2026, 12, 3), QTime(10, 0, 0)));
    ui::StatusWindow* w = window();
    EXPECT_TRUE(w->saveButton->isHidden());

    w->pauseButton->click();
    EXPECT_TRUE(settings.switches.commPaused);
    EXPECT_EQ(w->pauseButton->text(), "Resume");

    config::writeLog("not echoed");
    w->diagnosticLogButton->click();
    EXPECT_TRUE(settings.switches.diagnosticLog);
    EXPECT_FALSE(settings.switches.commPaused);
    EXPECT_EQ(w->pauseButton->text(), "Pause");
    EXPECT_FALSE(w->pauseButton->isEnabled());
    EXPECT_FALSE(w->saveButton->isHidden());

    config::writeLog("Database connection closed");
    EXPECT_EQ(w->text(), "2026-12-03 10:00:00 - Database connection closed\r\n");

    w->diagnosticLogButton->click();
    EXPECT_FALSE(settings.switches.diagnosticLog);
    EXPECT_TRUE(w->pauseButton->isEnabled());
    EXPECT_TRUE(w->saveButton->isHidden());
    config::writeLog("not echoed either");
    EXPECT_FALSE(w->text().contains("echoed"));

    w->pauseButton->click();
    EXPECT_EQ(w->pauseButton->text(), "Resume");
    w->pauseButton->click();
    EXPECT_EQ(w->pauseButton->text(), "Pause");
    EXPECT_FALSE(settings.switches.commPaused);
}

TEST_F(StatusWindowTest, DiagnosticLogTextStaysBounded)
{
    ui::StatusWindow* w = window();
    w->diagnosticLogButton->click();
    const QString filler(200, QLatin1Char('x'));
    for (int i = 0; i < 1200; ++i)
        w->addText(QString::number(i) + filler);
    EXPECT_LE(w->text().size(), ui::StatusWindow::MaxTextLength);
    EXPECT_TRUE(w->text().endsWith("1199" + filler + "\r\n"));
    EXPECT_EQ(w->commEdit->toPlainText().size(), w->text().size() - w->text().count("\r\n"));
}

TEST_F(StatusWindowTest, CutBackKeepsTheTextFromThe50000thCharacter)
{
    QString text(100000, QLatin1Char('a'));
    text[49999] = QLatin1Char('b');
    EXPECT_EQ(ui::StatusWindow::cutBack(text).size(), 100000 - 49999);
    EXPECT_TRUE(ui::StatusWindow::cutBack(text).startsWith('b'));
    EXPECT_EQ(ui::StatusWindow::cutBack(text.left(99999)), text.left(99999));
}

TEST_F(StatusWindowTest, SaveWritesExactlyWhatIsShown)
{
    ui::StatusWindow* w = window();
    w->addText("TX (1) -> [*]");
    w->addText(QStringLiteral("RX (1) <- [*OK]") + QChar(0xB5));
    const QString path = home.path() + "/saved.log";
    prompts->fileAnswers = {path};
    w->diagnosticLogButton->click();
    w->saveButton->click();
    EXPECT_EQ(readAll(path), w->text().toLatin1());
    EXPECT_EQ(readAll(path), QByteArray("TX (1) -> [*]\r\nRX (1) <- [*OK]\xb5\r\n"));
    ASSERT_EQ(prompts->shown.size(), 1);
    EXPECT_EQ(prompts->shown[0].text, "Save File");

    // Cancelled: nothing written, nothing shown.
    QFile::remove(path);
    w->saveButton->click();
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(prompts->messages().isEmpty());
}

TEST_F(StatusWindowTest, ServiceSwitchesOnlyWithTheHiddenCommandLine)
{
    EXPECT_TRUE(window()->trafficChecksFrame->isHidden());
    windows.destroyAll();

    platform::CommandLine::replaceText("/rida1");
    settings.switches.showVerbose = true;
    ui::StatusWindow* w = window();
    EXPECT_FALSE(w->trafficChecksFrame->isHidden());
    EXPECT_TRUE(w->showVerboseCheck->isChecked());
    EXPECT_FALSE(w->showBufferCheck->isChecked());
    w->showBufferCheck->click();
    EXPECT_TRUE(settings.switches.showRxBuffer);
    w->showVerboseCheck->click();
    EXPECT_FALSE(settings.switches.showVerbose);
}

TEST_F(StatusWindowTest, ServiceSwitchesAreWholeAndReadable)
{
    platform::CommandLine::replaceText("/rida");
    ui::StatusWindow* w = window();
    for (QCheckBox* box : {w->showVerboseCheck, w->showBufferCheck}) {
        SCOPED_TRACE(box->text().toStdString());
        EXPECT_GE(box->width(), box->sizeHint().width());
        EXPECT_TRUE(w->trafficChecksFrame->rect().contains(box->geometry()));
    }
    EXPECT_FALSE(w->showVerboseCheck->geometry().intersects(w->showBufferCheck->geometry()));

    // The strip sits between the text and the buttons at every size, and
    // covers neither.
    w->show();
    for (const QSize twips : {QSize(7000, 5100), QSize(9000, 12000), QSize(7000, 2000)}) {
        SCOPED_TRACE(QStringLiteral("%1 x %2").arg(twips.width()).arg(twips.height()).toStdString());
        ui::MdiChild::resizeTwips(w, twips.width(), twips.height());
        const QRect strip = w->trafficChecksFrame->geometry();
        EXPECT_TRUE(w->rect().contains(strip));
        EXPECT_GE(strip.top(), w->commEdit->geometry().bottom() + 1);
        const QList<QWidget*> buttons{w->diagnosticLogButton, w->saveButton, w->fontSizeSlider, w->fontSizeLabel,
                                      w->pauseButton};
        for (QWidget* control : buttons)
            EXPECT_LE(strip.bottom(), control->geometry().top() - 1) << control->objectName().toStdString();
    }
}

TEST_F(StatusWindowTest, WithoutServiceSwitchesTheTextReachesTheButtons)
{
    ui::StatusWindow* w = window();
    w->show();
    ui::MdiChild::resizeTwips(w, 7000, 5100);
    EXPECT_EQ(w->pauseButton->y() - w->commEdit->geometry().bottom() - 1, ui::Twips::toPixels(50));
}

TEST_F(StatusWindowTest, HasNoCloseCommand)
{
    ui::StatusWindow* w = window();
    QWidget* sub = ui::MdiChild::outerWidget(w);
    ASSERT_NE(sub, w);
    EXPECT_FALSE(sub->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(sub->windowFlags() & Qt::WindowSystemMenuHint);
    sub->show();
    QCloseEvent fromOperator;
    QSpontaneKeyEvent::setSpontaneous(&fromOperator);
    QCoreApplication::sendEvent(sub, &fromOperator);
    EXPECT_TRUE(sub->isVisibleTo(windows.frame()));
    EXPECT_TRUE(settings.switches.statusWindowOpen);
}

TEST_F(StatusWindowTest, ShrinkingSnapsBackToTheMinimumSize)
{
    ui::StatusWindow* w = window();
    ui::MdiChild::resizeTwips(w, 3000, 1000);
    const QRect place = ui::MdiChild::geometryTwips(w);
    EXPECT_EQ(place.width(), ui::Twips::fromPixels(ui::Twips::toPixels(7000)));
    EXPECT_EQ(place.height(), ui::Twips::fromPixels(ui::Twips::toPixels(2000)));
}

} // namespace
