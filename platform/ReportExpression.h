#pragma once
// A report text with its placeholders, parsed once and filled for each row:
// {Field}, {Field|format}, and {@} for the current letter. A text that is one
// placeholder of a numeric field, or with the number format, gives a cell
// that carries the number as well. The number format shows from 0 to
// MaxDecimals decimals. Parsing throws ReportError for a text it
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
    // More decimals than a double holds digits would only show the digits of
    // its binary form, and a huge count would make a huge text.
    static constexpr int MaxDecimals = 20;

    // Throws ReportError for an unclosed placeholder, an unknown format or
    // decimals that are not a whole number from 0 to MaxDecimals.
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
        int decimals = 2;       // of the number format
    };
    ReportCell format(const Part& part, const QVariant& value, const ReportMaps& maps) const;

    QList<Part> m_parts;
};

} // namespace platform
