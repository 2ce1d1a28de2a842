#pragma once
// What a report text or query can name while a report is filled: the fields
// of the enclosing rows (innermost first), then the record selection, and
// the letter of the table row being filled.

#include <QChar>
#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

// One row of a query, by field name in lower case.
namespace platform {

using ReportRow = QHash<QString, QVariant>;

// A field name made ready for lookups once, when the template is read.
struct ReportFieldName {
    static ReportFieldName of(const QString& name) { return {name, name.toLower(), name.contains(QLatin1Char('@'))}; }
    QString name;        // as written
    QString key;         // in lower case
    bool letter = false; // "@" in it stands for the current letter
};

class ReportScope {
public:
    void setSelection(const QString& field, const QVariant& value) { m_selection.insert(field.toLower(), value); }
    void push(const ReportRow* row) { m_rows.append(row); }
    void pop() { m_rows.removeLast(); }
    void setLetter(QChar letter) { m_letter = letter; }
    QChar letter() const { return m_letter; }

    // The value of a field, "@" standing for the current letter. Throws
    // ReportError when no row and no selection has the field.
    QVariant value(const ReportFieldName& field) const;
    QVariant value(const QString& name) const { return value(ReportFieldName::of(name)); }

private:
    QVariant valueOfKey(const QString& key, const QString& name) const;

    QList<const ReportRow*> m_rows;
    ReportRow m_selection;
    QChar m_letter;
};

// Pushes a row for the life of the object.
class ReportScopeRow {
public:
    ReportScopeRow(ReportScope& scope, const ReportRow& row) : m_scope(scope) { m_scope.push(&row); }
    ~ReportScopeRow() { m_scope.pop(); }
    ReportScopeRow(const ReportScopeRow&) = delete;
    ReportScopeRow& operator=(const ReportScopeRow&) = delete;

private:
    ReportScope& m_scope;
};

} // namespace platform
