#pragma once
// The impedance results: ACZ and ACZ30 readings judged by the verdict rules
// with the open-circuit verdict FAIL_O added, the open-circuit flags of the
// ZAMO80 pre-check, and the end of the ACZ30 zero routine.

#include "unit/UnitReadings.h"

#include <QString>

namespace run {

class ResultReplyFlow;
struct LimitPair;

class ImpedanceResults {
public:
    explicit ImpedanceResults(ResultReplyFlow& flow) : m_flow(flow) {}

    void rxaczTestData(int Index, qint16 commChannelID, const unit::AczReading& reading);
    void rxacz30TestData(int Index, qint16 commChannelID, const unit::Acz30Reading& reading);
    void rxacz30ZeroTestData(int Index, qint16 commChannelID, qint16 zeroValue);

    // At or below these signed values the electrode is open.
    static constexpr double ACZOpenThreshold = -100.0;
    static constexpr double ACZ30OpenThreshold = -10.0;

private:
    struct FinalReading {
        QString testName;
        int unit;
        qint16 channel;
        bool badData;
        qint16 measureHigh;
        double value;
        double openThreshold;
        const LimitPair& limits;
        bool setsOpenCircuitFlags;
    };
    void handleFinal(const FinalReading& r);
    void setOpenCircuitFlag(int unitValue, qint16 channelValue, bool open);
    QString failedOpenLine(int unitValue, qint16 channelValue) const;

    ResultReplyFlow& m_flow;
};

} // namespace run
