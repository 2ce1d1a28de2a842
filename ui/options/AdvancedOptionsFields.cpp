#include "ui/options/AdvancedOptionsFields.h"

namespace ui {

namespace AdvancedOptionsFields {

namespace {

const QString Delays80Note = QStringLiteral("NOTE:  Settings apply to ZAMO80 and ZAMO2-4");

Field text(const char* page, const char* section, const char* key, const char* control, const char* description = "",
           const char* label = nullptr)
{
    return {QString::fromLatin1(page),
            QString::fromLatin1(section),
            QString::fromLatin1(key),
            QString::fromLatin1(label ? label : key),
            QString::fromLatin1(control),
            Kind::Text,
            QString::fromLatin1(description),
            QString(),
            0};
}

Field check(const char* page, const char* section, const char* key, const char* control, const char* description = "",
            const char* caption = "")
{
    Field f = text(page, section, key, control, description);
    f.kind = Kind::Check;
    f.checkCaption = QString::fromLatin1(caption);
    return f;
}

struct LimitRow {
    const char* key;
    const char* label;
    const char* unit;
    const char* controlStem; // "Dco" -> DcoLimitTextBox / DcoWarningTextBox
    int column;
};

const LimitRow BaseRows[] = {
    {"DCO", "DCO", "mV", "Dco", 0},          {"ACZ", "ACZ", "ohms", "Acz", 0},
    {"SDRDCO", "SDRDCO", "mV", "Sdrdco", 0}, {"SDRSlope", "SDRSlope", "mV/sec", "Sdrslope", 0},
    {"NOISE", "NOISE", "uV", "Noise", 0},    {"BIAS", "BIAS", "mV", "Bias", 0},
};
const LimitRow Zamo80Rows[] = {
    {"Zamo80DCO", "DCO", "mV", "Zamo80DCO", 1},         {"Zamo80ACZ", "ACZ", "ohms", "Zamo80ACZ", 1},
    {"Zamo80ACZ30", "ACZ30", "ohms", "Zamo80ACZ30", 1}, {"Zamo80ACLG", "ACLG", "ohms", "Zamo80ACLG", 1},
    {"Zamo80DEFR4", "DEFR 4s", "mV", "Zamo80DEFR4", 1}, {"Zamo80DEFR60", "DEFR 60s", "mV", "Zamo80DEFR60", 1},
    {"Zamo80NOISE", "NOISE", "uV", "Zamo80Noise", 1},
};

template <std::size_t N>
void addLimitRows(QList<Field>& fields, const LimitRow (&rows)[N], const char* section)
{
    const QString sectionName = QString::fromLatin1(section);
    const QString kind = sectionName == QLatin1String("Limits") ? QStringLiteral("Limit") : QStringLiteral("Warning");
    for (const LimitRow& row : rows) {
        Field f;
        f.page = QLatin1Char('[') + sectionName + QLatin1Char(']');
        f.section = sectionName;
        f.key = QString::fromLatin1(row.key);
        f.label = QString::fromLatin1(row.label);
        f.control = QString::fromLatin1(row.controlStem) + kind + QStringLiteral("TextBox");
        f.description = QString::fromLatin1(row.unit);
        f.column = row.column;
        fields << f;
    }
}

void addAclgSet(QList<Field>& fields, const char* page, const char* energy, const char* suffix)
{
    const QString e = QString::fromLatin1(energy);
    const QString s = QString::fromLatin1(suffix);
    Field gain;
    gain.page = QString::fromLatin1(page);
    gain.section = QStringLiteral("ACLG");
    gain.key = QStringLiteral("24_") + e + QStringLiteral("_Correct_Gain");
    gain.label = gain.key;
    gain.control = QStringLiteral("Zamo24_") + e + QStringLiteral("_Correct_GainTextBox");
    fields << gain;
    for (int r = 1; r <= 4; ++r) {
        Field f = gain;
        f.key = QStringLiteral("24_%1_R%2").arg(e).arg(r);
        f.label = f.key;
        f.control = QStringLiteral("Zamo24R%1_%2TextBox").arg(r).arg(s);
        fields << f;
    }
}

QList<Field> buildFields()
{
    QList<Field> f;
    f << text("[Timers]", "Timers", "Polling", "PollingTextBox", "* Channel polling interval (ms)")
      << text("[Timers]", "Timers", "Tests", "TestsTextBox", "* Test status interval (ms)")
      << text("[Reports]", "Reports", "ExportPath", "ExportPathTextBox")
      << check("[Reports]", "Reports", "ExportPDFEnabled", "AutoExportPDFCheckBox")
      << check("[Reports]", "Reports", "ExportExcelEnabled", "AutoExportXLSCheckBox")
      << check("[Reports]", "Reports", "ExportTabEnabled", "AutoExportTabCheckBox")
      << check("[Reports]", "Reports", "PrintEnabled", "AutoPrintFullReportCheckBox")
      << check("[Reports]", "Reports", "PrintCondensedEnabled", "AutoPrintCondensedReportCheckBox")
      << check("[Reports]", "Reports", "DisplayEnabled", "AutoDisplayReportCheckBox")
      << text("[Electrodes]", "Electrodes", "Default", "DefaultElectrodesTextBox",
              "* Default Electrodes (delim: single='.', range='-')");
    addLimitRows(f, BaseRows, "Limits");
    addLimitRows(f, BaseRows, "Warnings");
    addLimitRows(f, Zamo80Rows, "Limits");
    addLimitRows(f, Zamo80Rows, "Warnings");
    f << text("[Zamo80Delays]", "Zamo80Delays", "ReconnectDelay", "ReconnectDelayTextBox",
              "* Delay between auto disconnect and reconnect")
      << text("[Zamo80Delays]", "Zamo80Delays", "FindChannelsDelay", "FindChannelsDelayTextBox",
              "* Delay before issuing Find Channels command on startup")
      << text("[ACLG] 80", "ACLG", "GainVe", "GainVeTextBox") << text("[ACLG] 80", "ACLG", "GainV50", "GainV50TextBox")
      << text("[ACLG] 80", "ACLG", "Correct_Gain", "Correct_GainTextBox");
    addAclgSet(f, "[ACLG] 100", "100", "100");
    addAclgSet(f, "[ACLG] 360", "360", "360");
    addAclgSet(f, "[ACLG] X", "X", "X");
    f << text("[ACLG] X", "ACLG", "24_X_Energy", "Zamo24_X_EnergyTextBox")
      << check("[ACLG] X", "ACLG", "24_X_Enabled", "Zamo24_X_EnabledCheckBox", "", "Enable Custom Energy Option")
      << check("[Diagnostics]", "Diagnostics", "Enabled", "DiagnosticsEnabledCheckBox",
               "* Enable Master Unit Diagnostics on reports")
      << text("[Diagnostics]", "Diagnostics", "Delay", "DiagnosticsDelayTextBox",
              "* Wait time for unit Diagnostic response (ms)")
      << check("[KeepAlive]", "KeepAlive", "MoveMouse", "MoveMouseCheckBox",
               "* Moves mouse pointer during test every 60s")
      << check("[KeepAlive]", "KeepAlive", "WakeUp", "WakeUpCheckBox", "* Signals Windows to ignore sleep mode");
    Field maxRecords = text("[Database]", "Database", "MaxRecords", "MaxRecordsTextBox",
                            "* Max number of test groups before archiving local database");
    maxRecords.kind = Kind::WholeNumber;
    f << maxRecords
      << text("[PACE]", "PACE", "PaceDuration", "PaceDurationTextBox", "* Default Duration (m) for Pace", "Pace")
      << text("[PACE]", "PACE", "SimultaneousTests", "SimultaneousTestsTextBox",
              "* Max number of simultaneous Pace tests")
      << check("[ZAMO-SG]", "ZAMO-SG", "Enabled", "chkZamoSGEnabled", "* Enable ZAMO-SG functions", "Enabled")
      << text("[ZAMO-SG]", "ZAMO-SG", "Delay", "txtZamoSGDelay", "* Delay value to allow completion of rollers.")
      << check("[PACE]", "PACE", "Zamo24ContinueWithoutRoll", "chkContinueWithoutRoll",
               "* PACE Rolling Prompt will timeout and tests will proceed as usual.  If False, further testing on "
               "the channel will be canceled (ZAMO2-4)",
               "Zamo24ContinueWithoutRoll")
      << text("[PACE]", "PACE", "Zamo24PaceRollAckDelay", "PaceRollAckDelayTextBox",
              "* Timer delay (s) for Manual PACE Roll (ZAMO2-4)");
    return f;
}

} // namespace

const QList<Page>& pages()
{
    static const QList<Page> pages = {
        {QStringLiteral("[Timers]"), QString()},
        {QStringLiteral("[Reports]"), QString()},
        {QStringLiteral("[Electrodes]"), QString()},
        {QStringLiteral("[Database]"), QString()},
        {QStringLiteral("[Diagnostics]"), QString()},
        {QStringLiteral("[KeepAlive]"), QString()},
        {QStringLiteral("[Zamo80Delays]"), Delays80Note},
        {QStringLiteral("[ZAMO-SG]"), QString()},
        {QStringLiteral("[Limits]"), QString()},
        {QStringLiteral("[Warnings]"), QString()},
        {QStringLiteral("[PACE]"), Delays80Note},
        {QStringLiteral("[ACLG] 80"), QStringLiteral("ZAMO80")},
        {QStringLiteral("[ACLG] 100"), QStringLiteral("ZAMO2-4 (100J)")},
        {QStringLiteral("[ACLG] 360"), QStringLiteral("ZAMO2-4 (360J)")},
        {QStringLiteral("[ACLG] X"), QStringLiteral("ZAMO2-4 (xJ)")},
    };
    return pages;
}

const QList<Field>& fields()
{
    static const QList<Field> fields = buildFields();
    return fields;
}

} // namespace AdvancedOptionsFields

} // namespace ui
