#pragma once
// The recording of a run on each back end: two recording units that also
// keep their channel records and last readings, a host that keeps the
// operator lines, and the run state the recording works on.

#include "../RecordingUnit.h"
#include "run/MeasurementSchedule.h"
#include "run/RunHost.h"
#include "run/RunRecording.h"
#include "run/RunState.h"
#include "support/WriterFixture.h"
#include "testlists/StationTestLists.h"
#include "unit/ChannelRecord.h"

#include <QCoreApplication>

#include <map>

class RecordedUnit : public RecordingUnit {
public:
    QVector<std::shared_ptr<unit::ChannelRecord>> electrodes;
    std::map<int, std::pair<double, double>> lastReadings;
    std::array<bool, 16> calibrationExpired{};
    int diagnosticsPolls = 0;

    QVector<std::shared_ptr<unit::ChannelRecord>> getElectrodeArray() override
    {
        return isConnected ? electrodes : QVector<std::shared_ptr<unit::ChannelRecord>>();
    }
    void txMasterDiagnosticsPollingMode(qint32) override { ++diagnosticsPolls; }
    void setElectrodeLastMeasurement(qint16 ch, double v, double v2) override { lastReadings[ch] = {v, v2}; }
    bool electrodeChannelCalibrationExpired(qint16 ch) override { return calibrationExpired[std::size_t(ch)]; }
    double getPaceAmplitude(qint16 ch, qint16 type) override { return 10 * type + ch; }
    double getPacePulseWidth(qint16, qint16 type) override { return 0.5 * type; }
    double getPaceBPM(qint16, qint16 type) override { return 60.0 + type; }
};

class RecordingHost : public run::RunHost {
public:
    QStringList lines;
    QString caption = "unset";

    void writeToCommTextBox(const QString& text, bool, bool) override { lines << text; }
    void updateProgress(int, int) override {}
    void advanceProgress() override {}
    void setCompletionCaption(const QString& c) override { caption = c; }
    void setRunLockedControls(bool) override {}
    void showDischargeWarning() override {}
    void playTestsCompletedSound() override {}
    void rollChannel(qint16) override {}
    void showPaceRollPrompt(std::shared_ptr<run::PaceRollPrompt>) override {}
};

class RunRecordingTest : public WriterTest {
protected:
    void SetUp() override;

    // The channel records of a unit with the electrodes given (unitWith).
    static QVector<std::shared_ptr<unit::ChannelRecord>> channelRecords(const results::UnitElectrodes& electrodes);
    // A step of the given line (for example "ACZ,A1-C1.A2,1").
    static std::shared_ptr<testlists::TestStep> step(const QString& line, qint32 parentID = 1);
    // The end of the event loop's turn, where the waiting readings are written.
    static void endTurn() { QCoreApplication::sendPostedEvents(); }
    bool groupIsZamo80(qint32 group) const
    {
        return scalar("SELECT Zamo80 FROM TestGroups WHERE GroupID = " + QString::number(group)).toBool();
    }

    RecordedUnit unit1;
    RecordedUnit unit2;
    RecordingHost host;
    run::RunState state;
    run::MeasurementSchedule schedule;
    testlists::StationTestLists testLists;
    run::RunRecording recording{state, schedule, host, settings, database, groupEnds, testLists, {&unit1, &unit2}};
};
