#include "SqlDialect.h"

#include <QRegularExpression>
#include <QSqlQuery>

namespace {

// The schema marks the time-stamp columns; PostgreSQL must compare them byte by byte so text order is time order.
const QString kTimeStampCollation = QStringLiteral("/*TIMESTAMP_COLLATION*/");

QStringList SplitStatements(const QString& schema) {
    QString text = schema;
    text.remove(QRegularExpression(QStringLiteral("--[^\n]*")));
    QStringList statements;
    for (const QString& part : text.split(QLatin1Char(';'))) {
        const QString statement = part.trimmed();
        if (!statement.isEmpty())
            statements.append(statement);
    }
    return statements;
}

QString FirstValue(const QSqlDatabase& db, const QString& statement) {
    QSqlQuery query(db);
    return query.exec(statement) && query.next() ? query.value(0).toString() : QString();
}

class SqliteDialect : public TSqlDialect {
public:
    QStringList SchemaStatements(const QString& schema) const override {
        return SplitStatements(QString(schema).remove(kTimeStampCollation));
    }
    // IMMEDIATE takes the write lock at once: reading the highest id and inserting cannot be split by another writer.
    QString BeginStatement() const override { return QStringLiteral("BEGIN IMMEDIATE"); }
    QString LockForIdAllocation(const QString&) const override { return {}; }
    QString VersionText(const QSqlDatabase& db) const override {
        return QStringLiteral("QSQLITE, SQLite %1, Qt %2")
            .arg(FirstValue(db, QStringLiteral("select sqlite_version()")), QString::fromLatin1(qVersion()));
    }
    bool TableExists(const QSqlDatabase& db, const QString& table) const override {
        QSqlQuery query(db);
        query.prepare(QStringLiteral("select count(*) from sqlite_master where type = 'table' and name = ?"));
        query.addBindValue(table);
        return query.exec() && query.next() && query.value(0).toInt() > 0;
    }
};

class PostgresDialect : public TSqlDialect {
public:
    QStringList SchemaStatements(const QString& schema) const override {
        return SplitStatements(QString(schema).replace(kTimeStampCollation, QStringLiteral("COLLATE \"C\"")));
    }
    QString BeginStatement() const override { return QStringLiteral("BEGIN"); }
    // Readers go on; a second allocator waits until this transaction ends.
    QString LockForIdAllocation(const QString& table) const override {
        return QStringLiteral("LOCK TABLE %1 IN SHARE ROW EXCLUSIVE MODE").arg(table);
    }
    QString VersionText(const QSqlDatabase& db) const override {
        return QStringLiteral("QPSQL, PostgreSQL %1, Qt %2")
            .arg(FirstValue(db, QStringLiteral("show server_version")), QString::fromLatin1(qVersion()));
    }
    bool TableExists(const QSqlDatabase& db, const QString& table) const override {
        QSqlQuery query(db);
        query.prepare(QStringLiteral("select count(*) from information_schema.tables "
                                     "where table_schema = current_schema() and table_name = ?"));
        query.addBindValue(table);
        return query.exec() && query.next() && query.value(0).toInt() > 0;
    }
};

} // namespace

const TSqlDialect& TSqlDialect::Of(const QSqlDatabase& db) {
    static const SqliteDialect sqlite;
    static const PostgresDialect postgres;
    if (db.driverName() == QLatin1String("QPSQL"))
        return postgres;
    return sqlite;
}
