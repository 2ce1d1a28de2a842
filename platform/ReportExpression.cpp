#include "platform/ReportExpression.h"

#include "platform/DbDialect.h"
#include "platform/ReportError.h"

#include <QDateTime>

namespace platform {

namespace {

const QDateTime kZeroDate(QDate(1899, 12, 30), QTime(0, 0));

bool isNumeric(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float: return true;
    default: return false;
    }
}

QString dateText(const QVariant& value)
{
    QDateTime date =
        value.typeId() == QMetaType::QDateTime ? value.toDateTime() : DbDialect::parseDateText(value.toString());
    if (!date.isValid() || date == kZeroDate)
        return QString();
    return date.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

QString plainText(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Bool: return value.toBool() ? QStringLiteral("Yes") : QStringLiteral("No");
    case QMetaType::QDateTime: return dateText(value);
    case QMetaType::Double:
    case QMetaType::Float: return QString::number(value.toDouble());
    default: return value.toString();
    }
}

} // namespace

ReportExpression::ReportExpression(const QString& text)
{
    qsizetype pos = 0;
    while (pos < text.size()) {
        const qsizetype open = text.indexOf(QLatin1Char('{'), pos);
        if (open < 0) {
            m_parts << Part{text.mid(pos), {}, {}, {}, {}, {}};
            break;
        }
        if (open > pos)
            m_parts << Part{text.mid(pos, open - pos), {}, {}, {}, {}, {}};
        const qsizetype close = text.indexOf(QLatin1Char('}'), open);
        if (close < 0)
            throw ReportError(QStringLiteral("Unclosed placeholder in \"%1\"").arg(text));
        const QString inner = text.mid(open + 1, close - open - 1).trimmed();
        Part part;
        part.field = inner.section(QLatin1Char('|'), 0, 0).trimmed();
        const QString format = inner.section(QLatin1Char('|'), 1).trimmed();
        part.format = format.section(QLatin1Char(':'), 0, 0);
        part.argument = format.section(QLatin1Char(':'), 1);
        static const QStringList formats = {QString(), QStringLiteral("number"), QStringLiteral("date"),
                                            QStringLiteral("yesno"), QStringLiteral("map")};
        if (part.field.isEmpty() || !formats.contains(part.format))
            throw ReportError(QStringLiteral("Placeholder not understood: {%1}").arg(inner));
        if (part.format == QLatin1String("number") && !part.argument.isEmpty()) {
            bool whole = false;
            part.decimals = part.argument.trimmed().toInt(&whole);
            if (!whole || part.decimals < 0 || part.decimals > MaxDecimals)
                throw ReportError(QStringLiteral("Placeholder {%1} asks for %2 decimals: a whole number from 0 to %3 "
                                                 "is needed")
                                      .arg(inner, part.argument)
                                      .arg(MaxDecimals));
        }
        part.lookup = ReportFieldName::of(part.field);
        m_parts << part;
        pos = close + 1;
    }
}

ReportCell ReportExpression::evaluate(const ReportScope& scope, const ReportMaps& maps) const
{
    if (m_parts.size() == 1 && !m_parts[0].field.isEmpty()) {
        const Part& only = m_parts[0];
        return format(only,
                      only.field == QLatin1String("@") ? QVariant(QString(scope.letter())) : scope.value(only.lookup),
                      maps);
    }
    ReportCell cell;
    for (const Part& part : m_parts) {
        if (part.field.isEmpty())
            cell.text += part.literal;
        else if (part.field == QLatin1String("@"))
            cell.text += scope.letter();
        else
            cell.text += format(part, scope.value(part.lookup), maps).text;
    }
    return cell;
}

ReportCell ReportExpression::format(const Part& part, const QVariant& value, const ReportMaps& maps) const
{
    ReportCell cell;
    if (value.isNull() || (value.typeId() == QMetaType::QString && value.toString().isEmpty()))
        return cell;
    if (part.format == QLatin1String("number")) {
        bool ok = false;
        const double v = value.toDouble(&ok);
        if (!ok)
            return ReportCell{value.toString(), {}};
        cell.text = QString::number(v, 'f', part.decimals);
        cell.number = cell.text.toDouble();
    } else if (part.format == QLatin1String("date")) {
        cell.text = dateText(value);
    } else if (part.format == QLatin1String("yesno")) {
        cell.text = value.toBool() ? QStringLiteral("Yes") : QStringLiteral("No");
    } else if (part.format == QLatin1String("map")) {
        const auto map = maps.constFind(part.argument);
        if (map == maps.cend())
            throw ReportError(QStringLiteral("The report template names an unknown map: ") + part.argument);
        const QString key = value.toString();
        cell.text = map->value(key, key);
    } else {
        cell.text = plainText(value);
        if (isNumeric(value))
            cell.number = cell.text.toDouble();
    }
    return cell;
}

} // namespace platform
