#include "AboutForm.h"
#include "IniFile.h"
#include "Logger.h"
#include "MainForm.h"
#include "ModalWatcher.h"
#include "ProgramFolder.h"
#include "Version.h"
#include "VykApplication.h"
#include "WarningForm.h"

#include <QFontDatabase>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTreeWidget>
#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

QString LogText() {
    QFile file(QString::fromStdString(Logger().FileName()));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

struct Shown {
    QString Title, Text, Info;
};

// Starts a main window over folder, answering every modal window and keeping what they said.
std::unique_ptr<TMainForm> Start(const ProgramFolder& folder, QList<Shown>* shown = nullptr) {
    ModalWatcher watcher([shown](QWidget* modal) {
        if (!shown)
            return;
        if (auto* warning = qobject_cast<TWarningForm*>(modal))
            shown->append({warning->windowTitle(), warning->MessageLbl->text(), warning->InfoLbl->text()});
    });
    return std::make_unique<TMainForm>(folder.Path());
}

// "caption|text" of every message box that action shows.
QStringList MessageBoxesOf(const std::function<void()>& action) {
    QStringList boxes;
    ModalWatcher watcher([&boxes](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            boxes.append(box->windowTitle() + QLatin1Char('|') + box->text());
    });
    action();
    return boxes;
}

} // namespace

TEST(MainForm, CaptionMenusAndLayout) {
    ProgramFolder folder;
    folder.CreateDatabase();
    auto form = Start(folder);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Тарвис    [ версия %1 ]").arg(GetVersionString()));
    EXPECT_EQ(GetVersionString(), QStringLiteral(VYK_TEST_VERSION));

    QStringList menus;
    for (QAction* action : form->FMainMenu->actions())
        menus.append(action->text());
    EXPECT_EQ(menus, (QStringList{QStringLiteral("Оформление"), QStringLiteral("Помощь")}));
    EXPECT_EQ(form->MainMenuRef, form->FMainMenu);
    EXPECT_EQ(form->HelpMI->actions().size(), 2);
    EXPECT_EQ(form->AboutMI->text(), QStringLiteral("О программе"));
    EXPECT_EQ(form->DebugMI->text(), QStringLiteral("Отладочная информация"));
    EXPECT_EQ(form->EditCardTemplate->text(), QStringLiteral("Редактировать шаблон"));

    EXPECT_EQ(form->size(), QSize(726, 518));
    EXPECT_EQ(form->minimumSize(), QSize(640, 480));
    EXPECT_FALSE(form->NavigatorTreeView->isEnabled());
    EXPECT_EQ(form->NavigatorTreeView->indentation(), 19);
    EXPECT_EQ(form->findChild<QWidget*>(QStringLiteral("TabControl")), form->TabControl);
    EXPECT_EQ(InterfaceForm, form.get());
    form.reset();
    EXPECT_EQ(InterfaceForm, nullptr);
}

TEST(MainForm, DefaultConfigFolderAndTempKeysWrittenAtEveryStart) {
    ProgramFolder folder;
    folder.CreateDatabase();
    folder.WriteFile(QStringLiteral("config/config.ini"), "[temp]\nAppDir=stale\n[zuna]\nserver=zunasrv\n");
    auto form = Start(folder);
    EXPECT_EQ(form->AppDir, folder.Path());
    EXPECT_EQ(form->CfgDir, folder.Path(QStringLiteral("config/")));
    EXPECT_EQ(form->GetConfigDir(), form->CfgDir);
    const QString ini = QString::fromUtf8(folder.ReadFile(QStringLiteral("config/config.ini")));
    EXPECT_TRUE(ini.contains(QStringLiteral("AppDir=") + folder.Path() + QLatin1Char('\n')));
    EXPECT_TRUE(ini.contains(QStringLiteral("CfgDir=") + folder.Path(QStringLiteral("config/")) + QLatin1Char('\n')));
    EXPECT_TRUE(ini.contains(QStringLiteral("server=zunasrv")));
    EXPECT_TRUE(form->DatabaseOpen);
}

TEST(MainForm, ConfiguredFolderMovesConfigurationAndDatabase) {
    ProgramFolder folder;
    const QString elsewhere = folder.Path(QStringLiteral("station one/cfg/"));
    folder.WriteFile(QStringLiteral("vyk.ini"), "[Config]\nDIR=" + elsewhere.toUtf8() + "\n");
    QDir().mkpath(elsewhere + QStringLiteral("database"));
    folder.CreateDatabase(QStringLiteral("station one/cfg/database/vyk.sqlite"));
    QList<Shown> shown;
    auto form = Start(folder, &shown);
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_TRUE(form->DatabaseOpen);
    EXPECT_EQ(form->CfgDir, elsewhere);
    const IniFile ini(elsewhere + QStringLiteral("config.ini"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("temp"), QStringLiteral("CfgDir"), QString()), elsewhere);
    EXPECT_FALSE(QFile::exists(folder.Path(QStringLiteral("config/config.ini"))));
}

TEST(MainForm, MissingDatabaseIsReportedAndNeverCreated) {
    ProgramFolder folder;
    const QString startFolder = QDir::currentPath();
    QList<Shown> shown;
    auto form = Start(folder, &shown);

    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].Title, QStringLiteral("Нештатная ситуация"));
    EXPECT_EQ(shown[0].Text, QStringLiteral("Не удалось подключится к базе данных."));
    const QString file = folder.Path(QStringLiteral("config/database/vyk.sqlite"));
    EXPECT_TRUE(shown[0].Info.startsWith(QStringLiteral("QSQLITE ") + file + QStringLiteral(": ")));
    EXPECT_TRUE(shown[0].Info.contains(QStringLiteral("unable to open database file"))) << shown[0].Info.toStdString();
    EXPECT_TRUE(shown[0].Info.endsWith(QStringLiteral("\n@ TMainForm::FormCreate")));

    EXPECT_FALSE(form->DatabaseOpen);
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_EQ(QDir::currentPath(), startFolder);

    const QString log = LogText();
    const QRegularExpression record(
        QStringLiteral(R"(\d\d:\d\d:\d\d\.\d\d\d [0-9a-f]{3,}\\[0-9a-f]{3,}  Не удалось подключится к базе данных\.\nQSQLITE )"));
    EXPECT_TRUE(record.match(log).hasMatch()) << log.toStdString();
    EXPECT_GT(log.indexOf(QStringLiteral("ADO info:\nDriver = QSQLITE\nValid = yes\nOpen = no\n"),
                          record.match(log).capturedStart()), 0); // the connection dump follows the report
}

TEST(MainForm, BrokenDatabaseFileAndUnknownDriverAreReported) {
    ProgramFolder folder;
    folder.WriteFile(QStringLiteral("config/database/vyk.sqlite"), QByteArray(4096, 'x'));
    QList<Shown> shown;
    Start(folder, &shown);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].Info.contains(QStringLiteral("not a database"))) << shown[0].Info.toStdString();

    folder.WriteFile(QStringLiteral("config/config.ini"), "[database]\ndriver=QODBC9\n");
    shown.clear();
    Start(folder, &shown);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].Info.startsWith(QStringLiteral("QODBC9 "))) << shown[0].Info.toStdString();
}

TEST(MainForm, CurrentFolderIsRestoredAfterAnOpenedDatabase) {
    ProgramFolder folder;
    folder.CreateDatabase();
    const QString startFolder = QDir::currentPath();
    auto form = Start(folder);
    EXPECT_TRUE(form->DatabaseOpen);
    EXPECT_EQ(QDir::currentPath(), startFolder);
    QSqlQuery mode(QSqlDatabase::database());
    ASSERT_TRUE(mode.exec(QStringLiteral("PRAGMA journal_mode")) && mode.next());
    EXPECT_EQ(mode.value(0).toString(), QStringLiteral("wal"));
}

TEST(MainForm, SymbolFontIsAddedWhenMissingAndRemovedAtExit) {
    ProgramFolder folder;
    folder.CreateDatabase();
    ASSERT_FALSE(QFontDatabase::families().contains(QStringLiteral("Tarvis")));
    auto form = Start(folder);
    EXPECT_EQ(form->FontFile, folder.Path(QStringLiteral("Tarvis.ttf")));
    EXPECT_TRUE(QFontDatabase::families().contains(QStringLiteral("Tarvis")));
    form.reset();
    EXPECT_FALSE(QFontDatabase::families().contains(QStringLiteral("Tarvis")));
}

TEST(MainForm, InstalledSymbolFontIsLeftAlone) {
    ProgramFolder folder;
    folder.CreateDatabase();
    const int id = QFontDatabase::addApplicationFont(QStringLiteral(TARVIS_TTF));
    ASSERT_GE(id, 0);
    auto form = Start(folder);
    EXPECT_TRUE(form->FontFile.isEmpty());
    form.reset();
    EXPECT_TRUE(QFontDatabase::families().contains(QStringLiteral("Tarvis")));
    QFontDatabase::removeApplicationFont(id);
}

TEST(MainForm, MissingFontFileIsNotReported) {
    ProgramFolder folder;
    folder.CreateDatabase();
    QFile::remove(folder.Path(QStringLiteral("Tarvis.ttf")));
    QList<Shown> shown;
    auto form = Start(folder, &shown);
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_FALSE(QFontDatabase::families().contains(QStringLiteral("Tarvis")));
}

TEST(MainForm, DebugInformationGoesToTheLog) {
    ProgramFolder folder;
    folder.CreateDatabase();
    auto form = Start(folder);
    EXPECT_EQ(MessageBoxesOf([&] { form->DebugMI->trigger(); }), QStringList(QStringLiteral("Тарвис|Отладочная информация добавлена в лог-файл.")));
    const QString log = LogText();
    const qsizetype sysInfo =
        log.lastIndexOf(QStringLiteral("  \n---================== sys info =================----\n@ TMainForm::DebugMIClick\n"));
    ASSERT_GE(sysInfo, 0);
    const qsizetype version = log.indexOf(QStringLiteral("  \nADO version: QSQLITE, SQLite 3."), sysInfo);
    const qsizetype properties = log.indexOf(QStringLiteral("  \nADO info:\nDriver = QSQLITE\n"), sysInfo);
    EXPECT_GT(version, sysInfo);
    EXPECT_GT(properties, version);
    EXPECT_GT(log.indexOf(QStringLiteral("Database = "), properties), properties);
}

TEST(MainForm, AboutBoxShowsTitleAndVersion) {
    ProgramFolder folder;
    folder.CreateDatabase();
    auto form = Start(folder);
    QStringList seen;
    {
        ModalWatcher watcher([&seen](QWidget* modal) {
            if (auto* about = qobject_cast<TAboutForm*>(modal))
                seen << about->windowTitle() << about->TitleLbl->text() << about->VersionLbl->text();
        });
        form->AboutMI->trigger();
    }
    EXPECT_EQ(seen, (QStringList{QStringLiteral("Информация о программе"), QStringLiteral("Тарвис"),
                                 QStringLiteral("версия ") + GetVersionString()}));
}

namespace {
class Thrower : public QObject {
protected:
    void customEvent(QEvent*) override { throw std::runtime_error("обработчик сломался"); }
};
} // namespace

TEST(Application, ExceptionEscapingAHandlerIsShownAndTheProgramGoesOn) {
    Thrower thrower;
    QEvent event(QEvent::User);
    EXPECT_EQ(MessageBoxesOf([&] { QCoreApplication::sendEvent(&thrower, &event); }), QStringList(QStringLiteral("Тарвис|обработчик сломался")));
}
