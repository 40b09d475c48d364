#include "StorageData.h"

#include "Database.h"
#include "Exception.h"
#include "Schema.h"

#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>

TStorageData::TStorageData(int measurements)
    : Measurements(measurements), Vehicles(std::max(500, measurements / 20)), Drivers(std::max(50, measurements / 200)) {}

void TStorageData::Generate(const QString& path) const {
    QFile::remove(path);
    const QString connection = QStringLiteral("generator");
    {
        TDatabaseSettings settings;
        settings.Driver = QStringLiteral("QSQLITE");
        settings.Folder = QFileInfo(path).absolutePath() + QLatin1Char('/');
        settings.Name = QFileInfo(path).fileName();
        QSqlDatabase db = OpenDatabase(settings, connection, true);
        CreateSchema(db, BuiltInSchema());
        QSqlQuery query(db);
        const auto run = [&query](const QString& statement) {
            if (!query.exec(statement))
                throw Exception((statement + QLatin1Char('\n') + query.lastError().text()).toStdString());
        };
        const QString numbers = QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) ");
        run(QStringLiteral("PRAGMA synchronous=OFF"));
        run(QStringLiteral("BEGIN"));
        // twenty models, half of them tractors
        run(numbers.arg(20) + QStringLiteral("INSERT INTO models (id, name, printlabel, class, unladen_w) "
                                             "SELECT i, 'MODEL-' || i, 'Model ' || i, CASE WHEN i <= 10 THEN 100 ELSE 200 END, "
                                             "7000 + i * 100 FROM n"));
        run(numbers.arg(Vehicles) + QStringLiteral("INSERT INTO vehicles (id, model_id, regnum) "
                                                   "SELECT i, 1 + (i % 20), 'А' || i || 'ВС77' FROM n"));
        run(numbers.arg(Drivers) + QStringLiteral("INSERT INTO drivers (id, name, surname, patronimyc) "
                                                  "SELECT i, 'Имя' || i, 'Фамилия' || i, 'Отчество' || i FROM n"));
        // one measurement a minute, 3 to 6 axles each
        run(numbers.arg(Measurements) +
            QStringLiteral("INSERT INTO measure (id, time_stamp, type, axes_cnt, bogies_cnt) "
                           "SELECT i, strftime('%Y.%m.%d %H:%M:%S', 1500000000 + i * 60, 'unixepoch'), 3, 3 + (i % 4), 0 FROM n"));
        // weighing ids: seven per measurement, the total first
        run(QStringLiteral("WITH RECURSIVE k(j) AS (SELECT 0 UNION ALL SELECT j + 1 FROM k WHERE j < 6) "
                           "INSERT INTO weighs (id, time_stamp, type, num, calc, axes_cnt, weight, error, \"limit\", msr_id) "
                           "SELECT (m.id - 1) * 7 + k.j + 1, m.time_stamp, CASE WHEN k.j = 0 THEN 1 ELSE 3 END, k.j, "
                           "CASE WHEN k.j = 0 THEN 1 ELSE 0 END, 0, "
                           "CASE WHEN k.j = 0 THEN m.axes_cnt * 7000 ELSE 7000 END, 0, 0, m.id "
                           "FROM measure m JOIN k ON k.j <= m.axes_cnt"));
        run(QStringLiteral("INSERT INTO records (id, base_id, tractor_id, trailer_id, driver_id, type, load, netto, brutto, document) "
                           "SELECT m.id, 0, 1 + (m.id * 7919) % %1, 1 + (m.id * 104729) % %1, 1 + (m.id * 31) % %2, 0, "
                           "1 + (m.id % 2), 0, m.axes_cnt * 7000, 'ТН-' || m.id FROM measure m WHERE m.id % 10 <> 0")
                .arg(Vehicles)
                .arg(Drivers));
        run(QStringLiteral("COMMIT"));
        run(QStringLiteral("ANALYZE"));
    }
    CloseDatabase(connection);
}

QString TStorageData::CachedFile(const QString& folder) const {
    QDir().mkpath(folder);
    const QString path = QStringLiteral("%1/vyk-%2.sqlite").arg(folder).arg(Measurements);
    if (!QFile::exists(path)) {
        const QString partial = path + QStringLiteral(".partial");
        Generate(partial);
        QFile::remove(partial + QStringLiteral("-wal"));
        QFile::remove(partial + QStringLiteral("-shm"));
        QFile::rename(partial, path);
    }
    return path;
}
