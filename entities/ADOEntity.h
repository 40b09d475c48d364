#pragma once

#include "SqlStatement.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QStringList>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <functional>

// The query under every stored entity: one statement at a time with named parameters on the program's one
// database connection. A query's result is read whole into memory when it is opened (so Rows is exact on every
// driver and the statement releases the database at once); the current row then moves over that copy.
//
// OpenQuery and ExecQuery report a failure to the operator ("Сбой при выполнении запроса к БД") and return false;
// the direct calls (Open, Exec, First, Next, Eof, GetInt, GetText, GetTimeStamp) raise Exception to the caller.
class TADOEntity {
public:
    TADOEntity();
    ~TADOEntity();
    TADOEntity(const TADOEntity&) = delete;
    TADOEntity& operator=(const TADOEntity&) = delete;

    // Replaces the statement. A parameter that had a value keeps it when its name is still in the new text.
    void SetSQL(const QString& text);
    const QString& SQL() const { return Text; }
    // Gives value (integer, boolean or text) to every parameter of that name; a name not in the statement raises.
    void SetParam(const QString& name, const QVariant& value);

    bool OpenQuery();
    bool ExecQuery();
    // Whether the last OpenQuery or ExecQuery failed (and was reported).
    bool LastFailed() const { return Failed; }
    void CloseQuery();

    // Direct calls: a failure raises Exception.
    void Open(); // runs the statement as a query; the first row (if any) is current
    void Exec(); // runs it as a command; Rows = rows changed
    bool Eof() const;
    void First();
    void Next();
    int GetInt(const QString& column) const; // an empty value gives 0
    QString GetText(const QString& column) const;
    QDateTime GetTimeStamp(const QString& column) const; // a text that does not parse gives the null date-time

    // The highest id of table plus one (1 for an empty table). Call inside a TTransaction that has locked table
    // for id allocation.
    int AllocateId(const QString& table);
    // Writes one row in its own (or the caller's) transaction: with id 0 or less it allocates the id from table and
    // runs insert, else update; bind sets the parameters besides :id. A failure raises and restores id.
    void SaveRow(qint32& id, const QString& table, const QString& insert, const QString& update,
                 const std::function<void()>& bind);

    // Writes the connection dump (driver and server version, connection properties, never a password) to the log.
    void LogADOInfo();

    // The result of the last query opened, for views that show it whole.
    const QStringList& ResultColumns() const { return Columns; }
    const QList<QVariantList>& ResultRows() const { return Result; }

    QSqlQuery Query;
    int Rows = 0;

private:
    void Run(bool asQuery);
    bool RunReported(bool asQuery, const char* operation);
    QVariant Column(const QString& column) const;
    void ReadResult();

    QString Text;
    TSqlStatement Statement;
    QHash<QString, QVariant> Values; // by lower-case name
    bool Prepared = false;
    QStringList Columns;
    QList<QVariantList> Result;
    qsizetype Current = 0;
    bool Failed = false;
};
