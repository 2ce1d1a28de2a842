#pragma once
// The records of a run as the sequencer asks for them: the test group, the
// test and test-unit records of each started step, and the group's end.

#include <QDateTime>
#include <QString>
#include <QStringList>

class clsTestSequence;

class RunRecorder {
public:
    virtual ~RunRecorder() = default;
    // Creates the run's test group; its key, 0 when none was created.
    virtual qint32 CreateTestGroupRecord() = 0;
    // The test and test-unit records of a started step (vPace: a pace step
    // running beside the run list keeps its keys on the step).
    virtual void CreateTestRecords(const QString& vTestType, bool vPace, clsTestSequence& vTest) = 0;
    // Marks the group cancelled and removes what a cancelled run leaves.
    virtual void CloseAbortedTestGroup(qint32 vGroupID) = 0;
    virtual void CompleteTestGroup(qint32 vGroupID, const QDateTime& vCompleted) = 0;
    virtual qint32 GetUniqueGroupID(qint32 vGroupID) = 0;
    virtual QDateTime GetGroupDateExecuted(qint32 vGroupID) = 0;
    // ZAMO80 mode, at the end of a run.
    virtual void RecordAverageACLGResults(qint32 vGroupID) = 0;
    virtual void BuildCondensedZamo80Report(qint32 vGroupID) = 0;

    // What the result handlers store (a recorder that keeps no readings
    // ignores them): one reading, or an R1/R2 pair, of channel 0..15 of
    // unit 1 or 2 under its interval label (SDR readings under their point
    // 1..4); one verdict; the duration verdict of a pace test.
    virtual void RecordChannelMeasurement(int unit, int channel, const QString& label, double value, bool useSDRPoint,
                                          int sdrPoint, double value2, bool twoReadings, bool inhibitDisplay,
                                          qint32 intervalSeconds)
    {
        (void)unit, (void)channel, (void)label, (void)value, (void)useSDRPoint, (void)sdrPoint, (void)value2,
            (void)twoReadings, (void)inhibitDisplay, (void)intervalSeconds;
    }
    virtual void RecordChannelResult(int unit, int channel, const QString& result, bool inhibitDisplay)
    {
        (void)unit, (void)channel, (void)result, (void)inhibitDisplay;
    }
    // One diagnostics row of unit 1 or 2 in the group (entries 1..9 of the
    // unit's diagnostics; vNewModel: the ZAMO80 column set).
    virtual void RecordUnitDiagnostics(int vUnit, qint32 vGroupID, const QStringList& vDiagnostics, bool vNewModel)
    {
        (void)vUnit, (void)vGroupID, (void)vDiagnostics, (void)vNewModel;
    }
    virtual void RecordPaceTestResult(int vUnitID, int vElectrodeIndex, qint32 vDuration, bool vSecondary,
                                      clsTestSequence& pTest, bool vPadsRolled, bool vRolledStatusMsgOnly)
    {
        (void)vUnitID, (void)vElectrodeIndex, (void)vDuration, (void)vSecondary, (void)pTest, (void)vPadsRolled,
            (void)vRolledStatusMsgOnly;
    }
};

// Records nothing.
class NoRunRecorder : public RunRecorder {
public:
    qint32 CreateTestGroupRecord() override { return 0; }
    void CreateTestRecords(const QString&, bool, clsTestSequence&) override {}
    void CloseAbortedTestGroup(qint32) override {}
    void CompleteTestGroup(qint32, const QDateTime&) override {}
    qint32 GetUniqueGroupID(qint32) override { return 0; }
    QDateTime GetGroupDateExecuted(qint32) override { return {}; }
    void RecordAverageACLGResults(qint32) override {}
    void BuildCondensedZamo80Report(qint32) override {}
};
