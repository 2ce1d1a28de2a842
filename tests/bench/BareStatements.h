#pragma once
// The baseline of a read: the statements it ran, recorded as it runs them,
// run again bare on a plain Qt SQL connection of their own to the same
// database, each distinct statement prepared once, every value of every row
// fetched and nothing converted. A benchmark times its read between
// beginRead and endRead in each iteration; the bare run of the statements
// is timed apart (outside the benchmark's own time), and report() sets the
// counters read_ms (the read), bare_ms (its statements bare) and x_bare
// (their ratio, the read's cost over the plainest way to the same rows).

#include "platform/DbConnection.h"

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QVariant>

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>

namespace benchsupport {

class BareStatements {
public:
    // open: makes the plain connection (QSqlDatabase::addDatabase with a
    // name of its own, opened); statements of connections to any other
    // database than databaseName are not recorded.
    BareStatements(const QString& databaseName, std::function<QSqlDatabase(const QString& name)> open)
        : m_databaseName(databaseName), m_open(std::move(open))
    {
    }
    ~BareStatements()
    {
        platform::DbConnection::setStatementObserver({});
        reconnect();
    }
    BareStatements(const BareStatements&) = delete;
    BareStatements& operator=(const BareStatements&) = delete;

    // A plain SQLite connection to the file.
    static std::function<QSqlDatabase(const QString&)> sqliteFile(const QString& path)
    {
        return [path](const QString& name) {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(path);
            db.open();
            return db;
        };
    }
    // A plain PostgreSQL connection.
    static std::function<QSqlDatabase(const QString&)> server(const platform::DbServerAddress& address)
    {
        return [address](const QString& name) {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
            db.setHostName(address.host);
            db.setPort(address.port > 0 ? address.port : -1);
            db.setDatabaseName(address.database);
            db.setUserName(address.user);
            db.setPassword(address.password);
            db.open();
            return db;
        };
    }

    // Closes the plain connection; the next bare run opens a new one (with
    // the benchmark's clock stopped), so that its first statements meet a
    // connection as cold as a newly opened one of the read.
    void reconnect()
    {
        if (!m_db.isValid())
            return;
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName());
    }

    void beginRead()
    {
        m_recorded.clear();
        platform::DbConnection::setStatementObserver(
            [this](const platform::DbConnection& connection, const QString& sql, const QList<QVariant>& values) {
                if (connection.databaseName() == m_databaseName)
                    m_recorded.append({sql, values});
            });
        m_clock.start();
    }

    // Ends the read begun, and runs its statements bare with the
    // benchmark's clock stopped.
    void endRead(benchmark::State& state)
    {
        m_readNs += m_clock.nsecsElapsed();
        platform::DbConnection::setStatementObserver({});
        state.PauseTiming();
        m_bareNs += runBare();
        ++m_reads;
        state.ResumeTiming();
    }

    void report(benchmark::State& state) const
    {
        if (m_reads == 0 || m_bareNs == 0)
            return;
        state.counters["read_ms"] = double(m_readNs) / m_reads / 1e6;
        state.counters["bare_ms"] = double(m_bareNs) / m_reads / 1e6;
        state.counters["x_bare"] = double(m_readNs) / double(m_bareNs);
    }

    // The statements of the last read.
    int statements() const { return int(m_recorded.size()); }

private:
    struct Statement {
        QString sql;
        QList<QVariant> values;
    };

    QString connectionName() const { return QStringLiteral("bare-%1").arg(quintptr(this)); }

    qint64 runBare()
    {
        if (!m_db.isValid())
            m_db = m_open(connectionName());
        QElapsedTimer clock;
        clock.start();
        QHash<QString, std::shared_ptr<QSqlQuery>> prepared;
        for (const Statement& s : m_recorded) {
            std::shared_ptr<QSqlQuery>& query = prepared[s.sql];
            if (!query) {
                query = std::make_shared<QSqlQuery>(m_db);
                query->setForwardOnly(true);
                query->prepare(s.sql);
            }
            for (int i = 0; i < s.values.size(); ++i)
                query->bindValue(i, s.values[i]);
            query->exec();
            const int fields = query->record().count();
            while (query->next())
                for (int i = 0; i < fields; ++i)
                    benchmark::DoNotOptimize(query->value(i));
            query->finish();
        }
        return clock.nsecsElapsed();
    }

    QString m_databaseName;
    std::function<QSqlDatabase(const QString&)> m_open;
    QSqlDatabase m_db;
    QList<Statement> m_recorded;
    QElapsedTimer m_clock;
    qint64 m_readNs = 0;
    qint64 m_bareNs = 0;
    qint64 m_reads = 0;
};

} // namespace benchsupport
