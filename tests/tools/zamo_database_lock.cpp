// Holds an SQLite database file locked as another program on the bench
// might: "BEGIN EXCLUSIVE" on the file named on the command line, "locked"
// on standard output once it holds, and the lock kept until a line (or the
// end of input) arrives on standard input.
//
//     zamo_database_lock <database file>

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <cstdio>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: zamo_database_lock <database file>\n");
        return 2;
    }
    int result = 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
        db.setDatabaseName(QString::fromLocal8Bit(argv[1]));
        QSqlQuery query(db);
        if (!db.open() || !query.exec(QStringLiteral("BEGIN EXCLUSIVE"))) {
            std::fprintf(stderr, "cannot lock %s: %s\n", argv[1],
                         (db.isOpen() ? query.lastError() : db.lastError()).text().toLocal8Bit().constData());
            return 1;
        }
        std::printf("locked\n");
        std::fflush(stdout);
        std::string line;
        std::getline(std::cin, line);
        if (!query.exec(QStringLiteral("COMMIT")))
            result = 1;
        query.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(QSqlDatabase::defaultConnection);
    return result;
}
