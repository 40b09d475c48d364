#include "ADOEntity.h"

#include "Exception.h"
#include "SqlDialect.h"
#include "Strtools.h"
#include "Transaction.h"
#include "VYKInterfaceForm.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlRecord>

namespace {

const QString kQueryFailed = QStringLiteral("Сбой при выполнении запроса к БД");

} // namespace

TADOEntity::TADOEntity() : Query(QSqlDatabase::database(QLatin1String(QSqlDatabase::defaultConnection), false)) {}

TADOEntity::~TADOEntity() { Query.finish(); }

void TADOEntity::SetSQL(const QString& text) {
    Query.finish();
    Text = text;
    Statement = TSqlStatement::Parse(text);
    for (auto it = Values.begin(); it != Values.end();)
        it = Statement.Names.contains(it.key()) ? std::next(it) : Values.erase(it);
    Prepared = false;
}

void TADOEntity::SetParam(const QString& name, const QVariant& value) {
    const QString key = name.toLower();
    if (!Statement.Names.contains(key))
        throw Exception(QStringLiteral("Параметр '%1' не найден в запросе:\n%2").arg(name, Text).toStdString());
    // integers throughout: a flag column holds 0 or 1 on every driver
    Values.insert(key, value.typeId() == QMetaType::Bool ? QVariant(value.toBool() ? 1 : 0) : value);
}

void TADOEntity::Run(bool asQuery) {
    Rows = 0;
    Columns.clear();
    Result.clear();
    Current = 0;
    if (!Prepared) {
        Query.setForwardOnly(true);
        if (!Query.prepare(Statement.Positional))
            throw Exception(QStringLiteral("SQL : %1\n%2").arg(Text, Query.lastError().text()).toStdString());
        Prepared = true;
    }
    for (qsizetype i = 0; i < Statement.Names.size(); ++i)
        Query.bindValue(int(i), Values.value(Statement.Names[i]));
    if (!Query.exec())
        throw Exception(QStringLiteral("SQL : %1\n%2").arg(Text, Query.lastError().text()).toStdString());
    if (asQuery)
        ReadResult();
    else
        Rows = Query.numRowsAffected();
    Query.finish();
}

void TADOEntity::ReadResult() {
    const QSqlRecord record = Query.record();
    for (int i = 0; i < record.count(); ++i)
        Columns.append(record.fieldName(i));
    while (Query.next()) {
        QVariantList row;
        row.reserve(record.count());
        for (int i = 0; i < record.count(); ++i)
            row.append(Query.value(i));
        Result.append(std::move(row));
    }
    if (Query.lastError().isValid())
        throw Exception(QStringLiteral("SQL : %1\n%2").arg(Text, Query.lastError().text()).toStdString());
    Rows = int(Result.size());
}

bool TADOEntity::RunReported(bool asQuery, const char* operation) {
    Failed = false;
    try {
        Run(asQuery);
        return true;
    } catch (const Exception& error) {
        Query.finish();
        Rows = 0;
        Failed = true;
        ReportError(QString::fromUtf8(error.what()) + QStringLiteral("\n@ TADOEntity::") + QLatin1String(operation),
                    kQueryFailed);
        return false;
    }
}

bool TADOEntity::OpenQuery() { return RunReported(true, "OpenQuery"); }
bool TADOEntity::ExecQuery() { return RunReported(false, "ExecQuery"); }

void TADOEntity::CloseQuery() {
    Query.finish();
    Columns.clear();
    Result.clear();
    Current = 0;
}

void TADOEntity::Open() { Run(true); }
void TADOEntity::Exec() { Run(false); }
bool TADOEntity::Eof() const { return Current >= Result.size(); }
void TADOEntity::First() { Current = 0; }
void TADOEntity::Next() {
    if (Current < Result.size())
        ++Current;
}

QVariant TADOEntity::Column(const QString& column) const {
    qsizetype index = -1;
    for (qsizetype i = 0; i < Columns.size() && index < 0; ++i)
        if (Columns[i].compare(column, Qt::CaseInsensitive) == 0)
            index = i;
    if (index < 0)
        throw Exception(QStringLiteral("Поле '%1' не найдено в результате запроса:\n%2").arg(column, Text).toStdString());
    if (Eof())
        throw Exception(QStringLiteral("Нет текущей строки для поля '%1':\n%2").arg(column, Text).toStdString());
    return Result[Current][index];
}

int TADOEntity::GetInt(const QString& column) const {
    const QVariant value = Column(column);
    return value.isNull() ? 0 : value.toInt();
}

QString TADOEntity::GetText(const QString& column) const { return Column(column).toString(); }

QDateTime TADOEntity::GetTimeStamp(const QString& column) const { return ParseTimeStamp(GetText(column)); }

int TADOEntity::AllocateId(const QString& table) {
    SetSQL(QStringLiteral("SELECT max(id) as maxid FROM %1").arg(table));
    Open();
    const int id = GetInt(QStringLiteral("maxid")) + 1;
    CloseQuery();
    return id;
}

void TADOEntity::LogADOInfo() {
    const QSqlDatabase db = QSqlDatabase::database(QLatin1String(QSqlDatabase::defaultConnection), false);
    ReportError(QStringLiteral("ADO version: %1").arg(db.isOpen() ? TSqlDialect::Of(db).VersionText(db)
                                                                  : db.driverName() + QStringLiteral(", Qt ") +
                                                                        QString::fromLatin1(qVersion())) +
                    QStringLiteral("\n@ TADOEntity::LogADOInfo"),
                QString());

    const auto yesNo = [](bool value) { return value ? QStringLiteral("yes") : QStringLiteral("no"); };
    const QSqlDriver* driver = db.driver();
    const QList<QPair<QString, QString>> properties = {
        {QStringLiteral("Driver"), db.driverName()},
        {QStringLiteral("Valid"), yesNo(db.isValid())},
        {QStringLiteral("Open"), yesNo(db.isOpen())},
        {QStringLiteral("Database"), db.databaseName()},
        {QStringLiteral("Host"), db.hostName()},
        {QStringLiteral("Port"), db.port() >= 0 ? QString::number(db.port()) : QString()},
        {QStringLiteral("User"), db.userName()},
        {QStringLiteral("Connect options"), db.connectOptions()},
        {QStringLiteral("Transactions"), yesNo(driver && driver->hasFeature(QSqlDriver::Transactions))},
        {QStringLiteral("Query size"), yesNo(driver && driver->hasFeature(QSqlDriver::QuerySize))},
        {QStringLiteral("Last error"), db.lastError().text()},
        {QStringLiteral("Available drivers"), QSqlDatabase::drivers().join(QStringLiteral(", "))},
    };
    QString lines;
    for (const auto& [name, value] : properties)
        lines += name + QStringLiteral(" = ") + value + QLatin1Char('\n');
    ReportError(QStringLiteral("ADO info:\n%1").arg(lines) + QStringLiteral("\n@ TADOEntity::LogADOInfo"), QString());
}

void TADOEntity::SaveRow(qint32& id, const QString& table, const QString& insert, const QString& update,
                                   const std::function<void()>& bind) {
    const qint32 oldId = id;
    try {
        TTransaction transaction;
        if (id <= 0) {
            transaction.LockForIdAllocation(table);
            id = AllocateId(table);
            SetSQL(insert);
        } else {
            SetSQL(update);
        }
        SetParam(QStringLiteral("id"), id);
        bind();
        Exec();
        transaction.Commit();
    } catch (...) {
        id = oldId;
        throw;
    }
}
