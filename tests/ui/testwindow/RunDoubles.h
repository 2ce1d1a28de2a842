#pragma once
// Recording stand-ins for the records, the reports, the database and the
// pre-test details of a run.

#include "run/DatabaseAccess.h"
#include "run/PreTestDetails.h"
#include "run/ReportActions.h"
#include "run/RunRecorder.h"

#include <QStringList>

#include <functional>

class RecordingRecorder : public RunRecorder {
public:
    qint32 nextGroup = 5;
    QStringList calls;
    // Runs when a group is cancelled (a write that fails, for example).
    std::function<void()> onCancel;

    qint32 CreateTestGroupRecord() override
    {
        calls << "GROUP " + QString::number(nextGroup);
        return nextGroup++;
    }
    void CreateTestRecords(const QString& type, bool pace, clsTestSequence&) override
    {
        calls << "TEST " + type + (pace ? " PACE" : "");
    }
    void CloseAbortedTestGroup(qint32 g) override
    {
        calls << "CANCEL GROUP " + QString::number(g);
        if (onCancel)
            onCancel();
    }
    void CompleteTestGroup(qint32 g, const QDateTime&) override { calls << "COMPLETE GROUP " + QString::number(g); }
    qint32 GetUniqueGroupID(qint32 g) override { return g + 1000; }
    QDateTime GetGroupDateExecuted(qint32) override { return QDateTime(QDate(2024, 3, 7), QTime(9, 5, 2)); }
    void RecordAverageACLGResults(qint32) override { calls << "AVG_ACLG"; }
    void RecordUnitDiagnostics(int unit, qint32 g, const QStringList& values, bool newModel) override
    {
        calls << QString("DIAG unit %1 group %2 %3 %4").arg(unit).arg(g).arg(newModel ? "ZAMO80" : "ZAMO").arg(values.join(","));
    }
    void BuildCondensedZamo80Report(qint32 g) override { calls << "CONDENSED " + QString::number(g); }
};

class RecordingReports : public ReportActions {
public:
    bool exportWrites = true;
    QStringList calls;

    void OpenTestReport(qint32 uid, bool condensed, const QString&, bool zamo80) override
    {
        calls << QString("OPEN %1 %2 %3").arg(uid).arg(condensed).arg(zamo80);
    }
    bool ExportReport(qint32 uid, const QDateTime&, const QString& format, const QString&, const QString&,
                      bool condensed, bool zamo80) override
    {
        calls << QString("EXPORT %1 %2 %3 %4").arg(uid).arg(format).arg(condensed).arg(zamo80);
        return exportWrites;
    }
    void PrintTestReport(qint32 uid, const QString&, bool condensed, bool zamo80) override
    {
        calls << QString("PRINT %1 %2 %3").arg(uid).arg(condensed).arg(zamo80);
    }
    void PrintCondensedTestReport(qint32 uid, const QString&) override
    {
        calls << QString("PRINT CONDENSED %1").arg(uid);
    }
};

class RecordingDatabase : public DatabaseAccess {
public:
    bool opens = true;
    bool failureReported = false;
    int revisionReads = 0;
    int closes = 0;

    bool OpenDatabase(bool) override { return opens; }
    void CloseDatabase() override { ++closes; }
    qint32 GetDBRevNumber(const QString&) override
    {
        ++revisionReads;
        return 15;
    }
    bool ConnectFailureReported() const override { return failureReported; }
};

class ScriptedPreTestDetailsPrompt : public PreTestDetailsPrompt {
public:
    bool accept = true;
    // What the operator enters when accepting.
    PreTestDetails answer;
    int shown = 0;
    std::optional<PreTestDetails> ask() override
    {
        ++shown;
        if (!accept)
            return std::nullopt;
        return answer;
    }
};
