#pragma once

#include <QSqlDatabase>
#include <QString>

class IniFile;

// Where the program's one database connection goes: section [database] of config.ini.
struct TDatabaseSettings {
    QString Driver;   // QSQLITE or QPSQL
    QString Name;     // SQLite: the file inside Folder; PostgreSQL: the database name
    QString Folder;   // the configuration folder's database/ folder
    QString Host;     // PostgreSQL only, as are Port and User
    int Port = 0;
    QString User;

    bool IsSqlite() const { return Driver == QLatin1String("QSQLITE"); }
    // The SQLite file, made absolute against the current folder; empty for a server database.
    QString SqliteFile() const;
    // For messages: the file, or user@host:port/name.
    QString Location() const;
};

TDatabaseSettings ReadDatabaseSettings(const IniFile& config, const QString& configDir);

// Opens the connection under connectionName (Qt's default connection unless told otherwise). A missing SQLite
// file is a failure, never a new empty database. SQLite runs with a write-ahead journal, full synchronisation
// (a saved weighing survives a power cut) and a busy time-out. Throws Exception naming the database and the
// driver's reason; the failed connection stays registered, closed, so the connection dump can show it.
// createSqliteFile: only the database tool of a new installation may create the SQLite file.
QSqlDatabase OpenDatabase(const TDatabaseSettings& settings,
                          const QString& connectionName = QLatin1String(QSqlDatabase::defaultConnection),
                          bool createSqliteFile = false);

// Closes and forgets the connection opened by OpenDatabase; nothing happens when there is none.
void CloseDatabase(const QString& connectionName = QLatin1String(QSqlDatabase::defaultConnection));
