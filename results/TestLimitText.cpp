#include "results/TestLimitText.h"

#include "platform/Convert.h"
#include "platform/DbError.h"
#include "results/ResultsDatabase.h"
#include "results/WriterSupport.h"

namespace results {

namespace {

// The group columns shown for one test type; the second is used by DEFR
// (the 60 s value) and SDR (the recovery slope) only.
struct TypeColumns {
    const char* typeName;
    const char* first;
    const char* second;
};

// ZAMO80 and standard column sets, limits and warnings.
const TypeColumns kZamo80Limits[] = {
    {"DCO", "Zamo80DCOLimit", nullptr},
    {"ACZ", "Zamo80ACZLimit", nullptr},
    {"ACZ30", "Zamo80ACZ30Limit", nullptr},
    {"ACLG", "Zamo80ACLGLimit", nullptr},
    {"DEFR", "Zamo80DEFRLimit4", "Zamo80DEFRLimit60"},
    {"NOISE", "Zamo80NOISEDCOLimit", nullptr},
};
const TypeColumns kZamo80Warnings[] = {
    {"DCO", "Zamo80DCOWarning", nullptr},
    {"ACZ", "Zamo80ACZWarning", nullptr},
    {"ACZ30", "Zamo80ACZ30Warning", nullptr},
    {"ACLG", "Zamo80ACLGWarning", nullptr},
    {"DEFR", "Zamo80DEFRWarning4", "Zamo80DEFRWarning60"},
    {"NOISE", "Zamo80NOISEDCOWarning", nullptr},
};
const TypeColumns kStandardLimits[] = {
    {"DCO", "DCOLimit", nullptr},        {"ACZ", "ACZLimit", nullptr},
    {"NOISE", "NoiseDCOLimit", nullptr}, {"SDR", "SDR5SecOffsetLimit", "SDRRecoverySlopeLimit"},
    {"BIAS", "BiasDCOLimit", nullptr},
};
const TypeColumns kStandardWarnings[] = {
    {"DCO", "DCOWarning", nullptr},        {"ACZ", "ACZWarning", nullptr},
    {"NOISE", "NoiseDCOWarning", nullptr}, {"SDR", "SDR5SecOffsetWarning", "SDRRecoverySlopeWarning"},
    {"BIAS", "BiasDCOWarning", nullptr},
};

template <std::size_t N>
const TypeColumns* find(const TypeColumns (&table)[N], const QString& typeName)
{
    for (const TypeColumns& entry : table)
        if (typeName == QLatin1String(entry.typeName))
            return &entry;
    return nullptr;
}

QString valueText(const platform::DbRecordset& group, const char* column)
{
    const QVariant v = group.value(QString::fromLatin1(column));
    if (v.isNull())
        throw platform::DbError(QStringLiteral("The test group holds no value in %1").arg(column));
    return platform::Convert::fromDouble(v.toDouble());
}

QString entry(const QString& type, const TypeColumns& columns, const QString& units, const QString& units2,
              const platform::DbRecordset& group)
{
    const QString first = valueText(group, columns.first);
    if (!columns.second)
        return type + " - " + first + ' ' + units + "; ";
    const QString second = valueText(group, columns.second);
    if (type == QLatin1String("DEFR"))
        return type + " 4s - " + first + ' ' + units + "; " + type + " 60s - " + second + ' ' + units + "; ";
    return type + " - (5) " + first + ' ' + units + ", (15/25/35) " + second + ' ' + units2 + "; ";
}

template <std::size_t N>
QString build(ResultsDatabase& database, qint32 groupID, const QString& prefix, const TypeColumns (&table)[N])
{
    platform::DbConnection* db = database.openedConnection();
    if (!db)
        return {};
    platform::DbRecordset types = db->execute(QStringLiteral("SELECT * FROM TestTypes ORDER BY TypeID"));
    const platform::DbRecordset group =
        db->execute(QStringLiteral("SELECT * FROM TestGroups WHERE GroupID = ") + QString::number(groupID));
    QString text = prefix;
    for (; !types.eof(); types.moveNext()) {
        const QString type = types.value(QStringLiteral("TypeName")).toString();
        if (const TypeColumns* columns = find(table, type))
            text += entry(type, *columns, types.value(QStringLiteral("TypeUnits")).toString(),
                          types.value(QStringLiteral("TypeUnits2")).toString(), group);
    }
    if (text.endsWith(QStringLiteral("; ")))
        text.chop(2);
    return text;
}

} // namespace

QString buildTestLimitString(ResultsDatabase& database, qint32 groupID, bool zamo80)
{
    return zamo80 ? build(database, groupID, QStringLiteral("LIMITS: "), kZamo80Limits)
                  : build(database, groupID, QStringLiteral("AAMI EC12 LIMITS: "), kStandardLimits);
}

QString buildTestWarningString(ResultsDatabase& database, qint32 groupID, bool zamo80)
{
    return zamo80 ? build(database, groupID, QStringLiteral("WARNING: "), kZamo80Warnings)
                  : build(database, groupID, QStringLiteral("WARNING: "), kStandardWarnings);
}

} // namespace results
