#pragma once
// The defib recovery (DEFR) results: the start acknowledgement that lets the
// test clock trigger the charge, and the final reply with its 4 s and 60 s
// offsets, both judged. Interim replies are not looked at.

#include <QString>

class ResultReplyFlow;

class DefibRecoveryResults {
public:
    explicit DefibRecoveryResults(ResultReplyFlow& flow) : m_flow(flow) {}

    void RXDefibRecoveryAck(int Index);
    void RXDefibRecoveryTestData(int Index, qint16 vCommChannelID, qint16 vZero, qint16 v750mV, qint16 v750mV_M,
                                 qint16 vZeroCorrect, qint16 vMeasure4, qint16 vMeasure60, qint16 vSeconds,
                                 bool vCompleted, double vGain, double vMeasurement4, double vMeasurement60);

private:
    ResultReplyFlow& m_flow;
};
