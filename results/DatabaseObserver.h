#pragma once
// What the database connection tells the main test window: its state after
// every open, and each failed open. The main window implements it and
// installs itself with results::setConnectionObserver.

#include <QString>

namespace results {

class DatabaseConnectionObserver {
public:
    virtual ~DatabaseConnectionObserver() = default;
    // The status lamp: local or server database, connected or not.
    virtual void setDatabaseStatus(bool localDB, bool connected) = 0;
    // Called after every database failure, with its cause, before
    // results::connectFailureReported is set: the handler tells the
    // operator only while that flag is false, so a run of failures brings
    // one message.
    virtual void databaseConnectFailHandler(const QString& cause) = 0;
};

} // namespace results
