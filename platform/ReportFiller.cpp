#include "platform/ReportFiller.h"

#include "platform/DbConnection.h"
#include "platform/DbError.h"
#include "platform/ReportError.h"

#include <QRegularExpression>

namespace platform {

namespace {

// One column group of a table: its rows and the header cells they give.
struct ColumnGroup {
    QList<ReportRow> rows;
};

bool hasText(const ReportCell& cell)
{
    return !cell.text.trimmed().isEmpty();
}

} // namespace

ReportFiller::ReportFiller(const ReportTemplate& reportTemplate, DbConnection& connection)
    : m_template(reportTemplate), m_connection(connection)
{
}

ReportContent ReportFiller::fill(const ReportSelection& selection, const QString& title)
{
    m_scope = ReportScope();
    m_scope.setSelection(selection.field, selection.value);
    ReportContent content;
    content.title = title;
    content.landscape = m_template.landscape;
    fillElements(m_template.elements, content);
    return content;
}

void ReportFiller::fillElements(const QList<ReportElement>& elements, ReportContent& content)
{
    for (const ReportElement& e : elements) {
        ReportBlock block;
        switch (e.kind) {
        case ReportElement::Kind::Title:
            block.kind = ReportBlock::Kind::Title;
            block.text = content.title;
            content.blocks << block;
            break;
        case ReportElement::Kind::Heading:
        case ReportElement::Kind::Text:
            block.kind = e.kind == ReportElement::Kind::Heading ? ReportBlock::Kind::Heading : ReportBlock::Kind::Text;
            block.level = e.level;
            block.text = evaluate(e.text).text;
            content.blocks << block;
            break;
        case ReportElement::Kind::Fields:
            block.kind = ReportBlock::Kind::Fields;
            for (const ReportField& f : e.fields)
                block.fields << std::make_pair(f.label, evaluate(f.value).text);
            content.blocks << block;
            break;
        case ReportElement::Kind::Table: fillTable(e, content); break;
        case ReportElement::Kind::Band: {
            const QList<ReportRow> found = rows(e.query);
            if (found.isEmpty() && e.required)
                throw ReportError(QStringLiteral("No records selected for the report"));
            for (const ReportRow& row : found) {
                ReportScopeRow inRow(m_scope, row);
                fillElements(e.children, content);
            }
            break;
        }
        }
    }
}

void ReportFiller::fillTable(const ReportElement& table, ReportContent& content)
{
    ReportBlock block;
    block.kind = ReportBlock::Kind::Table;
    block.fixedColumns = table.fixedColumns;

    QList<ColumnGroup> groups; // one per template column; plain columns have none
    for (const ReportColumn& c : table.columns) {
        ColumnGroup g;
        if (c.query.isEmpty()) {
            block.header << ReportCell{evaluate(c.title).text, {}};
        } else {
            g.rows = rows(c.query);
            for (const ReportRow& row : g.rows) {
                ReportScopeRow inRow(m_scope, row);
                block.header << ReportCell{evaluate(c.title).text, {}};
            }
        }
        groups << g;
    }

    bool anyKey = false;
    for (const ReportColumn& c : table.columns)
        anyKey = anyKey || c.key;

    auto fillRow = [&]() {
        QList<ReportCell> cells;
        bool keyed = !anyKey;
        for (qsizetype i = 0; i < table.columns.size(); ++i) {
            const ReportColumn& c = table.columns[i];
            if (c.query.isEmpty()) {
                cells << evaluate(c.cell);
                keyed = keyed || (c.key && hasText(cells.last()));
                continue;
            }
            for (const ReportRow& row : groups[i].rows) {
                ReportScopeRow inRow(m_scope, row);
                cells << evaluate(c.cell);
                keyed = keyed || (c.key && hasText(cells.last()));
            }
        }
        if (keyed)
            block.rows << cells;
    };

    if (!table.letters.isEmpty()) {
        const QChar saved = m_scope.letter();
        for (char16_t l = table.letters[0].unicode(); l <= table.letters[2].unicode(); ++l) {
            m_scope.setLetter(QChar(l));
            fillRow();
        }
        m_scope.setLetter(saved);
    } else {
        for (const ReportRow& row : rows(table.query)) {
            ReportScopeRow inRow(m_scope, row);
            fillRow();
        }
    }
    content.blocks << block;
}

QList<ReportRow> ReportFiller::rows(const QString& query)
{
    auto it = m_queries.find(query);
    if (it == m_queries.end()) {
        static const QRegularExpression name(QStringLiteral(R"(\$([A-Za-z_][\w]*(?:\.[A-Za-z_0-9]\w*)?))"));
        Query q;
        qsizetype pos = 0;
        for (auto m = name.globalMatch(query); m.hasNext();) {
            const QRegularExpressionMatch found = m.next();
            q.sql += query.mid(pos, found.capturedStart() - pos) + QLatin1Char('?');
            q.names << ReportFieldName::of(found.captured(1));
            pos = found.capturedEnd();
        }
        q.sql += query.mid(pos);
        it = m_queries.insert(query, q);
    }
    QList<DbParameter> params;
    for (const ReportFieldName& n : it->names)
        params << DbParameter::fromValue(m_scope.value(n));

    DbRecordset found;
    try {
        found = m_connection.executeKept(it->sql, params);
    } catch (const DbError& e) {
        throw ReportError(QStringLiteral("Report query failed: ") + e.text());
    }
    if (it->fields.size() != found.fieldCount()) {
        it->fields.clear();
        for (int i = 0; i < found.fieldCount(); ++i)
            it->fields << found.fieldName(i).toLower();
    }
    const QStringList& fields = it->fields;
    QList<ReportRow> result;
    result.reserve(found.recordCount());
    for (; !found.eof(); found.moveNext()) {
        ReportRow row;
        for (int i = fields.size() - 1; i >= 0; --i) // the first of equal names wins
            row.insert(fields[i], found.value(i));
        result << row;
    }
    return result;
}

ReportCell ReportFiller::evaluate(const QString& text)
{
    auto it = m_expressions.find(text);
    if (it == m_expressions.end())
        it = m_expressions.insert(text, std::make_shared<ReportExpression>(text));
    return (*it)->evaluate(m_scope, m_template.maps);
}

} // namespace platform
