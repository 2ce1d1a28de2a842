// The station's windows on the bench screen (1280 x 1024), through the real
// start-up: every main window lies inside the frame's area, none covers
// another, the picture stays under them all after a report window closes or
// the list mode changes, and the service strip leaves the status text whole.
#include "support/StationHarness.h"
#include "ui/common/MdiPlacement.h"
#include "ui/shell/BackgroundWindow.h"
#include "ui/shell/StatusWindow.h"

#include <QFrame>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace {

QList<QWidget*> mainWindows()
{
    return {ui::StationWindows::testWindow()->hostWidget(), ui::StationWindows::statusWindow(),
            ui::StationWindows::activeLotWindow()};
}

// Every main window wholly inside the frame's area, no two of them over each
// other, the picture inside the area too.
void expectWindowsFit(testsupport::StationHarness& station)
{
    const QSize area = station.frame().mdiAreaSize();
    EXPECT_GE(area.width(), 1200);
    EXPECT_GE(area.height(), 900);
    const QList<QWidget*> windows = mainWindows();
    for (QWidget* w : windows) {
        const QRect place = ui::MdiChild::outerWidget(w)->geometry();
        EXPECT_TRUE(ui::MdiChild::liesInside(w, area)) << w->objectName().toStdString() << " at " << place.x() << ","
                                                       << place.y() << " " << place.width() << "x" << place.height();
        for (QWidget* other : windows) {
            if (other != w) {
                EXPECT_FALSE(place.intersects(ui::MdiChild::outerWidget(other)->geometry()))
                    << w->objectName().toStdString() << " over " << other->objectName().toStdString();
            }
        }
    }
    EXPECT_TRUE(ui::MdiChild::liesInside(ui::StationWindows::background(), area));
    EXPECT_FALSE(station.frame().mdiArea()->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(station.frame().mdiArea()->verticalScrollBar()->isVisible());
}

// The picture is the lowest thing in the frame's area and never the active window.
void expectPictureBehind(testsupport::StationHarness& station)
{
    QMdiArea* area = station.frame().mdiArea();
    const QList<QWidget*> stack = area->viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    EXPECT_EQ(stack.value(0), ui::StationWindows::background());
    QMdiSubWindow* active = area->activeSubWindow();
    EXPECT_TRUE(!active || active->widget() != ui::StationWindows::background());
}

TEST(StationWindowsTest, EveryWindowFitsTheFrameAtStartInEachMode)
{
    for (const QString& line : {QStringLiteral(""), QStringLiteral("/vadov"), QStringLiteral("/rida")}) {
        SCOPED_TRACE(line.toStdString());
        testsupport::StationHarness station(QDateTime(QDate(2026, 3, 2), QTime(9, 0, 0)), line);
        ASSERT_TRUE(station.start());
        expectWindowsFit(station);
        expectPictureBehind(station);

        // The service strip, where shown, lies between the text and the buttons.
        ui::StatusWindow* status = ui::StationWindows::statusWindow();
        const QRect strip = status->calTabCommFrame->geometry();
        EXPECT_EQ(status->calTabCommFrame->isVisible(), !line.isEmpty());
        EXPECT_FALSE(status->calTabCommFrame->isVisible() && strip.intersects(status->commEdit->geometry()));
        EXPECT_TRUE(status->rect().contains(status->pauseButton->geometry()));
        EXPECT_TRUE(status->rect().contains(status->FontSizeLabel->geometry()));
    }
}

TEST(StationWindowsTest, ThePictureStaysBehindAfterAReportWindowClosesAndTheListModeChanges)
{
    testsupport::StationHarness station;
    ASSERT_TRUE(station.startWithSimulatedList("A1-B1", {"ACZ,A1-B1,1"}));
    ui::TestWindow& form = station.testWindow();
    ASSERT_TRUE(station.runTestList("LOT-1"));

    // The run's report window, closed as the operator does.
    QMdiArea* area = station.frame().mdiArea();
    QMdiSubWindow* report = nullptr;
    for (QMdiSubWindow* sub : area->subWindowList())
        if (sub->widget()->inherits("ui::TestReportWindow"))
            report = sub;
    ASSERT_NE(report, nullptr);
    EXPECT_TRUE(ui::MdiChild::liesInside(report->widget(), station.frame().mdiAreaSize()));
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
