#pragma once

#include "VYKInterfaceForm.h"

#include <QPointer>
#include <memory>
#include <vector>

class IniFile;
class QAction;
class QMenu;
class QMenuBar;
class QDockWidget;
class TMeasurerForm;
class QStackedLayout;
class QTreeWidget;
class QTreeWidgetItem;
class TWarningForm;

// One entry of the form-event subscription list. A destroyed subscriber is skipped silently.
struct TSubscription {
    QPointer<QObject> Handle;
    qint16 Code = 0; // 0: every event
};

// The main window: reads vyk.ini and config.ini, opens the database connection, installs the symbol font,
// hosts the navigator and the workspace into which the other windows dock, and offers the form services.
class TMainForm : public TVYKInterfaceForm {
    Q_OBJECT
public:
    // programFolder: the folder of the program file, where vyk.ini and Tarvis.ttf lie.
    explicit TMainForm(const QString& programFolder = DefaultProgramFolder(), QWidget* parent = nullptr);
    ~TMainForm() override;

    static QString DefaultProgramFolder();

    QString GetConfigDir() const override;
    void Subscribe(QObject* receiver, qint16 code) override;
    void Unsubscribe(QObject* receiver, qint16 code) override;
    void ReplaceSubscriber(QObject* oldReceiver, QObject* newReceiver) override;
    void PostEvent(const TMessage& event) override;
    void ReportError(const QString& info, const QString& text) override;
    void DockForm(QWidget* form, bool topLevel) override;
    void UndockForm(QWidget* form) override;

    void AboutMIClick();
    void DebugMIClick();

    // Controls.
    QDockWidget* LeftPanel = nullptr; // the navigator; the weighing station docks below it
    QWidget* NavigatorPanel = nullptr;
    QTreeWidget* NavigatorTreeView = nullptr;
    QWidget* TabControl = nullptr;
    QMenuBar* FMainMenu = nullptr;
    QMenu* ReportsMenuItem = nullptr;
    QAction* EditCardTemplate = nullptr;
    QMenu* HelpMI = nullptr;
    QAction* AboutMI = nullptr;
    QAction* DebugMI = nullptr;

    // State.
    std::unique_ptr<IniFile> ConfigIni;
    QMenuBar* MainMenuRef = nullptr; // the menu bar into which the weighing station moves its menu
    QString AppDir;                  // program folder, ending with "/"
    QString CfgDir;                  // configuration folder, as configured
    std::vector<TSubscription> Subscriptions;
    QString FontFile; // the font file added at start; empty when the font was already installed
    bool DatabaseOpen = false;
    // The weighing station, created by the entry function after this window (not owned); docked on first show.
    TMeasurerForm* Station = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void customEvent(QEvent* event) override;

private:
    void CreateControls();
    void CreateMenu();
    void FormCreate();
    void FormShow();
    void FormDestroy();
    void OpenDatabaseConnection();
    void InstallSymbolFont();
    void DispatchFormEvent(const class TFormEvent& event);
    QTreeWidgetItem* FindNode(QWidget* form) const;

    QStackedLayout* TabLayout = nullptr;
    std::unique_ptr<TWarningForm> WarningForm;
    int FontId = -1;
    bool Shown = false;
};
