#include "support/ShellFixture.h"

#include "config/IniKeys.h"
#include "ui/common/MdiPlacement.h"
#include "ui/common/Twips.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/StatusWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QtTest/qtestspontaneevent.h>
#include <QFrame>
#include <QLabel>
#include <QTextCursor>
#include <QPushButton>
#include <QSlider>
#include <QTextEdit>

namespace {

class StatusWindowTest : public ShellFixture {
protected:
    StatusWindowForm* window() { return StationWindows::StatusWindow(); }
    QString fontKey() { return modINIReadWrite::INIRead("Font", "Size", ini()); }
};

TEST_F(StatusWindowTest, RepeatedMessagesAreShownOnce)
{
    StatusWindowForm* w = window();
    for (const char* msg : {"", "TX (1) -> [*]", "TX (1) -> [*]", "RX (1) <- [*OK]", "TX (1) -> [*]"})
        w->AddText(msg);
    EXPECT_EQ(w->Text(), "TX (1) -> [*]\r\nRX (1) <- [*OK]\r\nTX (1) -> [*]\r\n");
    EXPECT_EQ(w->txtComm->toPlainText(), "TX (1) -> [*]\nRX (1) <- [*OK]\nTX (1) -> [*]\n");
    EXPECT_EQ(w->txtComm->textCursor().position(), w->txtComm->document()->characterCount() - 1);
}

TEST_F(StatusWindowTest, LoadShowsTheCommunicationBufferAndTakesItsPlace)
{
    RecordingMainForm* form = useMainForm();
    form->window->resize(Twips::toPixels(9000), Twips::toPixels(6000));
    form->commBuffer = "* Unit 1 Connected\r\n";
    StatusWindowForm* w = window();
    EXPECT_EQ(w->Text(), "* Unit 1 Connected\r\n");
    EXPECT_TRUE(settings.switches.statusWindowOpen);
    const QRect place = MdiChild::GeometryTwips(w);
    EXPECT_EQ(place.left(), 9000);
    EXPECT_EQ(place.top(), 0);
    EXPECT_EQ(place.width(), Twips::fromPixels(Twips::toPixels(7000)));
    EXPECT_EQ(place.height(), 5100);
}

TEST_F(StatusWindowTest, FontSizeOutsideEightToEighteenBecomesEight)
{
    struct Case { QString stored; int shown; QString keyAfter; };
    const Case cases[] = {{"7", 8, "8"}, {"19", 8, "8"}, {"abc", 8, "8"}, {"", 8, "8"},
                          {"12.5", 8, "8"}, {"18", 18, "18"}, {"8", 8, "8"}};
    for (const Case& c : cases) {
        modINIReadWrite::INIWrite("Font", "Size", c.stored, ini());
        const QByteArray before = iniText();
        StatusWindowForm* w = window();
        EXPECT_EQ(w->FontSizeSlider->value(), c.shown) << c.stored.toStdString();
        EXPECT_EQ(w->txtComm->font().pointSize(), c.shown) << c.stored.toStdString();
        EXPECT_EQ(fontKey(), c.keyAfter) << c.stored.toStdString();
        if (c.stored == c.keyAfter) {
            EXPECT_EQ(iniText(), before) << "a valid size is not rewritten";
        }
        StationWindows::DestroyAll();
    }
}

TEST_F(StatusWindowTest, MovingTheSliderSetsAndStoresTheFontSize)
{
    StatusWindowForm* w = window();
    w->FontSizeSlider->setValue(14);
    EXPECT_EQ(w->txtComm->font().pointSize(), 14);
    EXPECT_EQ(fontKey(), "14");
}

TEST_F(StatusWindowTest, DiagnosticLogShowsTheTimeStampedLogAndDisablesPause)
{
    platform::Clock::useVirtualTime(QDateTime(QDate(2026, 12, 3), QTime(10, 0, 0)));
    StatusWindowForm* w = window();
    EXPECT_TRUE(w->cmdSave->isHidden());

    w->cmdPause->click();
    EXPECT_TRUE(settings.switches.commPaused);
    EXPECT_EQ(w->cmdPause->text(), "Resume");

    modMain::WriteLog("not echoed");
    w->chkDiagnosticLog->click();
    EXPECT_TRUE(settings.switches.diagnosticLog);
    EXPECT_FALSE(settings.switches.commPaused);
    EXPECT_EQ(w->cmdPause->text(), "Pause");
    EXPECT_FALSE(w->cmdPause->isEnabled());
    EXPECT_FALSE(w->cmdSave->isHidden());

    modMain::WriteLog("Database connection closed");
    EXPECT_EQ(w->Text(), "2026-12-03 10:00:00 - Database connection closed\r\n");

    w->chkDiagnosticLog->click();
    EXPECT_FALSE(settings.switches.diagnosticLog);
    EXPECT_TRUE(w->cmdPause->isEnabled());
    EXPECT_TRUE(w->cmdSave->isHidden());
    modMain::WriteLog("not echoed either");
    EXPECT_FALSE(w->Text().contains("echoed"));

    w->cmdPause->click();
    EXPECT_EQ(w->cmdPause->text(), "Resume");
    w->cmdPause->click();
    EXPECT_EQ(w->cmdPause->text(), "Pause");
    EXPECT_FALSE(settings.switches.commPaused);
}

TEST_F(StatusWindowTest, DiagnosticLogTextStaysBounded)
{
    StatusWindowForm* w = window();
    w->chkDiagnosticLog->click();
    const QString filler(200, QLatin1Char('x'));
    for (int i = 0; i < 1200; ++i)
        w->AddText(QString::number(i) + filler);
    EXPECT_LE(w->Text().size(), StatusWindowForm::MaxTextLength);
    EXPECT_TRUE(w->Text().endsWith("1199" + filler + "\r\n"));
    EXPECT_EQ(w->txtComm->toPlainText().size(), w->Text().size() - w->Text().count("\r\n"));
}

TEST_F(StatusWindowTest, CutBackKeepsTheTextFromThe50000thCharacter)
{
    QString text(100000, QLatin1Char('a'));
    text[49999] = QLatin1Char('b');
    EXPECT_EQ(StatusWindowForm::CutBack(text).size(), 100000 - 49999);
    EXPECT_TRUE(StatusWindowForm::CutBack(text).startsWith('b'));
    EXPECT_EQ(StatusWindowForm::CutBack(text.left(99999)), text.left(99999));
}

TEST_F(StatusWindowTest, SaveWritesExactlyWhatIsShown)
{
    StatusWindowForm* w = window();
    w->AddText("TX (1) -> [*]");
    w->AddText(QStringLiteral("RX (1) <- [*OK]") + QChar(0xB5));
    const QString path = home.path() + "/saved.log";
    prompts->fileAnswers = {path};
    w->chkDiagnosticLog->click();
    w->cmdSave->click();
    EXPECT_EQ(readAll(path), w->Text().toLatin1());
    EXPECT_EQ(readAll(path), QByteArray("TX (1) -> [*]\r\nRX (1) <- [*OK]\xb5\r\n"));
    ASSERT_EQ(prompts->shown.size(), 1);
    EXPECT_EQ(prompts->shown[0].text, "Save File");

    // Cancelled: nothing written, nothing shown.
    QFile::remove(path);
    w->cmdSave->click();
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(prompts->messages().isEmpty());
}

TEST_F(StatusWindowTest, ServiceSwitchesOnlyWithTheHiddenCommandLine)
{
    EXPECT_TRUE(window()->calTabCommFrame->isHidden());
    StationWindows::DestroyAll();

    CommandLine::SetForTesting("/rida1");
    settings.switches.showVerbose = true;
    StatusWindowForm* w = window();
    EXPECT_FALSE(w->calTabCommFrame->isHidden());
    EXPECT_TRUE(w->chkShowVerbose->isChecked());
    EXPECT_FALSE(w->chkShowBuffer->isChecked());
    w->chkShowBuffer->click();
    EXPECT_TRUE(settings.switches.showRxBuffer);
    w->chkShowVerbose->click();
    EXPECT_FALSE(settings.switches.showVerbose);
}

TEST_F(StatusWindowTest, ServiceSwitchesAreWholeAndReadable)
{
    CommandLine::SetForTesting("/rida");
    StatusWindowForm* w = window();
    for (QCheckBox* box : {w->chkShowVerbose, w->chkShowBuffer}) {
        SCOPED_TRACE(box->text().toStdString());
        EXPECT_GE(box->width(), box->sizeHint().width());
        EXPECT_TRUE(w->calTabCommFrame->rect().contains(box->geometry()));
    }
    EXPECT_FALSE(w->chkShowVerbose->geometry().intersects(w->chkShowBuffer->geometry()));


    // The strip sits between the text and the buttons at every size, and
    // covers neither.
    w->show();
    for (const QSize twips : {QSize(7000, 5100), QSize(9000, 12000), QSize(7000, 2000)}) {
        SCOPED_TRACE(QStringLiteral("%1 x %2").arg(twips.width()).arg(twips.height()).toStdString());
        MdiChild::ResizeTwips(w, twips.width(), twips.height());
        const QRect strip = w->calTabCommFrame->geometry();
        EXPECT_TRUE(w->rect().contains(strip));
        EXPECT_GE(strip.top(), w->txtComm->geometry().bottom() + 1);
        const QList<QWidget*> buttons{w->chkDiagnosticLog, w->cmdSave, w->FontSizeSlider, w->FontSizeLabel,
                                      w->cmdPause};
        for (QWidget* control : buttons)
            EXPECT_LE(strip.bottom(), control->geometry().top() - 1) << control->objectName().toStdString();
    }
}

TEST_F(StatusWindowTest, WithoutServiceSwitchesTheTextReachesTheButtons)
{
    StatusWindowForm* w = window();
    w->show();
    MdiChild::ResizeTwips(w, 7000, 5100);
    EXPECT_EQ(w->cmdPause->y() - w->txtComm->geometry().bottom() - 1, Twips::toPixels(50));
}

TEST_F(StatusWindowTest, HasNoCloseCommand)
{
    StatusWindowForm* w = window();
    QWidget* sub = MdiChild::Outer(w);
    ASSERT_NE(sub, w);
    EXPECT_FALSE(sub->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(sub->windowFlags() & Qt::WindowSystemMenuHint);
    sub->show();
    QCloseEvent fromOperator;
    QSpontaneKeyEvent::setSpontaneous(&fromOperator);
    QCoreApplication::sendEvent(sub, &fromOperator);
    EXPECT_TRUE(sub->isVisibleTo(StationWindows::Frame()));
    EXPECT_TRUE(settings.switches.statusWindowOpen);
}

TEST_F(StatusWindowTest, ShrinkingSnapsBackToTheMinimumSize)
{
    StatusWindowForm* w = window();
    MdiChild::ResizeTwips(w, 3000, 1000);
    const QRect place = MdiChild::GeometryTwips(w);
    EXPECT_EQ(place.width(), Twips::fromPixels(Twips::toPixels(7000)));
    EXPECT_EQ(place.height(), Twips::fromPixels(Twips::toPixels(2000)));
}

} // namespace
