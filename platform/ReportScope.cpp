#include "platform/ReportScope.h"

#include "platform/ReportError.h"

namespace platform {

QVariant ReportScope::value(const ReportFieldName& field) const
{
    if (!field.letter)
        return valueOfKey(field.key, field.name);
    if (m_letter.isNull())
        throw ReportError(QStringLiteral("The field %1 is used outside a letter table").arg(field.name));
    QString key = field.key;
    key.replace(QLatin1Char('@'), m_letter.toLower());
    return valueOfKey(key, field.name);
}

QVariant ReportScope::valueOfKey(const QString& key, const QString& name) const
{
    for (qsizetype i = m_rows.size() - 1; i >= 0; --i) {
        const auto it = m_rows[i]->constFind(key);
        if (it != m_rows[i]->cend())
            return *it;
    }
    const auto it = m_selection.constFind(key);
    if (it != m_selection.cend())
        return *it;
    throw ReportError(QStringLiteral("The report template names an unknown field: ") + name);
}

} // namespace platform
