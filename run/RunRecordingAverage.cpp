#include "config/StationSettings.h"
#include "results/RunRecordWriters.h"
#include "results/WriterSupport.h"
#include "run/AclgSums.h"
#include "run/RunRecording.h"
#include "run/RunState.h"
#include "testlists/StationTestLists.h"
#include "unit/Unit.h"

#include <algorithm>
#include <cmath>

namespace run {

int RunRecording::countACLGTests() const
{
    int count = 0;
    for (const auto& step : m_testLists.active)
        if (step && step->testType() == QLatin1String("ACLG"))
            count += step->testCount();
    return count;
}

void RunRecording::recordAverageACLGResults(qint32 groupID, const AclgSums& sums)
{
    const int count = countACLGTests();
    if (!zamo80Mode() || count == 0)
        return;
    flushReadings();
    RunRecordKeys& keys = m_keys;
    keys = RunRecordKeys();
    keys.groupId = groupID;
    // After every step of the run (the last may be a roll step, which has no parent of its own).
    qint32 parent = 0;
    for (const auto& step : std::as_const(m_state.lists.expanded))
        if (step)
            parent = std::max(parent, step->parentID());
    ++parent;
    write(QStringLiteral("the AVG_ACLG test"), [&] {
        keys.testId = results::recordTestStart(m_database, groupID, QStringLiteral("AVG_ACLG"), parent, QString(),
                                               m_state.reportOptions.averageAclg);
    });
    write(QStringLiteral("the AVG_ACLG test unit"),
          [&] { keys.testUnitId[UnitIndex::first()] = results::recordTestUnitStart(m_database, keys.testId, 1, 1); });

    qint32 rowR1 = 0;
    qint32 rowR2 = 0;
    for (std::size_t channel = 0; channel < AclgSums::Channels; ++channel)
        if (sums.holdsReadings(channel))
            recordAverageOfChannel(int(channel), AclgSums::average(sums.first(channel), count),
                                   AclgSums::average(sums.second(channel), count), rowR1, rowR2);
    flushReadings(); // the condensed report that follows reads these verdicts
    keys = RunRecordKeys();
}

void RunRecording::recordAverageOfChannel(int channel, double r1, double r2, qint32& rowR1, qint32& rowR2)
{
    const double limit = m_settings.limits.limitZamo80Aclg;
    const double warning = m_settings.limits.warningZamo80Aclg;
    const QString letter = results::channelLetter(channel);
    const qint32 testUnit = m_keys.testUnitId[UnitIndex::first()];
    QString verdict;
    if (isZamo24()) {
        write(QStringLiteral("the AVG_ACLG reading of ") + letter + QStringLiteral("1"), [&] {
            rowR1 = results::recordMeasurement(m_database, rowR1, testUnit, QStringLiteral("61_R1"), letter, r1, 61);
        });
        write(QStringLiteral("the AVG_ACLG reading of ") + letter + QStringLiteral("1"), [&] {
            rowR2 = results::recordMeasurement(m_database, rowR2, testUnit, QStringLiteral("61_R2"), letter, r2, 61);
        });
        if (std::abs(r1) > limit || std::abs(r2) > limit)
            verdict = QStringLiteral("FAIL");
        else if (std::abs(r1) < warning && std::abs(r2) < warning)
            verdict = QStringLiteral("PASS");
        else
            verdict = QStringLiteral("PASS?");
    } else {
        write(QStringLiteral("the AVG_ACLG reading of ") + letter + QStringLiteral("1"), [&] {
            rowR1 = results::recordMeasurement(m_database, rowR1, testUnit, QStringLiteral("61"), letter, r1, 61);
        });
        if (std::abs(r1) > limit)
            verdict = QStringLiteral("FAIL");
        else if (std::abs(r1) >= warning)
            verdict = QStringLiteral("PASS?");
        else
            verdict = QStringLiteral("PASS");
    }
    unit::Unit* unit1 = unitAt(UnitIndex::first());
    if (verdict != QLatin1String("FAIL") && unit1
        && unit1->electrodeChannelCalibrationExpired(static_cast<qint16>(channel)))
        verdict = QStringLiteral("PASS*");
    recordChannelResult(UnitIndex::first(), channel, verdict, true);
}

} // namespace run
