#pragma once

#include "Database.h"
#include "Exception.h"
#include "Schema.h"
#include "VYKInterfaceForm.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlRecord>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Stands in for the main window: keeps what is reported instead of showing it.
class RecordingInterfaceForm : public TVYKInterfaceForm {
public:
    struct Report {
        QString Info, Text;
    };
    RecordingInterfaceForm() { InterfaceForm = this; }
    ~RecordingInterfaceForm() override { InterfaceForm = nullptr; }

    QString GetConfigDir() const override { return ConfigDir; }
    void Subscribe(QObject*, qint16) override {}
    void Unsubscribe(QObject*, qint16) override {}
    void ReplaceSubscriber(QObject*, QObject*) override {}
    void PostEvent(const TMessage& event) override { Events.append(event.WParam); }
    void ReportError(const QString& info, const QString& text) override { Reports.append({info, text}); }
    void DockForm(QWidget*, bool) override {}
    void UndockForm(QWidget*) override {}

    QString ConfigDir;
    QList<Report> Reports;
    QList<quintptr> Events; // the event words posted
};

// The database a storage test runs on: a fresh SQLite file, or a fresh schema in the PostgreSQL server that
// VYK_TEST_PG names ("host=… port=… user=… dbname=…").
enum class Backend { Sqlite, Postgres };

// Both, always: the list of tests must not depend on the environment it was first listed in. Without VYK_TEST_PG
// the PostgreSQL cases are skipped.
inline std::vector<Backend> AvailableBackends() { return {Backend::Sqlite, Backend::Postgres}; }

inline void PrintTo(Backend backend, std::ostream* out) { *out << (backend == Backend::Sqlite ? "SQLite" : "PostgreSQL"); }

inline std::string BackendName(const ::testing::TestParamInfo<Backend>& info) {
    return info.param == Backend::Sqlite ? "Sqlite" : "Postgres";
}

class StorageTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        if (GetParam() == Backend::Postgres && qEnvironmentVariableIsEmpty("VYK_TEST_PG"))
            GTEST_SKIP() << "VYK_TEST_PG names no PostgreSQL server";
        TDatabaseSettings settings;
        if (GetParam() == Backend::Sqlite) {
            settings.Driver = QStringLiteral("QSQLITE");
            settings.Folder = Folder.path() + QStringLiteral("/");
            settings.Name = QStringLiteral("vyk.sqlite");
        } else {
            settings.Driver = QStringLiteral("QPSQL");
            for (const QString& pair : qEnvironmentVariable("VYK_TEST_PG").split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
                const QString key = pair.section(QLatin1Char('='), 0, 0), value = pair.section(QLatin1Char('='), 1);
                if (key == QLatin1String("host"))
                    settings.Host = value;
                else if (key == QLatin1String("port"))
                    settings.Port = value.toInt();
                else if (key == QLatin1String("user"))
                    settings.User = value;
                else if (key == QLatin1String("dbname"))
                    settings.Name = value;
            }
        }
        Db = OpenDatabase(settings, QLatin1String(QSqlDatabase::defaultConnection), true);
        if (GetParam() == Backend::Postgres) {
            Schema = QStringLiteral("vyk_test_%1").arg(QCoreApplication::applicationPid());
            Run(QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(Schema));
            Run(QStringLiteral("CREATE SCHEMA %1").arg(Schema));
            Run(QStringLiteral("SET search_path TO %1").arg(Schema));
        }
        CreateSchema(Db, BuiltInSchema());
    }

    void TearDown() override {
        if (!Schema.isEmpty())
            Run(QStringLiteral("DROP SCHEMA %1 CASCADE").arg(Schema));
        Db = QSqlDatabase();
        CloseDatabase();
    }

    bool IsPostgres() const { return GetParam() == Backend::Postgres; }

    void Run(const QString& statement) {
        QSqlQuery query(Db);
        ASSERT_TRUE(query.exec(statement)) << statement.toStdString() << ": " << query.lastError().text().toStdString();
    }

    // The first column of the first row, or an invalid value.
    QVariant Value(const QString& statement) {
        QSqlQuery query(Db);
        if (!query.exec(statement) || !query.next())
            return {};
        return query.value(0);
    }
    int Count(const QString& table, const QString& condition = QStringLiteral("1 = 1")) {
        return Value(QStringLiteral("select count(*) from %1 where %2").arg(table, condition)).toInt();
    }

    // Makes every later "UPDATE weighs SET msr_id" of the weighing id fail, as a broken disk or a lost server
    // would in the middle of a save.
    void BreakMsrIdUpdate(int weighingId) {
        if (IsPostgres()) {
            Run(QStringLiteral("CREATE FUNCTION fail_update() RETURNS trigger AS $$ BEGIN "
                               "RAISE EXCEPTION 'disk on fire'; END $$ LANGUAGE plpgsql"));
            Run(QStringLiteral("CREATE TRIGGER fail BEFORE UPDATE OF msr_id ON weighs FOR EACH ROW "
                               "WHEN (NEW.id = %1) EXECUTE FUNCTION fail_update()").arg(weighingId));
        } else {
            Run(QStringLiteral("CREATE TRIGGER fail BEFORE UPDATE OF msr_id ON weighs WHEN NEW.id = %1 "
                               "BEGIN SELECT RAISE(ABORT, 'disk on fire'); END").arg(weighingId));
        }
    }

    RecordingInterfaceForm Form;
    QTemporaryDir Folder;
    QSqlDatabase Db;
    QString Schema;
};

#define STORAGE_TEST_SUITE(Suite)                                                                                   \
    INSTANTIATE_TEST_SUITE_P(Drivers, Suite, ::testing::ValuesIn(AvailableBackends()), BackendName)
