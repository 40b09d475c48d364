#include "Transaction.h"

#include "Exception.h"
#include "SqlDialect.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {
// Depth of the transaction running on the (single, user-interface thread) connection.
int Depth = 0;
} // namespace

TTransaction::TTransaction(QSqlDatabase db) : Db(std::move(db)) {
    if (Depth == 0) {
        Run(TSqlDialect::Of(Db).BeginStatement());
        Outermost = true;
    }
    ++Depth;
}

TTransaction::~TTransaction() {
    --Depth;
    if (Outermost && !Done) {
        QSqlQuery rollback(Db);
        rollback.exec(QStringLiteral("ROLLBACK"));
    }
}

void TTransaction::LockForIdAllocation(const QString& table) {
    const QString statement = TSqlDialect::Of(Db).LockForIdAllocation(table);
    if (!statement.isEmpty())
        Run(statement);
}

void TTransaction::Commit() {
    if (!Outermost)
        return;
    Run(QStringLiteral("COMMIT"));
    Done = true;
}

void TTransaction::Run(const QString& statement) {
    QSqlQuery query(Db);
    if (!query.exec(statement))
        throw Exception(QStringLiteral("SQL : %1\n%2").arg(statement, query.lastError().text()).toStdString());
}
