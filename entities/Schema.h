#pragma once

#include <QSqlDatabase>
#include <QStringList>

// The six tables of the program.
const QStringList& SchemaTables();

// The tables of the six that already exist in db.
QStringList ExistingTables(const QSqlDatabase& db);

// Creates the six tables and their indexes in one transaction from the schema text (dist/schema.sql). Throws
// Exception naming the failing statement; nothing is created then.
void CreateSchema(const QSqlDatabase& db, const QString& schema);

// The schema text built into the program.
QString BuiltInSchema();
