// The station's windows on the bench screen (1280 x 1024), through the real
// start-up: every main window lies inside the frame's area, none covers
// another, the picture stays under them all after a report window closes or
// the list mode changes, and the service strip leaves the status text whole.
#include "support/StationHarness.h"

#include "ui/common/MdiPlacement.h"
#include "ui/shell/BackgroundWindow.h"
#include "ui/shell/StatusWindow.h"

#include <gtest/gtest.h>

#include <QFrame>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QTextEdit>

namespace {

QList<QWidget*> mainWindows()
{
    return {StationWindows::MainForm()->Window(), StationWindows::StatusWindow(), StationWindows::ActiveLotWindow()};
}

// Every main window wholly inside the frame's area, no two of them over each
// other, the picture inside the area too.
void expectWindowsFit(testsupport::StationHarness& station)
{
    const QSize area = station.Frame().MdiAreaSize();
    EXPECT_GE(area.width(), 1200);
    EXPECT_GE(area.height(), 900);
    const QList<QWidget*> windows = mainWindows();
    for (QWidget* w : windows) {
        const QRect place = MdiChild::Outer(w)->geometry();
        EXPECT_TRUE(MdiChild::LiesInside(w, area))
            << w->objectName().toStdString() << " at " << place.x() << "," << place.y() << " " << place.width()
            << "x" << place.height();
        for (QWidget* other : windows) {
            if (other != w) {
                EXPECT_FALSE(place.intersects(MdiChild::Outer(other)->geometry()))
                    << w->objectName().toStdString() << " over " << other->objectName().toStdString();
            }
        }
    }
    EXPECT_TRUE(MdiChild::LiesInside(StationWindows::Background(), area));
    EXPECT_FALSE(station.Frame().mdiArea()->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(station.Frame().mdiArea()->verticalScrollBar()->isVisible());
}

// The picture is the lowest thing in the frame's area and never the active window.
void expectPictureBehind(testsupport::StationHarness& station)
{
    QMdiArea* area = station.Frame().mdiArea();
    const QList<QWidget*> stack = area->viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    EXPECT_EQ(stack.value(0), StationWindows::Background());
    QMdiSubWindow* active = area->activeSubWindow();
    EXPECT_TRUE(!active || active->widget() != StationWindows::Background());
}

TEST(StationWindowsTest, EveryWindowFitsTheFrameAtStartInEachMode)
{
    for (const QString& line : {QStringLiteral(""), QStringLiteral("/vadov"), QStringLiteral("/rida")}) {
        SCOPED_TRACE(line.toStdString());
        testsupport::StationHarness station(QDateTime(QDate(2026, 3, 2), QTime(9, 0, 0)), line);
        ASSERT_TRUE(station.Start());
        expectWindowsFit(station);
        expectPictureBehind(station);

        // The service strip, where shown, lies between the text and the buttons.
        StatusWindowForm* status = StationWindows::StatusWindow();
        const QRect strip = status->calTabCommFrame->geometry();
        EXPECT_EQ(status->calTabCommFrame->isVisible(), !line.isEmpty());
        EXPECT_FALSE(status->calTabCommFrame->isVisible() && strip.intersects(status->txtComm->geometry()));
        EXPECT_TRUE(status->rect().contains(status->cmdPause->geometry()));
        EXPECT_TRUE(status->rect().contains(status->FontSizeLabel->geometry()));
    }
}

TEST(StationWindowsTest, ThePictureStaysBehindAfterAReportWindowClosesAndTheListModeChanges)
{
    testsupport::StationHarness station;
    ASSERT_TRUE(station.Start());
    MainForm& form = station.Form();
    station.ConnectSimulatedUnit(1, 2);
    ASSERT_TRUE(station.RunUntil([&] { return form.testListPanel().runButton()->isEnabled(); }, 20000));
    station.UseTestList("A1-B1", {"ACZ,A1-B1,1"});
    ASSERT_TRUE(station.RunTestList("LOT-1"));

    // The run's report window, closed as the operator does.
    QMdiArea* area = station.Frame().mdiArea();
    QMdiSubWindow* report = nullptr;
    for (QMdiSubWindow* sub : area->subWindowList())
        if (sub->widget()->inherits("TestReportForm"))
            report = sub;
    ASSERT_NE(report, nullptr);
    EXPECT_TRUE(MdiChild::LiesInside(report->widget(), station.Frame().MdiAreaSize()));
    report->close();
    QCoreApplication::processEvents();
    expectPictureBehind(station);
    expectWindowsFit(station);

    // The list mode changes with the focus on a control that the change hides.
    form.testListPanel().standardSequenceButton()->setFocus();
    form.testListPanel().consecutiveListsButton()->click();
    QCoreApplication::processEvents();
    expectPictureBehind(station);
    form.testListPanel().singleListButton()->click();
    QCoreApplication::processEvents();
    expectPictureBehind(station);
    expectWindowsFit(station);
}

} // namespace
