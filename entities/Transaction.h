#pragma once

#include <QSqlDatabase>

// A write transaction for the lifetime of the object: committed by Commit(), rolled back when the object goes out
// of scope without it (an exception). Nested transactions join the outermost one, so an entity's Save can run
// inside its owner's Save and everything commits or rolls back together.
class TTransaction {
public:
    explicit TTransaction(QSqlDatabase db = QSqlDatabase::database());
    ~TTransaction();
    TTransaction(const TTransaction&) = delete;
    TTransaction& operator=(const TTransaction&) = delete;

    // Takes the lock that keeps id allocation for table safe against other writers (see TSqlDialect).
    void LockForIdAllocation(const QString& table);
    // Throws Exception when the commit fails; the transaction is then rolled back.
    void Commit();

private:
    void Run(const QString& statement);

    QSqlDatabase Db;
    bool Outermost = false;
    bool Done = false;
};
