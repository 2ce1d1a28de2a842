#pragma once
// Recording stand-ins for the records, the reports, the database and the
// pre-test details of a run, and a fixture's part that puts them into the
// run's services.

#include "run/DatabaseAccess.h"
#include "run/PreTestDetails.h"
#include "run/ReportActions.h"
#include "run/RunHost.h"
#include "run/RunRecorder.h"
#include "run/RunServices.h"
#include "unit/UnitReadings.h"

#include <QStringList>

#include <functional>
#include <memory>
#include <stdexcept>

class RecordingRecorder : public run::RunRecorder {
public:
    qint32 nextGroup = 5;
    QStringList calls;
    // Runs when a group is cancelled (a write that fails, for example).
    std::function<void()> onCancel;

    qint32 group = 0; // the run's group: the last one created, until the run ends

    qint32 createTestGroupRecord() override
    {
        calls << "GROUP " + QString::number(nextGroup);
        group = nextGroup++;
        return group;
    }
    qint32 groupId() const override { return group; }
    void clearKeys() override { group = 0; }
    void takePaceStepKeys(const testlists::TestStep&) override {}
    void createTestRecords(const QString& type, bool pace, testlists::TestStep&) override
    {
        calls << "TEST " + type + (pace ? " PACE" : "");
    }
    void closeAbortedTestGroup(qint32 g) override
    {
        calls << "CANCEL GROUP " + QString::number(g);
        if (onCancel)
            onCancel();
    }
    void completeTestGroup(qint32 g, const QDateTime&) override { calls << "COMPLETE GROUP " + QString::number(g); }
    qint32 getUniqueGroupID(qint32 g) override { return g + 1000; }
    QDateTime getGroupDateExecuted(qint32) override { return QDateTime(QDate(2024, 3, 7), QTime(9, 5, 2)); }
    void recordAverageACLGResults(qint32, const run::AclgSums&) override { calls << "AVG_ACLG"; }
    void recordUnitDiagnostics(run::UnitIndex unit, qint32 g, const QStringList& values, bool newModel) override
    {
        calls << QString("DIAG unit %1 group %2 %3 %4")
                     .arg(unit.number())
                     .arg(g)
                     .arg(newModel ? "ZAMO80" : "ZAMO")
                     .arg(values.join(","));
    }
    void buildCondensedZamo80Report(qint32 g) override { calls << "CONDENSED " + QString::number(g); }
    // Readings and verdicts are counted apart from the calls; pace results are counted and named in them.
    void recordChannelMeasurement(run::UnitIndex, int, const QString&, double, bool, int, double, bool, bool,
                                  qint32) override
    {
        ++measurementCount;
    }
    void recordChannelResult(run::UnitIndex, int, const QString&, bool) override { ++resultCount; }
    int measurementCount = 0;
    int resultCount = 0;
    int paceResultCount = 0;
    void recordPaceTestResult(run::UnitIndex unit, int channel, qint32 duration, bool secondary, testlists::TestStep&,
                              bool rolled, bool rolledOnly) override
    {
        ++paceResultCount;
        calls << QString("PACE unit %1 channel %2 %3 s%4%5%6")
                     .arg(unit.number())
                     .arg(channel)
                     .arg(duration)
                     .arg(secondary ? " secondary" : "")
                     .arg(rolled ? " rolled" : "")
                     .arg(rolledOnly ? " status only" : "");
    }
};

// Keeps every reading and verdict as a short line.
class ResultRecorder : public RecordingRecorder {
public:
    QStringList readings;
    QStringList results;
    bool failResults = false; // a verdict that cannot be stored

    // "A1 61 1.500 61"; a pair adds "/ R2", an SDR reading "P<point>".
    void recordChannelMeasurement(run::UnitIndex unit, int channel, const QString& label, double value, bool sdr,
                                  int point, double value2, bool pair, bool, qint32 seconds) override
    {
        readings << QString("%1%2 %3 %4 %5")
                            .arg(QChar(char16_t(65 + channel)))
                            .arg(unit.number())
                            .arg(label)
                            .arg(value, 0, 'f', 3)
                            .arg(seconds)
                        + (pair ? QString(" / %1").arg(value2, 0, 'f', 3) : QString())
                        + (sdr ? QString(" P%1").arg(point) : QString());
    }
    void recordChannelResult(run::UnitIndex unit, int channel, const QString& result, bool) override
    {
        if (failResults)
            throw std::runtime_error("results table locked");
        results << QString("%1%2 %3").arg(QChar(char16_t(65 + channel))).arg(unit.number()).arg(result);
    }
};

// A run host that shows nothing: its window calls do nothing; a host of a
// test says where the operator's lines go (writeToCommTextBox).
class QuietRunHost : public run::RunHost {
public:
    void updateProgress(int, int) override {}
    void advanceProgress() override {}
    void setCompletionCaption(const QString&) override {}
    void setRunLockedControls(bool) override {}
    void showDischargeWarning() override {}
    void playTestsCompletedSound() override {}
    void rollChannel(qint16) override {}
    void showPaceRollPrompt(std::shared_ptr<run::PaceRollPrompt>) override {}
};

// A final ACZ reply of unit 1; good raw words unless said otherwise.
inline unit::UnitReply aczReply(qint16 channel, double value, qint16 measureHigh = 0, qint16 zero = 100,
                                bool zamo80 = false, qint16 vcc = 100, bool completed = true)
{
    return {1, channel, unit::AczReading{zero, 500, measureHigh, 300, vcc, completed, 1.0, value, 5.0, zamo80}};
}
inline unit::UnitReply acz30Reply(qint16 channel, double value, qint16 measureHigh = 0, bool completed = true)
{
    return {1, channel, unit::Acz30Reading{100, 500, measureHigh, 300, 7, completed, 1.0, value, true}};
}

// ACZ(...) and ACZ30(...) for a fixture: a final reply of unit 1 (see
// aczReply, acz30Reply) given to the fixture's handlers().
template <typename Fixture>
class AczReplies {
protected:
    template <typename... Args>
    void ACZ(Args... args)
    {
        static_cast<Fixture&>(*this).handlers().handle(aczReply(args...));
    }
    template <typename... Args>
    void ACZ30(Args... args)
    {
        static_cast<Fixture&>(*this).handlers().handle(acz30Reply(args...));
    }
};

class RecordingReports : public run::ReportActions {
public:
    bool exportWrites = true;
    QStringList calls;

    void openTestReport(qint64 uid, bool condensed, const QString&, bool zamo80) override
    {
        calls << QString("OPEN %1 %2 %3").arg(uid).arg(condensed).arg(zamo80);
    }
    bool exportReport(qint64 uid, const QDateTime&, const QString& format, const QString&, const QString&,
                      bool condensed, bool zamo80) override
    {
        calls << QString("EXPORT %1 %2 %3 %4").arg(uid).arg(format).arg(condensed).arg(zamo80);
        return exportWrites;
    }
    void printTestReport(qint64 uid, const QString&, bool condensed, bool zamo80) override
    {
        calls << QString("PRINT %1 %2 %3").arg(uid).arg(condensed).arg(zamo80);
    }
    void printCondensedTestReport(qint64 uid, const QString&) override
    {
        calls << QString("PRINT CONDENSED %1").arg(uid);
    }
};

class RecordingDatabase : public run::DatabaseAccess {
public:
    bool opens = true;
    bool failureReported = false;
    int revisionReads = 0;
    int closes = 0;

    bool openDatabase(bool) override { return opens; }
    void closeDatabase() override { ++closes; }
    qint32 getDBRevNumber(const QString&) override
    {
        ++revisionReads;
        return 15;
    }
    bool connectFailureReported() const override { return failureReported; }
};

class ScriptedPreTestDetailsPrompt : public run::PreTestDetailsPrompt {
public:
    bool accept = true;
    // What the operator enters when accepting.
    run::PreTestDetails answer;
    int shown = 0;
    std::optional<run::PreTestDetails> ask() override
    {
        ++shown;
        if (!accept)
            return std::nullopt;
        return answer;
    }
};

// The recording stand-ins of a fixture's run: installRecordingServices puts
// them into the run's services, the fixture keeps them at hand.
class RecordingServices {
protected:
    void installRecordingServices(run::RunServices& services)
    {
        recorder = install<RecordingRecorder>(services.recorder);
        reports = install<RecordingReports>(services.reports);
        database = install<RecordingDatabase>(services.database);
        details = install<ScriptedPreTestDetailsPrompt>(services.preTestDetails);
    }
    // A new Double in the service's slot; the slot owns it.
    template <typename Double, typename Service>
    static Double* install(std::unique_ptr<Service>& slot)
    {
        auto owned = std::make_unique<Double>();
        Double* kept = owned.get();
        slot = std::move(owned);
        return kept;
    }

    RecordingRecorder* recorder = nullptr;
    RecordingReports* reports = nullptr;
    RecordingDatabase* database = nullptr;
    ScriptedPreTestDetailsPrompt* details = nullptr;
};
