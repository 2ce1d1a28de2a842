#pragma once
// The records of a run as the sequencer asks for them: the test group, the
// test and test-unit records of each started step, and the group's end.

#include <QDateTime>
#include <QString>

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
    virtual void RecordAverageACLGResults() = 0;
    virtual void BuildCondensedZamo80Report(qint32 vGroupID) = 0;
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
    void RecordAverageACLGResults() override {}
    void BuildCondensedZamo80Report(qint32) override {}
};
