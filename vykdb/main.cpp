// vykdb: the database tool of an installation.
//   vykdb init   creates the six empty tables in the database that vyk.ini and config.ini beside it configure.
#include "Database.h"
#include "IniFile.h"
#include "ProgramConfig.h"
#include "Schema.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

namespace {

void Print(FILE* stream, const QString& text) { std::fprintf(stream, "%s\n", text.toUtf8().constData()); }

int Init(const QString& programFolder) {
    const QString configDir = ConfigDirOf(programFolder);
    const IniFile config(configDir + QStringLiteral("config.ini"));
    const TDatabaseSettings settings = ReadDatabaseSettings(config, configDir);
    if (settings.IsSqlite() && !QDir().mkpath(settings.Folder)) {
        Print(stderr, QStringLiteral("vykdb: cannot create the folder %1").arg(settings.Folder));
        return 1;
    }
    try {
        const QSqlDatabase db = OpenDatabase(settings, QStringLiteral("vykdb"), true);
        const QStringList existing = ExistingTables(db);
        if (!existing.isEmpty()) {
            Print(stderr, QStringLiteral("vykdb: %1 %2 already holds the tables %3; nothing was changed.")
                              .arg(settings.Driver, settings.Location(), existing.join(QStringLiteral(", "))));
            return 2;
        }
        CreateSchema(db, BuiltInSchema());
        Print(stdout, QStringLiteral("vykdb: created the tables %1 with their indexes in %2 %3.")
                          .arg(SchemaTables().join(QStringLiteral(", ")), settings.Driver, settings.Location()));
    } catch (const std::exception& error) {
        Print(stderr, QStringLiteral("vykdb: %1").arg(QString::fromUtf8(error.what())));
        CloseDatabase(QStringLiteral("vykdb"));
        return 1;
    }
    CloseDatabase(QStringLiteral("vykdb"));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments().mid(1);
    if (arguments != QStringList(QStringLiteral("init"))) {
        Print(stderr, QStringLiteral("usage: vykdb init\n"
                                     "  Creates the empty tables of a new installation in the database configured by\n"
                                     "  vyk.ini and config.ini beside this program. A database that already has them\n"
                                     "  is left alone."));
        return 64;
    }
    return Init(QCoreApplication::applicationDirPath() + QLatin1Char('/'));
}
