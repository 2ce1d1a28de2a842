#pragma once
// The one way every result handler treats a unit's reading: interim or
// final, one interim reading per channel and interval, data errors retried
// until the fifth, the verdict against the test's limit and warning, the
// verdict lines, the failure sound, and the recording, which is left out in
// calibration mode outside a burn-in. The handlers of each test type add
// their data-quality check, labels and special verdicts around it.

#include "run/FamilyVerdicts.h"
#include "run/VerdictLimits.h"

#include <QString>

#include <functional>

class RunHost;
class RunSequencer;
struct RunState;
class UnitLink;

class ResultReplyFlow {
public:
    ResultReplyFlow(RunSequencer& sequencer, RunHost& host);

    // What became of a final reading's data-quality check.
    enum class DataCheck {
        Good,         // the electrode is complete; record the reading and judge it
        Retransmit,   // a retransmission was asked for; the electrode stays active
        Exhausted,    // the fifth bad reading: end the electrode with EndWithDataError
        NotRecorded,  // calibration mode: nothing counted, judge the reading only
    };

    RunState& State();
    // The limits and warnings in force.
    const config::Limits& Limits() const;
    UnitLink* Unit(int vUnit) const;
    bool RecordingAllowed() const;

    // Final reading: the unit marks it final and the start phase is over.
    bool IsFinal(bool vCompleted) const;

    // Interim reading: true when it is the channel's due reading of the
    // current interval (the start phase then ends); false drops it.
    bool TakeInterim(int vUnit, qint16 vChannel);
    // Records a due interim reading under the interval's label; bad data (or
    // a reading that is not a number) is replaced by the unit's last reading.
    void RecordInterim(int vUnit, qint16 vChannel, double vValue, bool vGoodData, const QString& vLabel,
                       qint32 vIntervalSeconds);
    // The same for an R1/R2 pair: bad data stores the unit's last pair.
    void RecordInterimPair(int vUnit, qint16 vChannel, double vValue1, double vValue2, bool vGoodData,
                           const QString& vLabel, qint32 vIntervalSeconds);

    // "* <test> Test Complete on Electrode <name>".
    void WriteCompletion(const QString& vTestName, int vUnit, qint16 vChannel);
    // The data-quality check of a final reading; a value that is not a
    // number is bad data whatever the raw words say.
    DataCheck CheckFinalData(int vUnit, qint16 vChannel, bool vBadData, double vValue);
    // The electrode's test ends on its data errors with the code and line
    // given; vBeforeSound runs after the code is stored.
    void EndWithDataError(int vUnit, qint16 vChannel, const QString& vCode, const QString& vLine,
                          const std::function<void()>& vBeforeSound = {});
    // The same with "ERR" and its " Data Error" line.
    void EndWithERR(int vUnit, qint16 vChannel, const std::function<void()>& vBeforeSound = {});

    // The verdict on a final value, with its FAIL line and sound and the
    // expired-calibration pass.
    QString Judge(int vUnit, qint16 vChannel, double vValue, const LimitPair& vLimits);
    // A verdict made on several values: its lines and sound, and the
    // expired-calibration pass when vAskExpiry.
    QString Apply(int vUnit, qint16 vChannel, const Verdict& vVerdict, bool vAskExpiry = true);

    void RecordMeasurement(int vUnit, qint16 vChannel, const QString& vLabel, double vValue, qint32 vIntervalSeconds);
    void RecordPair(int vUnit, qint16 vChannel, const QString& vLabel, double vValue1, double vValue2,
                    qint32 vIntervalSeconds);
    // One of the four SDR readings of the electrode's unit (point 1..4).
    void RecordSDRPoint(int vUnit, qint16 vChannel, int vPoint, const QString& vLabel, double vValue,
                        qint32 vIntervalSeconds);
    void RecordResult(int vUnit, qint16 vChannel, const QString& vCode);

    void Write(const QString& vLine);
    void PlayFailureSound();

private:
    RunSequencer& m_sequencer;
    RunHost& m_host;
};
