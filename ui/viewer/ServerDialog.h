#pragma once
// The viewer's "SQL Server Settings" dialog: the server's host, instance
// (its port), database, username and password, filled with the values in
// force ("ZAMO_Results" for a database not named yet). "Connect" hands the
// values to the connect function, which answers the dialog's status line:
// the dialog closes when the connection is made and stays open, showing
// "Database connection failed!", when it is not. "Cancel" closes it and
// changes nothing. Modeless; the connection test runs to its end inside
// the click.

#include "viewer/ViewerDatabase.h"

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;

namespace ui {

class ServerDialog : public QDialog {
    Q_OBJECT
public:
    // connectTo: makes the connection; true when made, else the text for the
    // dialog's status line in *status.
    using Connect = std::function<bool(const viewer::ServerLogOn& logOn, QString* status)>;

    ServerDialog(Connect connectTo, QWidget* parent = nullptr);

    // Fills the boxes with the values in force and clears the status line.
    void load(const viewer::ServerLogOn& logOn);
    viewer::ServerLogOn values() const;
    QString status() const;
    void connectServer();

private:
    Connect m_connect;
    QLineEdit* m_host;
    QLineEdit* m_instance;
    QLineEdit* m_databaseName;
    QLineEdit* m_username;
    QLineEdit* m_password;
    QLabel* m_status;
};

} // namespace ui
