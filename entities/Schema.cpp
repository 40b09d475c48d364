#include "Schema.h"

#include "Exception.h"
#include "SqlDialect.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>

const QStringList& SchemaTables() {
    static const QStringList tables = {QStringLiteral("measure"),  QStringLiteral("weighs"), QStringLiteral("records"),
                                       QStringLiteral("vehicles"), QStringLiteral("models"), QStringLiteral("drivers")};
    return tables;
}

QStringList ExistingTables(const QSqlDatabase& db) {
    QStringList existing;
    for (const QString& table : SchemaTables())
        if (TSqlDialect::Of(db).TableExists(db, table))
            existing.append(table);
    return existing;
}

void CreateSchema(const QSqlDatabase& db, const QString& schema) {
    QSqlQuery query(db);
    const auto run = [&query](const QString& statement) {
        if (!query.exec(statement))
            throw Exception(QStringLiteral("SQL : %1\n%2").arg(statement, query.lastError().text()).toStdString());
    };
    run(TSqlDialect::Of(db).BeginStatement());
    try {
        for (const QString& statement : TSqlDialect::Of(db).SchemaStatements(schema))
            run(statement);
        run(QStringLiteral("COMMIT"));
    } catch (...) {
        query.exec(QStringLiteral("ROLLBACK"));
        throw;
    }
}

QString BuiltInSchema() {
    Q_INIT_RESOURCE(schema); // the resource lives in a static library: make sure it is linked in
    QFile file(QStringLiteral(":/schema.sql"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}
