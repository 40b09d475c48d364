#pragma once

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

// A throw-away program folder laid out like an installation: config/ with database/, and Tarvis.ttf.
class ProgramFolder {
public:
    ProgramFolder() {
        QDir(Dir.path()).mkpath(QStringLiteral("config/database"));
#ifdef TARVIS_TTF
        QFile::copy(QStringLiteral(TARVIS_TTF), Path(QStringLiteral("Tarvis.ttf")));
#endif
    }

    QString Path(const QString& name = QString()) const { return Dir.path() + QLatin1Char('/') + name; }

    void WriteFile(const QString& name, const QByteArray& text) const {
        QDir().mkpath(QFileInfo(Path(name)).path());
        QFile file(Path(name));
        file.open(QIODevice::WriteOnly);
        file.write(text);
    }

    QByteArray ReadFile(const QString& name) const {
        QFile file(Path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // An SQLite database file (empty of tables) at config/database/vyk.sqlite.
    void CreateDatabase(const QString& file = QStringLiteral("config/database/vyk.sqlite")) const {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fixture"));
            db.setDatabaseName(Path(file));
            db.open();
            QSqlQuery(db).exec(QStringLiteral("CREATE TABLE probe (id INTEGER)"));
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("fixture"));
    }

private:
    QTemporaryDir Dir;
};
