// A lot pasted into the pre-test details window is taken only as far as the
// group stores it whole, so that what the operator saw in the box is what
// the database and the report hold.
#include "platform/DbConnection.h"
#include "support/StationHarness.h"
#include "ui/testwindow/TestDetailsDialog.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

TEST(LongLotRun, APastedLotLongerThanIsStoredIsCutInTheBoxAndStoredAsTheBoxShowsIt)
{
    testsupport::StationHarness station;
    ASSERT_TRUE(station.startWithSimulatedList("A1-B1", {"ACZ,A1-B1,1"}));
    ui::TestWindow& form = station.testWindow();

    const QString notes = QString(20000, 'n');
    QString shown;
    station.whenModal([&](QWidget* modal) {
        if (auto* details = qobject_cast<ui::TestDetailsDialog*>(modal)) {
            details->lotNumberEdit->insert(QString(4000, 'L') + QString(2000, 'M')); // as a paste
            details->notesEdit->setPlainText(notes);
            shown = details->lotNumberEdit->text();
            details->startTestButton->click();
        }
    });
    form.testListPanel().runButton()->click();
    ASSERT_TRUE(form.testRunning());
    ASSERT_TRUE(station.runUntil([&] { return !form.testRunning(); }, 120000));

    EXPECT_EQ(shown, QString(4000, 'L') + QString(1000, 'M'));
    platform::DbConnection db;
    db.openFile(station.stationSettings().paths.databaseFile, true);
    platform::DbRecordset group = db.execute("SELECT LotNumber, Notes FROM TestGroups");
    EXPECT_EQ(group.value("LotNumber").toString(), shown);
    EXPECT_EQ(group.value("Notes").toString(), notes) << "notes have no stored limit";
}

} // namespace
