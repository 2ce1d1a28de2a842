#include "testlists/TestStep.h"

#include "platform/Clock.h"
#include "platform/Convert.h"
#include "testlists/ElectrodeSelectionItems.h"

#include <QStringList>

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace testlists {

namespace {

const QString kAllElectrodes = QStringLiteral("A1-P2");
const QString kNone = QStringLiteral("None");

bool isPace(const QString& type)
{
    return type == QLatin1String("PACE1") || type == QLatin1String("PACE2");
}

bool isCountType(const QString& type)
{
    static const QStringList types = {"DCO", "ACZ", "SDR", "NOISE", "ACZ30", "ACLG", "DEFR", "ACZ30ZERO", "SGROLL"};
    return types.contains(type);
}

QString flagText(bool value)
{
    return value ? QStringLiteral("-1") : QStringLiteral("0");
}

// The step line in its three layouts: BIAS, PACE and every other type.
QString composeLine(const QString& type, const QString& electrodes, qint32 count, qint32 biasHours, qint32 biasMinutes,
                    qint32 paceMinutes, bool prompt, bool concurrent)
{
    const QChar sep = QLatin1Char(',');
    if (type == QLatin1String("BIAS"))
        return type + sep + QString::number(biasHours) + QLatin1Char('/') + QString::number(biasMinutes) + sep
               + QString::number(count);
    if (isPace(type))
        return type + sep + electrodes + sep + QString::number(paceMinutes) + sep + flagText(prompt) + sep
               + flagText(concurrent);
    return type + sep + electrodes + sep + QString::number(count);
}

// Fields of a line: an empty line has none, a trailing separator adds no
// empty field, empty fields between separators are kept.
QStringList splitFields(const QString& line, QChar separator)
{
    QStringList fields;
    qsizetype from = 0;
    while (from < line.size()) {
        const qsizetype p = line.indexOf(separator, from);
        if (p < 0) {
            fields << line.mid(from);
            break;
        }
        fields << line.mid(from, p - from);
        from = p + 1;
    }
    return fields;
}

qint16 incremented(qint16 value)
{
    if (value == std::numeric_limits<qint16>::max())
        throw std::overflow_error("count would pass 32767");
    return static_cast<qint16>(value + 1);
}

} // namespace

int TestStep::checkedIndex(qint32 index)
{
    if (index < 0 || index >= electrodeCount)
        throw std::out_of_range("electrode index outside 0..31");
    return index;
}

// --- electrode selection ---

QString TestStep::findElectrodeNameByIndex(qint16 index)
{
    const int i = checkedIndex(index);
    if (i > 15)
        return QString(QChar(i + 49)) + QLatin1Char('2');
    return QString(QChar(i + 65)) + QLatin1Char('1');
}

qint16 TestStep::findElectrodeIndex(const QString& electrodeName)
{
    if (electrodeName.size() != 2)
        return 0;
    const QChar letter = electrodeName.at(0);
    const QChar unit = electrodeName.at(1);
    if (letter < QLatin1Char('A') || letter > QLatin1Char('P'))
        return 0;
    const int channel = letter.unicode() - 'A';
    if (unit == QLatin1Char('1'))
        return static_cast<qint16>(channel);
    if (unit == QLatin1Char('2'))
        return static_cast<qint16>(16 + channel);
    return 0;
}

void TestStep::setElectrodeString(const QString& selection)
{
    m_electrodeString = selection;
    parseElectrodeSelection(selection);
}

void TestStep::initElectrodesByString(const QString& electrodeString)
{
    parseElectrodeSelection(electrodeString);
    m_electrodeString = electrodeString;
}

bool TestStep::electrodeSelected(qint32 index) const
{
    return m_electrodeSelected[checkedIndex(index)];
}

bool TestStep::electrodeSelectedByIndex(qint16 index) const
{
    return electrodeSelected(index);
}

void TestStep::setElectrodeSelected(qint16 index, bool selected)
{
    m_electrodeSelected[checkedIndex(index)] = selected;
}

void TestStep::clearElectrodeSelection()
{
    m_electrodeSelected.fill(false);
}

void TestStep::setElectrodeSelectedByName(const QString& name, bool value)
{
    m_electrodeSelected[findElectrodeIndex(name)] = value;
}

bool TestStep::parseElectrodeSelection(const QString& selection)
{
    clearElectrodeSelection();
    if (selection == kNone)
        return true;
    return forEachElectrodeSelectionItem(selection, [this](const QString& name, const std::optional<QString>& end) {
        setElectrodeSelectedByName(name, true);
        if (end) {
            for (int i = findElectrodeIndex(name); i <= findElectrodeIndex(*end); ++i)
                m_electrodeSelected[i] = true;
        }
        return true;
    });
}

bool TestStep::isKnownType(const QString& testType)
{
    return isCountType(testType) || isPace(testType) || testType == QLatin1String("BIAS");
}

// --- line form ---

QString TestStep::testString() const
{
    return composeLine(m_testType, m_electrodeString, m_testCount, m_biasTestTime, m_biasSampleTime, m_paceTestTime,
                       m_showPaceRollPrompt, m_concurrentPaceRollPrompt);
}

bool TestStep::initByParams(const QString& testType, qint16 testCount, const QString& electrodes, qint16 biasTestTime,
                            qint16 biasSamplingInterval, bool paceRollPrompt, qint16 paceDuration, bool concurrentRoll)
{
    return initByString(composeLine(testType, electrodes, testCount, biasTestTime, biasSamplingInterval, paceDuration,
                                    paceRollPrompt, concurrentRoll));
}

bool TestStep::initByString(const QString& initString)
{
    return parseTestString(initString, QLatin1Char(','));
}

bool TestStep::parseTestString(const QString& line, QChar separator)
{
    const QStringList f = splitFields(line, separator);
    switch (f.size()) {
    case 3:
        m_testType = f[0];
        if (isCountType(m_testType))
            return setTestParams(f[1], f[2], QStringLiteral("0"), QStringLiteral("0"));
        if (m_testType == QLatin1String("BIAS"))
            return setBiasParams(f[1], f[2]);
        return false;
    case 4: m_testType = f[0]; return isPace(m_testType) && setTestParams(f[1], f[2], f[3], QStringLiteral("0"));
    case 5: m_testType = f[0]; return isPace(m_testType) && setTestParams(f[1], f[2], f[3], f[4]);
    default: return false;
    }
}

bool TestStep::setTestParams(const QString& electrodes, const QString& count, const QString& prompt,
                             const QString& concurrent)
{
    if (!parseElectrodeSelection(electrodes))
        return false;
    m_electrodeString = electrodes;

    const auto number = platform::Convert::toInt16(count);
    if (isPace(m_testType)) {
        m_testCount = 1;
        if (!number)
            return false;
        m_paceTestTime = *number;
    } else {
        if (!number)
            return false;
        m_testCount = *number;
    }

    const auto promptValue = platform::Convert::toInt16(prompt);
    if (!promptValue)
        return false;
    m_showPaceRollPrompt = *promptValue != 0;
    const auto concurrentValue = platform::Convert::toInt16(concurrent);
    if (!concurrentValue)
        return false;
    m_concurrentPaceRollPrompt = *concurrentValue != 0;
    return true;
}

bool TestStep::setBiasParams(const QString& timeAndInterval, const QString& count)
{
    setElectrodeString(kAllElectrodes);

    const qsizetype p = timeAndInterval.indexOf(QLatin1Char('/'));
    if (p < 0)
        return false;
    const auto hours = platform::Convert::toInt16(timeAndInterval.left(p));
    if (!hours)
        return false;
    m_biasTestTime = *hours;
    const auto minutes = platform::Convert::toInt16(timeAndInterval.mid(p + 1));
    if (!minutes)
        return false;
    m_biasSampleTime = *minutes;
    const auto iterations = platform::Convert::toInt16(count);
    if (!iterations)
        return false;
    m_testCount = *iterations;
    return true;
}

// --- durations ---

qint64 TestStep::singleTestDuration(const config::Zamo80Delays& delays, const config::PaceSettings& pace) const
{
    const QString& t = m_testType;
    if (t == QLatin1String("DCO"))
        return 65;
    if (t == QLatin1String("SDR"))
        return 50;
    if (t == QLatin1String("ACZ") || t == QLatin1String("ACZ30") || t == QLatin1String("ACZ30ZERO"))
        return 25;
    if (t == QLatin1String("NOISE"))
        return 365;
    if (t == QLatin1String("BIAS"))
        return qint64(m_biasTestTime) * 3600;
    if (t == QLatin1String("ACLG"))
        return qint64(delays.defibCharge) + 15;
    if (t == QLatin1String("DEFR"))
        return qint64(delays.defibCharge) + 65;
    if (isPace(t))
        return qint64(m_paceTestTime) * 60 + (m_showPaceRollPrompt ? qint64(pace.zamo24PaceRollAckDelay) : 0);
    if (t == QLatin1String("SGROLL"))
        return 10;
    return 0;
}

qint64 TestStep::totalExpectedRemainingDuration(const config::Zamo80Delays& delays,
                                                const config::PaceSettings& pace) const
{
    if (testCompleted())
        return 0;
    const qint64 started = m_executedTestCount > 0 ? qint64(m_executedTestCount) - 1 : 0;
    return (qint64(m_testCount) - started) * singleTestDuration(delays, pace);
}

// --- iterations and active electrodes ---

void TestStep::incrementIteration()
{
    m_executedTestCount = incremented(m_executedTestCount);
}

bool TestStep::isTestIterationComplete() const
{
    return std::none_of(m_electrodeTestActive.begin(), m_electrodeTestActive.end(), [](bool active) { return active; });
}

bool TestStep::testCompleted() const
{
    return isTestIterationComplete() && m_executedTestCount >= m_testCount;
}

bool TestStep::isElectrodeTestActive(qint16 index) const
{
    return m_electrodeTestActive[checkedIndex(index)];
}

void TestStep::setElectrodeTestActive(qint16 index)
{
    m_electrodeTestActive[checkedIndex(index)] = true;
}

void TestStep::setElectrodeTestComplete(qint16 index)
{
    m_electrodeTestActive[checkedIndex(index)] = false;
}

void TestStep::setElectrodesActive(const QString& bitString, qint16 unitID)
{
    for (qsizetype i = 0; i < bitString.size(); ++i) {
        if (bitString.at(i) == QLatin1Char('1'))
            m_electrodeTestActive[checkedIndex((qint32(unitID) - 1) * 16 + qint32(i))] = true;
    }
}

// --- error counts ---

qint16 TestStep::incrementErrorCount(qint16 index)
{
    qint16& count = m_errorCount[checkedIndex(index)];
    count = incremented(count);
    return count;
}

qint16 TestStep::getErrorCount(qint16 index) const
{
    return m_errorCount[checkedIndex(index)];
}

void TestStep::clearElectrodeErrorCount(qint16 index)
{
    m_errorCount[checkedIndex(index)] = 0;
}

void TestStep::clearAllErrorCount()
{
    m_errorCount.fill(0);
}

// --- BIAS and PACE clocks ---

void TestStep::startBiasTest()
{
    const QDateTime now = platform::Clock::now();
    m_biasStart = platform::OleDate::fromDateTime(now);
    m_biasEnd = platform::OleDate::fromDateTime(now.addSecs(qint64(m_biasTestTime) * 3600));
}

bool TestStep::isBiasTestComplete() const
{
    return platform::Clock::now() > m_biasEnd.toDateTime();
}

void TestStep::startPaceClock()
{
    const qint64 now = platform::Clock::tickCount();
    m_paceStartTick = now;
    m_paceEndTick = now + qint64(m_paceTestTime) * 60 * 1000;
}

bool TestStep::paceDue() const
{
    return !m_paceStartTick || *m_paceStartTick <= platform::Clock::tickCount();
}

bool TestStep::paceTimeUp() const
{
    return m_paceEndTick && *m_paceEndTick <= platform::Clock::tickCount();
}

qint32 TestStep::paceDurationCount() const
{
    if (!m_paceStartTick)
        return 0;
    const qint64 seconds = (platform::Clock::tickCount() - *m_paceStartTick) / 1000;
    return static_cast<qint32>(std::clamp<qint64>(seconds, 0, std::numeric_limits<qint32>::max()));
}

// --- resets ---

void TestStep::resetCounts()
{
    m_executedTestCount = 0;
    m_paceStartTick.reset();
    m_paceEndTick.reset();
    m_paceRunning = false;
    m_paceRollPromptLoaded = false;
    m_paceDurationCount = 0;
}

void TestStep::resetTestProperties()
{
    m_executedTestCount = 0;
    m_electrodeTestActive.fill(false);
    m_paceStartTick.reset();
    m_paceEndTick.reset();
    m_paceRunning = false;
    m_paceRollPromptLoaded = false;
    m_paceDBTestUnitID1 = 0;
    m_paceDBTestUnitID2 = 0;
    m_paceDBTestID = 0;
    m_paceDBTestResultID1 = 0;
    m_paceDBTestResultID2 = 0;
    m_paceDBPropertiesID1 = 0;
    m_paceDBPropertiesID2 = 0;
}

} // namespace testlists
