#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <memory>

// Everything that differs between the database drivers the program runs on (SQLite for one station, PostgreSQL
// for several) lives behind this interface, so no other code asks which driver it talks to.
class TSqlDialect {
public:
    virtual ~TSqlDialect() = default;

    // The dialect of a connection's driver (SQLite's for anything unknown).
    static const TSqlDialect& Of(const QSqlDatabase& db);

    // The schema statements of a new installation, from the schema text.
    virtual QStringList SchemaStatements(const QString& schema) const = 0;
    // Starts a write transaction that later reads and writes see consistently.
    virtual QString BeginStatement() const = 0;
    // Run inside a transaction before the highest id of table is read, so that two stations writing one database
    // cannot allocate the same id. Empty when the transaction itself already excludes other writers.
    virtual QString LockForIdAllocation(const QString& table) const = 0;
    // "ADO version" of the connection dump: the driver and the database server version.
    virtual QString VersionText(const QSqlDatabase& db) const = 0;
    // Whether a table exists.
    virtual bool TableExists(const QSqlDatabase& db, const QString& table) const = 0;
};
