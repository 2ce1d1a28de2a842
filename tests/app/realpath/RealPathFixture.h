#pragma once
// The station as an operator meets it: its own start-up, the Linux converter
// driver, the real clock, and units on pseudo-terminals that answer in real
// time from the wire protocol (UnitEmulator). Runs are kept to a one-step
// list of ACZ, the shortest test, so that each test takes seconds.

#include "support/FakeSerialTree.h"
#include "support/QtPrinters.h"
#include "support/StationHarness.h"
#include "support/UnitEmulator.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

// The text of every log file of a data folder, oldest first, as a station
// in a process of its own left them.
inline QString stationLogFiles(const QString& dataFolder)
{
    QString text;
    QDir dir(dataFolder + "/Log");
    for (const QString& name : dir.entryList({"*.log"}, QDir::Files, QDir::Name)) {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            text += QString::fromLatin1(file.readAll());
    }
    return text;
}

class RealPath : public ::testing::Test {
protected:
    using Unit = testsupport::UnitEmulator::Unit;
    using Model = testsupport::UnitEmulator::Model;

    // A run of ACZ takes one measurement (six seconds on the emulated
    // units) and two ticks of the run's five-second step timer.
    static constexpr int RunMs = 60000;
    static constexpr int ConnectMs = 10000;

    void SetUp() override
    {
        if (!testsupport::FakeSerialTree::pseudoTerminalsAvailable())
            GTEST_SKIP() << "This machine gives no pseudo-terminals";
    }

    // The standard list of ZAMO units is one ACZ step.
    void oneStepStandardList() { station.writeDataFile("standard.tsq", "1.0\nACZ,A1-P2,1\n"); }

    // "Connect Unit n" from the ZAMO Units menu; passes once the unit shows
    // its channels, and tells what it shows otherwise.
    ::testing::AssertionResult connectFromMenu(int n, const QString& status)
    {
        if (!station.choose(QStringLiteral("Connect Unit %1").arg(n)))
            return ::testing::AssertionFailure() << "\"Connect Unit " << n << "\" is not offered";
        if (!station.waitUntil([&] { return station.unitStatus(n) == status; }, ConnectMs))
            return ::testing::AssertionFailure()
                   << "unit " << n << " shows \"" << station.unitStatus(n).toStdString() << "\"";
        return ::testing::AssertionSuccess();
    }

    // "Run Standard Sequence", "Start Test" with a lot in the pre-test
    // details, then the run to its end; true when it ended in time.
    bool runStandardSequence(const QString& lot = QStringLiteral("Lot 1"))
    {
        if (!station.waitUntil([&] { return station.button("Run Standard Sequence")->isEnabled(); }, ConnectMs))
            return false;
        testsupport::StationHarness::startNextRunWithLot(lot);
        if (!station.click("Run Standard Sequence") || !station.testWindow().testRunning())
            return false;
        return station.waitUntil([&] { return !station.testWindow().testRunning(); }, RunMs);
    }

    testsupport::FakeSerialTree tree;
    testsupport::UnitEmulator units{tree};
    testsupport::StationHarness station{testsupport::StationHarness::RealTime{}};
};
