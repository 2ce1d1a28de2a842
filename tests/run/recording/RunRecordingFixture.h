#pragma once
// The recording of a run on each back end: two recording units that also
// keep their channel records and last readings, a host that keeps the
// operator lines, and the run state the recording works on.

#include "../RecordingUnit.h"
#include "run/RunHost.h"
#include "run/RunRecording.h"
#include "run/RunState.h"
#include "support/WriterFixture.h"
#include "unit/ChannelRecord.h"

#include <QCoreApplication>

#include <map>

class RecordedUnit : public RecordingUnit {
public:
    QVector<std::shared_ptr<clsElectrode>> electrodes;
    std::map<int, std::pair<double, double>> lastReadings;
    std::array<bool, 16> calibrationExpired{};
    int diagnosticsPolls = 0;

    QVector<std::shared_ptr<clsElectrode>> GetElectrodeArray() override
    {
        return connected ? electrodes : QVector<std::shared_ptr<clsElectrode>>();
    }
    void TXMasterDiagnosticsPollingMode(qint32) override { ++diagnosticsPolls; }
    void SetElectrodeLastMeasurement(qint16 ch, double v, double v2) override { lastReadings[ch] = {v, v2}; }
    bool ElectrodeChannelCalibrationExpired(qint16 ch) override { return calibrationExpired[std::size_t(ch)]; }
    double GetPaceAmplitude(qint16 ch, qint16 type) override { return 10 * type + ch; }
    double GetPacePulseWidth(qint16, qint16 type) override { return 0.5 * type; }
    double GetPaceBPM(qint16, qint16 type) override { return 60.0 + type; }
};

class RecordingHost : public RunHost {
public:
    QStringList lines;
    QString caption = "unset";

    void WriteToCommTextBox(const QString& text, bool, bool) override { lines << text; }
    void UpdateProgress(int, int) override {}
    void AdvanceProgress() override {}
    void SetCompletionCaption(const QString& c) override { caption = c; }
    void SetRunLockedControls(bool) override {}
    void ShowDischargeWarning() override {}
    void PlayTestsCompletedSound() override {}
    void RollChannel(qint16) override {}
};

class RunRecordingTest : public WriterTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // The channel records of a unit with the electrodes given (unitWith).
    static QVector<std::shared_ptr<clsElectrode>> channelRecords(const modDatabase::UnitElectrodes& electrodes);
    // A step of the given line (for example "ACZ,A1-C1.A2,1").
    static std::shared_ptr<clsTestSequence> step(const QString& line, qint32 parentID = 1);
    // The end of the event loop's turn, where the waiting readings are written.
    static void endTurn() { QCoreApplication::sendPostedEvents(); }
    bool groupIsZamo80(qint32 group) const
    {
        return scalar("SELECT Zamo80 FROM TestGroups WHERE GroupID = " + QString::number(group)).toBool();
    }

    RecordedUnit unit1;
    RecordedUnit unit2;
    RecordingHost host;
    RunState state;
    RunRecording recording{state, host, settings, {&unit1, &unit2}};
};
