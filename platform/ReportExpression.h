#pragma once
// A report text with its placeholders, parsed once and filled for each row:
// {Field}, {Field|format}, and {@} for the current letter. A text that is one
// placeholder of a numeric field, or with the number format, gives a cell
// that carries the number as well. Parsing throws ReportError for a text it
// cannot read; evaluating throws ReportError for a field no row or selection
// has.

#include "platform/ReportContent.h"
#include "platform/ReportScope.h"

#include <QHash>
#include <QList>
#include <QString>

namespace platform {

using ReportMaps = QHash<QString, QHash<QString, QString>>;

class ReportExpression {
public:
    // Throws ReportError for an unclosed placeholder or an unknown format.
    explicit ReportExpression(const QString& text);

    ReportCell evaluate(const ReportScope& scope, const ReportMaps& maps) const;

private:
    // A literal run of text, or one placeholder with its format.
    struct Part {
        QString literal; // a literal when field is empty
        QString field;
        QString format;         // "", "number", "date", "yesno", "map"
        QString argument;       // decimals or map name
        ReportFieldName lookup; // the field, ready for lookups
    };
    ReportCell format(const Part& part, const QVariant& value, const ReportMaps& maps) const;

    QList<Part> m_parts;
};

} // namespace platform
