#pragma once
// The SDR result: two supply status words, the DC offset at the start of the
// recovery and three recovery slopes, stored as the four SDR readings of the
// electrode's unit and judged in one chain. A reply the unit marks final is
// always final; interim replies only set the test clock to the unit's seconds.

#include <QString>

class ResultReplyFlow;

class SDRResults {
public:
    explicit SDRResults(ResultReplyFlow& flow) : m_flow(flow) {}

    void RXSDRTestData(int Index, qint16 vCommChannelID, qint16 vZero, qint16 v50mV, qint16 v200VOk, qint16 v2VOk,
                       qint16 vInitial, qint16 vMeasure1, qint16 vMeasure2, qint16 vMeasure3, qint16 vSecond,
                       bool vCompleted, double vGain, double vInitialMeasurement, double vRate1, double vRate2,
                       double vRate3);

private:
    void Resync(qint16 vSecond);

    ResultReplyFlow& m_flow;
};
