#pragma once
// A results file as text, read with Qt SQL alone (none of the station's own
// database code): every entry of sqlite_master by type and name with its
// CREATE text, then every table's rows by key, one line per row, each value
// with the type SQLite stores it as ("integer 7", "real 0.25", "text 'A1'",
// "blob x'00ff'", "null"). Texts are quoted with \\, \', \n, \r and \t
// escaped; reals are written in the fewest digits that read back exactly, so
// two dumps are equal exactly when the files hold the same values.
//
// What depends on the machine and the folder a test ran in is replaced
// (HostNeutral): the data folder's path by "<DATA>", and a whole value that
// is the computer's or the user's name by "<COMPUTER>" or "<USER>".

#include <QByteArray>
#include <QString>

namespace testsupport {

class HostNeutral {
public:
    explicit HostNeutral(QString dataFolder);

    // One whole value (a database text, a field of a report line).
    QString value(const QString& text) const;
    // Text made of lines of tab-separated fields.
    QByteArray text(const QByteArray& text) const;

    // The names the station finds for this machine and its user.
    static QString computerName();
    static QString userName();

private:
    QString m_dataFolder;
    QString m_computer;
    QString m_user;
};

// The dump of the SQLite file at path; "" with a note when it cannot be opened.
QByteArray dumpDatabase(const QString& path, const HostNeutral& neutral);

} // namespace testsupport
