#include "unit/CommandFrames.h"

#include <QStringList>

namespace unit {

namespace UnitCommandFrames {

namespace {

// One text per model; an empty text means the model gets no frame.
QString forModel(UnitModel model, const char* base, const char* zamo80, const char* zamo24)
{
    switch (model) {
    case UnitModel::Zamo80: return QString::fromLatin1(zamo80);
    case UnitModel::Zamo24: return QString::fromLatin1(zamo24);
    case UnitModel::Base: break;
    }
    return QString::fromLatin1(base);
}

struct ModelCommandRow {
    ModelCommand command;
    const char* base;
    const char* zamo80;
    const char* zamo24;
};

constexpr ModelCommandRow kModelCommands[] = {
    {ModelCommand::ZeroCounter, "(MC0)", "(Mc0)", "(Mc0)"},
    {ModelCommand::ReadCounter, "(MC1)", "(Mc1)", "(Mc1)"},
    {ModelCommand::GetDcoReferenceVoltage, "", "(Md1)", "(Md1)"},
    {ModelCommand::GetCalibrationReference, "(MR1)", "(Mr1)", "(Mr1)"},
    {ModelCommand::RunAcz30Test, "", "(Ga)", "(Ga)"},
    {ModelCommand::RunAclgTest, "", "(GT)", "(Gt)"},
    {ModelCommand::RunDefibRecoveryTest, "", "(GR)", "(GR)"},
    {ModelCommand::GetDcoValue, "(GD0)", "(Gd0)", "(Gd0)"},
    {ModelCommand::RunDcoTest, "(GD1)", "(Gd1)", "(Gd1)"},
    {ModelCommand::RunDcoZeroCorrectionTest, "", "(Gd2)", "(Gd2)"},
    {ModelCommand::StopBiasTest, "(GB0)", "", "(GB0)"},
    {ModelCommand::RunBiasTest, "(GB1)", "", ""},
    {ModelCommand::GetPacePulse, "", "(MP1)", "(Mp1)"},
    {ModelCommand::RunVoltage1Pace, "", "(GP1)", "(Gp1)"},
    {ModelCommand::RunVoltage2Pace, "", "(GP2)", "(Gp2)"},
    {ModelCommand::StopPace, "", "(GP3)", "(X)"},
    {ModelCommand::UnitDiagnostics, "[D]", "[d]", "[d]"},
    {ModelCommand::Enable200VSupply, "[21]", "", ""},
    {ModelCommand::Disable200VSupply, "[20]", "", ""},
};

} // namespace

QString modelCommand(ModelCommand command, UnitModel model)
{
    for (const ModelCommandRow& row : kModelCommands) {
        if (row.command == command)
            return forModel(model, row.base, row.zamo80, row.zamo24);
    }
    return {};
}

QString padded(qint64 value, int digits)
{
    const QString magnitude = QString::number(value < 0 ? -static_cast<quint64>(value) : static_cast<quint64>(value))
                                  .rightJustified(digits, QLatin1Char('0'));
    return value < 0 ? QLatin1Char('-') + magnitude : magnitude;
}

QString paddedList(std::initializer_list<qint64> values, int digits)
{
    QStringList fields;
    for (qint64 value : values)
        fields << padded(value, digits);
    return fields.join(QLatin1Char(','));
}

QString serialNumberField(const QString& serialNumber)
{
    return serialNumber.left(5).rightJustified(5, QLatin1Char('0'));
}

QString calBoardSetSerialNumber(const QString& serialNumber)
{
    return "(mS0" + serialNumberField(serialNumber) + ")";
}

QString calBoardSetCalibrationReferenceResistors1(qint64 aczRef1, qint64 aczRef2)
{
    return "(mR0" + paddedList({aczRef1, aczRef2}, 4) + ")";
}

QString calBoardSetCalibrationReferenceResistors2(qint64 aczRef3, qint64 bias1Ref)
{
    return "(mR4" + paddedList({aczRef3, bias1Ref}, 4) + ")";
}

QString calBoardSetCalibrationReferenceDCO(qint64 dcoCorr1, qint64 dcoCorr2)
{
    return "(mR2" + paddedList({dcoCorr1, dcoCorr2}, 5) + ")";
}

QString calBoardSetPotentialReference(qint64 potCorr1, qint64 potCorr2)
{
    return "(mP0" + paddedList({potCorr1, potCorr2}, 5) + ")";
}

QString calBoardSelector(char letter, qint64 selector)
{
    if (selector < 1 || selector > 3)
        return {};
    return QStringLiteral("(g") + QLatin1Char(letter) + QString::number(selector) + ")";
}

QString readPort(const QString& port)
{
    return "(R" + port + ")";
}

QString readTrisRegister(const QString& reg)
{
    return "(RT" + reg + ")";
}

QString writePort(const QString& port, const QString& bits)
{
    return "(W" + port + bits + ")";
}

QString setCalibrationDate(qint64 year, qint64 month, qint64 day)
{
    return "(MD0" + QString::number(year) + "," + padded(month, 2) + "," + padded(day, 2) + ")";
}

QString setSerialNumber(const QString& serialNumber)
{
    return "(MS0" + serialNumberField(serialNumber) + ")";
}

QString setCalibrationReference(UnitModel model, qint64 v1, qint64 v2, qint64 v3, qint64 v4)
{
    if (model == UnitModel::Base)
        return "(MR0" + paddedList({v1, v2, v3}, 4) + ")";
    return "(Mr0" + paddedList({v1, v2, v3, v4}, 4) + ")";
}

QString setDCOReferenceVoltage(UnitModel model, qint64 reference750)
{
    if (model == UnitModel::Base)
        return {};
    return "(Md0" + padded(reference750, 4) + ")";
}

QString runSDRTest(bool runACZAfterSDR)
{
    return runACZAfterSDR ? QStringLiteral("(Gs)") : QStringLiteral("(GS)");
}

QString updateOsctune(const QString& timeBitString)
{
    return "(T0" + timeBitString + ")";
}

QString setPacePulse(UnitModel model, qint64 pace1On50, qint64 pace2On50, qint64 pace1Offms, qint64 pace2Offms,
                     qint64 pace1Voltage, qint64 pace2Voltage)
{
    switch (model) {
    case UnitModel::Zamo80: return "(MP0" + paddedList({pace1On50, pace2On50, pace1Offms, pace2Offms}, 4) + ")";
    case UnitModel::Zamo24:
        return "(Mp0" + paddedList({pace1On50, pace2On50, pace1Offms, pace2Offms, pace1Voltage, pace2Voltage}, 4) + ")";
    case UnitModel::Base: break;
    }
    return {};
}

QString channelLED(bool enable)
{
    return enable ? QStringLiteral("(i1)") : QStringLiteral("(i0)");
}

QString channelFrame(const QString& command, qint16 channel)
{
    return "[C" + QString::number(channel).rightJustified(2, '0') + command + "]";
}

QString asUnitFrame(const QString& channelCommand)
{
    return "[" + channelCommand.mid(1, channelCommand.size() - 2) + "]";
}

QString allChannelCommand(const QString& testType, UnitModel model)
{
    struct Row {
        const char* testType;
        const char* base;
        const char* zamo80;
        const char* zamo24;
    };
    static constexpr Row kRows[] = {
        {"ACZ", "(GA))", "(GA))", "(GA))"},
        {"DCO", "(GD1)", "(Gd1)", "(Gd1)"},
        {"ACZ30", "", "(Ga))", "(Ga))"},
        {"ACZ30ZERO", "", "(Gz))", "(Gz))"},
        {"ACLG", "", "(GT))", "(Gt))"},
        {"PACE1", "", "(GP1)", "(Gp1)"},
        {"PACE2", "", "(GP2)", "(Gp2)"},
        {"NOISE", "(GN1)", "(GN1)", "(GN1)"},
        {"SDR", "(GS))", "", ""},
        {"SDRACZ", "(Gs))", "", ""},
        {"BIAS", "(GB1)", "", ""},
        {"BIASSTOP", "(GB0)", "", ""},
        {"CANCEL", "(X)))", "(X)))", "(X)))"},
    };
    for (const Row& row : kRows) {
        if (testType == QLatin1String(row.testType))
            return forModel(model, row.base, row.zamo80, row.zamo24);
    }
    return {};
}

QString allChannelFrame(const QString& command, const QString& channelBitString)
{
    return "[A" + command + channelBitString + "]";
}

QString channelBitString(const std::array<bool, 16>& channelOn)
{
    QString bits;
    for (bool on : channelOn)
        bits += on ? QLatin1Char('1') : QLatin1Char('0');
    return bits;
}

} // namespace UnitCommandFrames

} // namespace unit
