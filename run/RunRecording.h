#pragma once
// The one road by which a run's results reach the results database: the
// test group at the start of a run, the test and test-unit records of each
// step, every reading and verdict, the pace results, the averaged ACLG
// verdicts and the condensed report group at the end of a ZAMO80-mode run,
// and the database side of a cancelled run. The recording owns the run's record keys; every
// reading of one unit at one time point goes into one row, every verdict of
// one test unit into one row.
//
// The readings and verdicts of one turn of the event loop are written
// together at its end (ReadingBatch): one commit for a reading of every
// electrode. Their "recorded" lines go to the operator log once they are
// stored; every other record waits for them, so that the rows go in the
// order the run made them.
//
// A record that cannot be written is a database failure of the run: each
// lost record is told in the operator log ("* Unable to record ..."), and
// the failure goes to the main window once per run (the run stopped, its
// box); the lost records of the run are counted for its end. A verdict is stored together with its reading or not at
// all; what was stored before stays.
//
// Members are implemented in:
//   RunRecording.cpp             group, test and test-unit records, run end
//   RunRecordingReadings.cpp     readings, verdicts and pace results
//   RunRecordingAverage.cpp      the averaged ACLG verdicts
//   RunRecordingDiagnostics.cpp  the units' diagnostics

#include "run/ReadingBatch.h"
#include "run/RunRecordKeys.h"
#include "run/RunRecorder.h"

#include <QObject>
#include <QString>

#include <array>
#include <functional>

namespace unit {
class Unit;
}
namespace platform {
class DbConnection;
}

namespace config {
struct StationSettings;
}
namespace results {
class ResultsDatabase;
class TestGroupEnd;
} // namespace results
namespace testlists {
class StationTestLists;
}

namespace run {

class MeasurementSchedule;
class RunHost;
struct RunState;

class RunRecording : public RunRecorder {
public:
    // settings: the station's settings (limits, diagnostics, demo mode);
    // schedule: the step's, whose interval reading a recorded measurement
    // takes; database and groupEnds: the station's connection and the ends
    // of its test groups; testLists: the station's, whose active list the
    // averaged ACLG verdicts count. All kept by reference.
    RunRecording(RunState& state, MeasurementSchedule& schedule, RunHost& host, const config::StationSettings& settings,
                 results::ResultsDatabase& database, results::TestGroupEnd& groupEnds,
                 const testlists::StationTestLists& testLists, const std::array<unit::Unit*, 2>& units);

    // ---- RunRecorder ----
    qint32 createTestGroupRecord() override;
    void createTestRecords(const QString& testType, bool pace, testlists::TestStep& test) override;
    void closeAbortedTestGroup(qint32 groupID) override;
    void completeTestGroup(qint32 groupID, const QDateTime& completed) override;
    qint32 getUniqueGroupID(qint32 groupID) override;
    QDateTime getGroupDateExecuted(qint32 groupID) override;
    void recordAverageACLGResults(qint32 groupID, const AclgSums& sums) override;
    void buildCondensedZamo80Report(qint32 groupID) override;
    qint32 groupId() const override { return m_keys.groupId; }
    void clearKeys() override { m_keys = RunRecordKeys(); }
    void takePaceStepKeys(const testlists::TestStep& step) override;

    // ---- what the result handlers call ----
    // One reading (or an R1/R2 pair) of channel 0..15 of the unit under
    // the interval label; SDR readings go to the row of their point 1..4.
    void recordChannelMeasurement(UnitIndex unit, int channel, const QString& label, double value, bool useSDRPoint,
                                  int sdrPoint, double value2, bool twoReadings, bool inhibitDisplay,
                                  qint32 intervalSeconds) override;
    void recordChannelResult(UnitIndex unit, int channel, const QString& result, bool inhibitDisplay) override;
    void recordUnitDiagnostics(UnitIndex unit, qint32 groupID, const QStringList& diagnostics, bool newModel) override;
    void recordPaceTestResult(UnitIndex unit, int channel, qint32 duration, bool secondary, testlists::TestStep& test,
                              bool padsRolled, bool rolledStatusMsgOnly) override;
    // The planned number of ACLG runs: testCount summed over the ACLG steps of the operator's list.
    int countACLGTests() const;
    // "h:mm" of a number of seconds (5400 gives 1:30).
    static QString formatHoursMinutes(qint32 seconds);

    void flushReadings() override;
    int lostRecords() const override { return m_lostRecords; }

    // The run's record keys; tests and the benchmark set them to stand for a run.
    RunRecordKeys& keys() { return m_keys; }
    const RunRecordKeys& keys() const { return m_keys; }

private:
    bool zamo80Mode() const;
    bool isZamo24() const;
    unit::Unit* unitAt(UnitIndex unit) const;
    // The first channel of the unit that the step selects and the unit has, or -1.
    int firstSelectedChannel(const testlists::TestStep& step, UnitIndex unit) const;
    void log(const QString& line, bool inhibitDisplay = false);
    // Runs a write on the open connection (after the waiting readings); a
    // failure is a database failure of the run.
    bool write(const QString& what, const std::function<void()>& write);
    // Opens the connection and writes the records named by what; a failure
    // of either goes to Fail.
    bool attempt(const QStringList& what, const std::function<void(platform::DbConnection&)>& write);
    // "* Unable to record <what>: <cause>" for each lost record, and the
    // failure to the main window unless this run's was told already.
    void fail(const QStringList& what, const QString& cause);
    void postFlush();
    qint32& key(const ReadingBatch::Slot& slot);
    void storeReadings(const ReadingBatch& batch, qint32 group, const QList<qint32>& keys);
    void recordAverageOfChannel(int channel, double r1, double r2, qint32& rowR1, qint32& rowR2);

    RunState& m_state;
    MeasurementSchedule& m_schedule;
    RunRecordKeys m_keys;
    RunHost& m_host;
    const config::StationSettings& m_settings;
    results::ResultsDatabase& m_database;
    results::TestGroupEnd& m_groupEnds;
    const testlists::StationTestLists& m_testLists;
    std::array<unit::Unit*, 2> m_units;
    ReadingBatch m_pending;
    qint32 m_pendingGroup = 0; // the group of the run the waiting readings belong to
    // The group of the last run created in ZAMO80 mode: whatever is connected
    // when it is cancelled, it gets its condensed group.
    qint32 m_zamo80GroupId = 0;
    ReadingBatch::StoredIntervals m_storedIntervals;
    QObject m_turnEnd; // receives the end-of-turn write; pending calls die with it
    bool m_flushPosted = false;
    bool m_failureTold = false; // this run's database failure went to the main window
    int m_lostRecords = 0;      // of this run
};

} // namespace run
