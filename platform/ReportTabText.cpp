#include "platform/ReportTabText.h"

#include <QRegularExpression>

namespace platform {

namespace ReportTabText {

QList<QList<ReportCell>> rows(const ReportContent& content)
{
    QList<QList<ReportCell>> rows;
    bool first = true;
    for (const ReportBlock& b : content.blocks) {
        switch (b.kind) {
        case ReportBlock::Kind::Heading:
            if (!first)
                rows << QList<ReportCell>{};
            [[fallthrough]];
        case ReportBlock::Kind::Title:
        case ReportBlock::Kind::Text: rows << QList<ReportCell>{ReportCell{b.text, {}}}; break;
        case ReportBlock::Kind::Fields:
            for (const auto& [label, value] : b.fields)
                rows << QList<ReportCell>{ReportCell{label, {}}, ReportCell{value, {}}};
            break;
        case ReportBlock::Kind::Table:
            rows << b.header;
            rows << b.rows;
            break;
        }
        first = false;
    }
    return rows;
}

QString text(const ReportContent& content)
{
    static const QRegularExpression breaks(QStringLiteral("[\t\r\n]+"));
    QString text;
    for (const QList<ReportCell>& row : rows(content)) {
        QStringList cells;
        for (const ReportCell& cell : row)
            cells << QString(cell.text).replace(breaks, QStringLiteral(" "));
        text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return text;
}

} // namespace ReportTabText

} // namespace platform
