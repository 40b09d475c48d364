#include "Database.h"

#include "Exception.h"
#include "IniFile.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

namespace {

constexpr int kBusyTimeoutMs = 5000;

[[noreturn]] void Fail(const TDatabaseSettings& settings, const QString& reason) {
    throw Exception((settings.Driver + QStringLiteral(" ") + settings.Location() + QStringLiteral(": ") + reason)
                        .toStdString());
}

QString ErrorText(const QSqlError& error) {
    QString text = error.driverText();
    if (!error.databaseText().isEmpty() && error.databaseText() != text)
        text = text.isEmpty() ? error.databaseText() : text + QStringLiteral(": ") + error.databaseText();
    return text.trimmed();
}

} // namespace

QString TDatabaseSettings::SqliteFile() const {
    return IsSqlite() ? QFileInfo(Folder + Name).absoluteFilePath() : QString();
}

QString TDatabaseSettings::Location() const {
    if (IsSqlite())
        return SqliteFile();
    QString location = Name;
    if (!Host.isEmpty())
        location = Host + (Port > 0 ? QStringLiteral(":%1").arg(Port) : QString()) + QStringLiteral("/") + location;
    if (!User.isEmpty())
        location = User + QStringLiteral("@") + location;
    return location;
}

TDatabaseSettings ReadDatabaseSettings(const IniFile& config, const QString& configDir) {
    TDatabaseSettings settings;
    const QString section = QStringLiteral("database");
    settings.Driver = config.ReadString(section, QStringLiteral("driver"), QStringLiteral("QSQLITE")).toUpper();
    settings.Name = config.ReadString(section, QStringLiteral("name"),
                                      settings.IsSqlite() ? QStringLiteral("vyk.sqlite") : QStringLiteral("vyk"));
    settings.Folder = configDir + QStringLiteral("database/");
    settings.Host = config.ReadString(section, QStringLiteral("host"), QString());
    settings.Port = config.ReadInteger(section, QStringLiteral("port"), 0);
    settings.User = config.ReadString(section, QStringLiteral("user"), QString());
    return settings;
}

QSqlDatabase OpenDatabase(const TDatabaseSettings& settings, const QString& connectionName, bool createSqliteFile) {
    if (!QSqlDatabase::isDriverAvailable(settings.Driver))
        Fail(settings, QStringLiteral("драйвер не установлен (есть: %1)")
                           .arg(QSqlDatabase::drivers().join(QStringLiteral(", "))));
    QSqlDatabase db = QSqlDatabase::addDatabase(settings.Driver, connectionName);
    QString reason;
    if (settings.IsSqlite()) {
        // mode=rw: SQLite opens an existing file only and never creates an empty one
        QUrl uri = QUrl::fromLocalFile(settings.SqliteFile());
        uri.setQuery(createSqliteFile ? QStringLiteral("mode=rwc") : QStringLiteral("mode=rw"));
        db.setDatabaseName(uri.toString(QUrl::FullyEncoded));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    } else {
        db.setDatabaseName(settings.Name);
        db.setHostName(settings.Host);
        if (settings.Port > 0)
            db.setPort(settings.Port);
        db.setUserName(settings.User);
    }
    if (!db.open()) {
        reason = ErrorText(db.lastError());
    } else if (settings.IsSqlite()) {
        // The first statements also prove that the file is a database at all. A 64 MiB page cache and a memory map
        // of up to 1 GiB (a million measurements) keep lookups in a large journal as fast as in a small one.
        QSqlQuery pragma(db);
        for (const char* statement : {"PRAGMA journal_mode=WAL", "PRAGMA synchronous=FULL", "PRAGMA cache_size=-65536",
                                      "PRAGMA mmap_size=1073741824"}) {
            if (!pragma.exec(QLatin1String(statement))) {
                reason = ErrorText(pragma.lastError());
                break;
            }
        }
    }
    if (reason.isEmpty())
        return db;
    // The closed connection stays registered: the connection dump can still tell what was tried, and every
    // query on it reports that the database is not open.
    db.close();
    Fail(settings, reason);
}

void CloseDatabase(const QString& connectionName) {
    if (!QSqlDatabase::contains(connectionName))
        return;
    QSqlDatabase::database(connectionName, false).close();
    QSqlDatabase::removeDatabase(connectionName);
}
