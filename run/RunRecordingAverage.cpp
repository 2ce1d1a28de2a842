#include "run/RunRecording.h"

#include "config/StationSettings.h"
#include "results/RunRecordWriters.h"
#include "results/WriterSupport.h"
#include "run/RunState.h"
#include "testlists/StationTestLists.h"
#include "unit/Unit.h"

#include <cmath>

namespace {

constexpr double kEmpty = -99.0;

} // namespace

int RunRecording::CountACLGTests() const
{
    int count = 0;
    for (const auto& step : Globals::ActiveTestList)
        if (step && step->TestType() == QLatin1String("ACLG"))
            count += step->TestCount();
    return count;
}

void RunRecording::RecordAverageACLGResults(qint32 vGroupID)
{
    const int count = CountACLGTests();
    if (!Zamo80Mode() || count == 0)
        return;
    FlushReadings();
    RunRecordKeys& keys = m_state.Keys;
    keys = RunRecordKeys();
    keys.CurrentGroupID = vGroupID;
    for (auto& row : m_state.ACLGSums)
        for (double& sum : row)
            if (sum != kEmpty)
                sum /= count;

    const qint32 parent =
        (m_state.lists.expanded.isEmpty() || !m_state.lists.expanded.last() ? 0
                                                                                   : m_state.lists.expanded.last()->ParentID())
        + 1;
    Write(QStringLiteral("the AVG_ACLG test"), [&] {
        keys.CurrentTestID = modDatabase::RecordTestStart(vGroupID, QStringLiteral("AVG_ACLG"), parent, QString(),
                                                          m_state.reportOptions.averageAclg);
    });
    Write(QStringLiteral("the AVG_ACLG test unit"),
          [&] { keys.CurrentTestUnitID[1] = modDatabase::RecordTestUnitStart(keys.CurrentTestID, 1, 1); });

    qint32 rowR1 = 0;
    qint32 rowR2 = 0;
    for (int channel = 0; channel < 16; ++channel)
        if (m_state.ACLGSums[0][std::size_t(channel)] != kEmpty)
            RecordAverageOfChannel(channel, rowR1, rowR2);
    FlushReadings();   // the condensed report that follows reads these verdicts
    keys = RunRecordKeys();
}

void RunRecording::RecordAverageOfChannel(int channel, qint32& rowR1, qint32& rowR2)
{
    const double limit = m_settings.limits.limitZamo80Aclg;
    const double warning = m_settings.limits.warningZamo80Aclg;
    const QString letter = modDatabase::ChannelLetter(channel);
    const qint32 testUnit = m_state.Keys.CurrentTestUnitID[1];
    const double r1 = m_state.ACLGSums[0][std::size_t(channel)];
    QString verdict;
    if (Zamo24()) {
        const double r2 = m_state.ACLGSums[1][std::size_t(channel)];
        Write(QStringLiteral("the AVG_ACLG reading of ") + letter + QStringLiteral("1"), [&] {
            rowR1 = modDatabase::RecordMeasurement(rowR1, testUnit, QStringLiteral("61_R1"), letter, r1, 61);
        });
        Write(QStringLiteral("the AVG_ACLG reading of ") + letter + QStringLiteral("1"), [&] {
            rowR2 = modDatabase::RecordMeasurement(rowR2, testUnit, QStringLiteral("61_R2"), letter, r2, 61);
        });
        if (std::abs(r1) > limit || std::abs(r2) > limit)
            verdict = QStringLiteral("FAIL");
        else if (std::abs(r1) < warning && std::abs(r2) < warning)
            verdict = QStringLiteral("PASS");
        else
            verdict = QStringLiteral("PASS?");
    } else {
        Write(QStringLiteral("the AVG_ACLG reading of ") + letter + QStringLiteral("1"), [&] {
            rowR1 = modDatabase::RecordMeasurement(rowR1, testUnit, QStringLiteral("61"), letter, r1, 61);
        });
        if (std::abs(r1) > limit)
            verdict = QStringLiteral("FAIL");
        else if (std::abs(r1) >= warning)
            verdict = QStringLiteral("PASS?");
        else
            verdict = QStringLiteral("PASS");
    }
    UnitLink* unit1 = Unit(1);
    if (verdict != QLatin1String("FAIL") && unit1 && unit1->ElectrodeChannelCalibrationExpired(static_cast<qint16>(channel)))
        verdict = QStringLiteral("PASS*");
    RecordChannelResult(1, channel, verdict, true);
}
