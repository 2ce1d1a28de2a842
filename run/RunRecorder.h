#pragma once
// The records of a run as the sequencer asks for them: the test group, the
// test and test-unit records of each started step, and the group's end.

#include "run/UnitIndex.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace testlists {
class TestStep;
}

namespace run {

class AclgSums;

class RunRecorder {
public:
    virtual ~RunRecorder() = default;
    // Creates the run's test group; its key, 0 when none was created.
    virtual qint32 createTestGroupRecord() = 0;
    // The test and test-unit records of a started step (pace: a pace step
    // running beside the run list keeps its keys on the step).
    virtual void createTestRecords(const QString& testType, bool pace, testlists::TestStep& test) = 0;
    // Marks the group cancelled and removes what a cancelled run leaves.
    virtual void closeAbortedTestGroup(qint32 groupID) = 0;
    virtual void completeTestGroup(qint32 groupID, const QDateTime& completed) = 0;
    virtual qint32 getUniqueGroupID(qint32 groupID) = 0;
    virtual QDateTime getGroupDateExecuted(qint32 groupID) = 0;
    // ZAMO80 mode, at the end of a run: the averages of the run's ACLG sums.
    virtual void recordAverageACLGResults(qint32 groupID, const AclgSums& sums) = 0;
    virtual void buildCondensedZamo80Report(qint32 groupID) = 0;
    // The key of the run's test group; 0 while there is none.
    virtual qint32 groupId() const = 0;
    // The run has ended: its record keys are gone.
    virtual void clearKeys() = 0;
    // A pace step beside the run list becomes the active step: the records
    // that follow go to the rows its own keys name.
    virtual void takePaceStepKeys(const testlists::TestStep& step) = 0;

    // What the result handlers store: one reading, or an R1/R2 pair, of channel 0..15 of
    // a unit under its interval label (SDR readings under their point
    // 1..4); one verdict; the duration verdict of a pace test.
    virtual void recordChannelMeasurement(UnitIndex unit, int channel, const QString& label, double value,
                                          bool useSDRPoint, int sdrPoint, double value2, bool twoReadings,
                                          bool inhibitDisplay, qint32 intervalSeconds) = 0;
    virtual void recordChannelResult(UnitIndex unit, int channel, const QString& result, bool inhibitDisplay) = 0;
    // One diagnostics row of the unit in the group (entries 1..9 of the
    // unit's diagnostics; newModel: the ZAMO80 column set).
    virtual void recordUnitDiagnostics(UnitIndex unit, qint32 groupID, const QStringList& diagnostics,
                                       bool newModel) = 0;
    virtual void recordPaceTestResult(UnitIndex unit, int channel, qint32 duration, bool secondary,
                                      testlists::TestStep& test, bool padsRolled, bool rolledStatusMsgOnly) = 0;

    // Writes the readings and verdicts that wait for the end of the turn.
    virtual void flushReadings() {}
    // The records of the run (since its group was asked for) that could not
    // be stored.
    virtual int lostRecords() const { return 0; }
};

// Records nothing.
class NoRunRecorder : public RunRecorder {
public:
    qint32 createTestGroupRecord() override { return 0; }
    void createTestRecords(const QString&, bool, testlists::TestStep&) override {}
    void closeAbortedTestGroup(qint32) override {}
    void completeTestGroup(qint32, const QDateTime&) override {}
    qint32 getUniqueGroupID(qint32) override { return 0; }
    QDateTime getGroupDateExecuted(qint32) override { return {}; }
    void recordAverageACLGResults(qint32, const AclgSums&) override {}
    void buildCondensedZamo80Report(qint32) override {}
    qint32 groupId() const override { return 0; }
    void clearKeys() override {}
    void takePaceStepKeys(const testlists::TestStep&) override {}
    void recordChannelMeasurement(UnitIndex, int, const QString&, double, bool, int, double, bool, bool,
                                  qint32) override
    {
    }
    void recordChannelResult(UnitIndex, int, const QString&, bool) override {}
    void recordUnitDiagnostics(UnitIndex, qint32, const QStringList&, bool) override {}
    void recordPaceTestResult(UnitIndex, int, qint32, bool, testlists::TestStep&, bool, bool) override {}
};

} // namespace run
