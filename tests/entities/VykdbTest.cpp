#include "QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Result {
    int ExitCode;
    QString Output;
};

// Runs a copy of vykdb placed in folder, as an installation would have it.
Result RunVykdb(const QString& folder, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(folder + QStringLiteral("/vykdb"), arguments);
    process.waitForFinished(30000);
    return {process.exitCode(), QString::fromUtf8(process.readAll())};
}

} // namespace

TEST(Vykdb, InitCreatesTheTablesOnceAndRefusesAfterwards) {
    QTemporaryDir folder;
    ASSERT_TRUE(QFile::copy(QStringLiteral(VYKDB_PATH), folder.filePath(QStringLiteral("vykdb"))));
    QFile::setPermissions(folder.filePath(QStringLiteral("vykdb")), QFile::ReadOwner | QFile::ExeOwner);
    const QString configDir = folder.filePath(QStringLiteral("station/cfg/"));
    QFile vykIni(folder.filePath(QStringLiteral("vyk.ini")));
    ASSERT_TRUE(vykIni.open(QIODevice::WriteOnly));
    vykIni.write("[config]\ndir=" + configDir.toUtf8() + "\n");
    vykIni.close();

    EXPECT_EQ(RunVykdb(folder.path(), {}).ExitCode, 64);

    const Result first = RunVykdb(folder.path(), {QStringLiteral("init")});
    EXPECT_EQ(first.ExitCode, 0) << first.Output.toStdString();
    const QString file = configDir + QStringLiteral("database/vyk.sqlite");
    EXPECT_TRUE(first.Output.contains(file)) << first.Output.toStdString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
        db.setDatabaseName(file);
        ASSERT_TRUE(db.open());
        for (const char* table : {"measure", "weighs", "records", "vehicles", "models", "drivers"})
            EXPECT_TRUE(QSqlQuery(db).exec(QStringLiteral("select count(*) from %1").arg(QLatin1String(table))))
                << table;
        QSqlQuery(db).exec(QStringLiteral("insert into drivers (id, surname) values (1, 'Иванов')"));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("check"));

    const Result second = RunVykdb(folder.path(), {QStringLiteral("init")});
    EXPECT_EQ(second.ExitCode, 2);
    EXPECT_TRUE(second.Output.contains(QStringLiteral("nothing was changed"))) << second.Output.toStdString();
}
