// The station's windows on the bench screen (1280 x 1024), through the real
// start-up: every main window lies inside the frame's area, none covers
// another, the picture stays under them all after a report window closes or
// the list mode changes, and the service strip leaves the status text whole.
#include "support/StationHarness.h"
#include "ui/common/MdiPlacement.h"
#include "ui/common/Twips.h"
#include "ui/options/AdvancedOptionsWindow.h"
#include "ui/reportlists/ReportListWindow.h"
#include "ui/shell/BackgroundWindow.h"
#include "ui/shell/StatusWindow.h"
#include "ui/testwindow/LotByElectrodeDialog.h"

#include <QFrame>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace {

QList<QWidget*> mainWindows(testsupport::StationHarness& station)
{
    return {station.windows().testWindow()->hostWidget(), station.windows().statusWindow(),
            station.windows().activeLotWindow()};
}

// Every main window wholly inside the frame's area, no two of them over each
// other, the picture inside the area too.
void expectWindowsFit(testsupport::StationHarness& station)
{
    const QSize area = station.frame().mdiAreaSize();
    EXPECT_GE(area.width(), 1200);
    EXPECT_GE(area.height(), 900);
    const QList<QWidget*> windows = mainWindows(station);
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
    EXPECT_TRUE(ui::MdiChild::liesInside(station.windows().background(), area));
    EXPECT_FALSE(station.frame().mdiArea()->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(station.frame().mdiArea()->verticalScrollBar()->isVisible());
}

// The picture is the lowest thing in the frame's area and never the active window.
void expectPictureBehind(testsupport::StationHarness& station)
{
    QMdiArea* area = station.frame().mdiArea();
    const QList<QWidget*> stack = area->viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    EXPECT_EQ(stack.value(0), station.windows().background());
    QMdiSubWindow* active = area->activeSubWindow();
    EXPECT_TRUE(!active || active->widget() != station.windows().background());
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
        ui::StatusWindow* status = station.windows().statusWindow();
        const QRect strip = status->trafficChecksFrame->geometry();
        EXPECT_EQ(status->trafficChecksFrame->isVisible(), !line.isEmpty());
        EXPECT_FALSE(status->trafficChecksFrame->isVisible() && strip.intersects(status->commEdit->geometry()));
        EXPECT_TRUE(status->rect().contains(status->pauseButton->geometry()));
        EXPECT_TRUE(status->rect().contains(status->fontSizeLabel->geometry()));
    }
}

// The frame's area on the screen.
QRect areaOnScreen(testsupport::StationHarness& station)
{
    QWidget* viewport = station.frame().mdiArea()->viewport();
    return {viewport->mapToGlobal(QPoint(0, 0)), viewport->size()};
}

// A window's place on the screen, as text for a failure.
std::string placeText(const QRect& r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()).toStdString();
}

TEST(StationWindowsTest, EveryWindowTheMenusAndThePreTestDetailsOpenLiesInsideTheFrame)
{
    testsupport::StationHarness station(QDateTime(QDate(2026, 3, 2), QTime(9, 0, 0)), QStringLiteral("/vadov"));
    ASSERT_TRUE(station.start());
    const QSize area = station.frame().mdiAreaSize();
    const QPoint corner(ui::Twips::toPixels(400), ui::Twips::toPixels(400));

    // "Report Viewer" brings the report list up 400 twips from the frame's
    // corner, whether it was moved away, minimized or maximized meanwhile.
    using Change = std::function<void(QWidget*)>;
    const std::pair<const char*, Change> changes[] = {
        {"first use", [](QWidget*) {}},
        {"moved away", [](QWidget* sub) { sub->move(900, 700); }},
        {"minimized", [](QWidget* sub) { sub->showMinimized(); }},
        {"maximized", [](QWidget* sub) { sub->showMaximized(); }},
        {"closed", [](QWidget* sub) { sub->close(); }},
    };
    for (const auto& [what, change] : changes) {
        SCOPED_TRACE(what);
        if (ui::ReportListWindow* open = ui::liveReportListWindow(station.windows()))
            change(ui::MdiChild::outerWidget(open));
        ASSERT_TRUE(station.choose("Report Viewer"));
        QCoreApplication::processEvents();
        ui::ReportListWindow* list = ui::liveReportListWindow(station.windows());
        ASSERT_NE(list, nullptr);
        const QRect place = ui::MdiChild::outerWidget(list)->geometry();
        EXPECT_EQ(place.topLeft(), corner);
        EXPECT_TRUE(ui::MdiChild::liesInside(list, area)) << placeText(place);
        EXPECT_FALSE(ui::MdiChild::outerWidget(list)->isMinimized());
    }

    ASSERT_TRUE(station.choose("Options"));
    ui::AdvancedOptionsWindow* options = station.windows().advancedOptions();
    const QRect main = ui::MdiChild::outerWidget(station.testWindow().hostWidget())->geometry();
    EXPECT_EQ(ui::MdiChild::outerWidget(options)->pos(), main.topLeft() + corner);
    EXPECT_TRUE(ui::MdiChild::liesInside(options, area)) << placeText(ui::MdiChild::outerWidget(options)->geometry());

    // The modal windows: "Database Options...", and the pre-test details of
    // a run with its "Lot Number by Electrode" window.
    QMap<QString, QRect> modal;
    station.whenModal([&](QWidget* w) {
        modal["Database Options"] = w->frameGeometry();
        w->close();
    });
    ASSERT_TRUE(station.choose("Database Options..."));
    station.connectSimulatedUnit(1, 2);
    ASSERT_TRUE(station.runUntil([&] { return station.button("Run Standard Sequence")->isEnabled(); }, 20000));
    station.whenModal([&](QWidget* w) {
        auto* details = qobject_cast<ui::TestDetailsDialog*>(w);
        ASSERT_NE(details, nullptr);
        modal["pre-test details"] = details->frameGeometry();
        station.whenModal([&](QWidget* lots) {
            EXPECT_NE(qobject_cast<ui::LotByElectrodeDialog*>(lots), nullptr);
            modal["Lot Numbers by Electrode"] = lots->frameGeometry();
            lots->close();
        });
        details->lotByElectrodeButton->click();
        details->cancelButton->click();
    });
    ASSERT_TRUE(station.click("Run Standard Sequence"));
    EXPECT_EQ(modal.keys(), (QStringList{"Database Options", "Lot Numbers by Electrode", "pre-test details"}));
    for (auto it = modal.cbegin(); it != modal.cend(); ++it)
        EXPECT_TRUE(areaOnScreen(station).contains(it.value()))
            << it.key().toStdString() << " at " << placeText(it.value());

    // The main windows are where they were.
    expectWindowsFit(station);
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
