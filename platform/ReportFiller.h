#pragma once
// Fills a report template from a database: runs the queries of its bands,
// tables and column groups with their parameters bound, and turns every
// element into the blocks of the report's content.

#include "platform/ReportContent.h"
#include "platform/ReportExpression.h"
#include "platform/ReportScope.h"
#include "platform/ReportSelection.h"
#include "platform/ReportTemplate.h"

#include <QHash>
#include <QStringList>

#include <memory>

namespace platform {

class DbConnection;

class ReportFiller {
public:
    ReportFiller(const ReportTemplate& reportTemplate, DbConnection& connection);

    // Throws ReportError when a query fails, a field is unknown or a
    // required band finds no row.
    ReportContent fill(const ReportSelection& selection, const QString& title);

private:
    // A template query with its "$Name" references turned into parameters.
    struct Query {
        QString sql;                  // with "?" in place of the names
        QList<ReportFieldName> names; // bound in this order
        QStringList fields;           // of its rows, in lower case, from its first run
    };

    void fillElements(const QList<ReportElement>& elements, ReportContent& content);
    void fillTable(const ReportElement& table, ReportContent& content);
    QList<ReportRow> rows(const QString& query);
    ReportCell evaluate(const QString& text);

    const ReportTemplate& m_template;
    DbConnection& m_connection;
    ReportScope m_scope;
    QHash<QString, Query> m_queries;
    QHash<QString, std::shared_ptr<ReportExpression>> m_expressions;
};

} // namespace platform
