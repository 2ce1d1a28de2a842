#include "support/DatabaseDump.h"

#include <QLocale>
#include <QMap>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QSysInfo>
#include <QVariant>

#include <pwd.h>
#include <unistd.h>

namespace testsupport {

HostNeutral::HostNeutral(QString dataFolder)
    : m_dataFolder(std::move(dataFolder)), m_computer(computerName()), m_user(userName())
{
}

QString HostNeutral::computerName()
{
    return QSysInfo::machineHostName();
}

QString HostNeutral::userName()
{
    if (const passwd* pw = getpwuid(geteuid()); pw && pw->pw_name)
        return QString::fromLocal8Bit(pw->pw_name);
    return qEnvironmentVariable("USER");
}

QString HostNeutral::value(const QString& text) const
{
    if (!m_user.isEmpty() && text == m_user)
        return QStringLiteral("<USER>");
    if (!m_computer.isEmpty() && text == m_computer)
        return QStringLiteral("<COMPUTER>");
    QString neutral = text;
    if (!m_dataFolder.isEmpty())
        neutral.replace(m_dataFolder, QStringLiteral("<DATA>"));
    return neutral;
}

QByteArray HostNeutral::text(const QByteArray& text) const
{
    QStringList lines = QString::fromUtf8(text).split(QLatin1Char('\n'));
    for (QString& line : lines) {
        const bool cr = line.endsWith(QLatin1Char('\r'));
        QStringList fields = (cr ? line.chopped(1) : line).split(QLatin1Char('\t'));
        for (QString& field : fields)
            field = value(field);
        line = fields.join(QLatin1Char('\t')) + (cr ? QStringLiteral("\r") : QString());
    }
    return lines.join(QLatin1Char('\n')).toUtf8();
}

namespace {

QString quoted(const QString& text)
{
    QString q = text;
    q.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
        .replace(QLatin1Char('\''), QLatin1String("\\'"))
        .replace(QLatin1Char('\n'), QLatin1String("\\n"))
        .replace(QLatin1Char('\r'), QLatin1String("\\r"))
        .replace(QLatin1Char('\t'), QLatin1String("\\t"));
    return QLatin1Char('\'') + q + QLatin1Char('\'');
}

QString identifier(const QString& name)
{
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

// One stored value: its storage class as SQLite names it, and the value.
QString typedValue(const QString& type, const QVariant& value, const HostNeutral& neutral)
{
    if (type == QLatin1String("null"))
        return type;
    if (type == QLatin1String("integer"))
        return type + QLatin1Char(' ') + QString::number(value.toLongLong());
    if (type == QLatin1String("real"))
        return type + QLatin1Char(' ') + QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    if (type == QLatin1String("blob"))
        return type + QStringLiteral(" x'") + QString::fromLatin1(value.toByteArray().toHex()) + QLatin1Char('\'');
    return type + QLatin1Char(' ') + quoted(neutral.value(value.toString()));
}

// The rows of one table by key (its primary key columns, then rowid), one
// line each: column=value, tab-separated.
void dumpRows(QSqlDatabase& db, const QString& table, const HostNeutral& neutral, QStringList& out)
{
    QSqlQuery info(db);
    QStringList columns;
    QStringList key;
    info.exec(QStringLiteral("PRAGMA table_info(") + identifier(table) + QLatin1Char(')'));
    QMap<int, QString> keyByPosition;
    while (info.next()) {
        columns << info.value(QStringLiteral("name")).toString();
        if (const int pk = info.value(QStringLiteral("pk")).toInt(); pk > 0)
            keyByPosition.insert(pk, identifier(columns.last()));
    }
    key = keyByPosition.values();
    key << QStringLiteral("rowid");
    QStringList selected;
    for (const QString& c : columns)
        selected << QStringLiteral("typeof(") + identifier(c) + QLatin1Char(')') << identifier(c);
    QSqlQuery rows(db);
    rows.setForwardOnly(true);
    if (!rows.exec(QStringLiteral("SELECT ") + selected.join(QStringLiteral(", ")) + QStringLiteral(" FROM ")
                   + identifier(table) + QStringLiteral(" ORDER BY ") + key.join(QStringLiteral(", ")))) {
        out << QStringLiteral("(rows not readable: ") + rows.lastError().text() + QLatin1Char(')');
        return;
    }
    int count = 0;
    QStringList lines;
    while (rows.next()) {
        ++count;
        QStringList fields;
        for (int c = 0; c < columns.size(); ++c)
            fields << columns[c] + QLatin1Char('=')
                          + typedValue(rows.value(2 * c).toString(), rows.value(2 * c + 1), neutral);
        lines << fields.join(QLatin1Char('\t'));
    }
    out << QStringLiteral("-- %1 rows of %2").arg(count).arg(table) << lines;
}

} // namespace

QByteArray dumpDatabase(const QString& path, const HostNeutral& neutral)
{
    const QString connection = QStringLiteral("testsupport-database-dump");
    QStringList out;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!db.open()) {
            out << QStringLiteral("(not readable: ") + db.lastError().text() + QLatin1Char(')');
        } else {
            QSqlQuery schema(db);
            schema.exec(QStringLiteral("SELECT type, name, tbl_name, sql FROM sqlite_master ORDER BY type, name"));
            QStringList tables;
            while (schema.next()) {
                const QString type = schema.value(0).toString();
                const QString name = schema.value(1).toString();
                out << QStringLiteral("== ") + type + QLatin1Char(' ') + name + QStringLiteral(" on ")
                           + schema.value(2).toString();
                out << (schema.value(3).isNull() ? QStringLiteral("(no sql)") : schema.value(3).toString());
                if (type == QLatin1String("table"))
                    tables << name;
            }
            for (const QString& table : tables)
                dumpRows(db, table, neutral, out);
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return (out.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}

} // namespace testsupport
