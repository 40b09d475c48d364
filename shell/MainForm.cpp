#include "MainForm.h"

#include "ADOEntity.h"
#include "AboutForm.h"
#include "Database.h"
#include "Entity.h"
#include "Fonts.h"
#include "IniFile.h"
#include "Logger.h"
#include "MeasurerForm.h"
#include "ProgramConfig.h"
#include "Version.h"
#include "WarningForm.h"

#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QDockWidget>
#include <QSignalBlocker>
#include <QStackedLayout>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace {

const QString kProgramTitle = QStringLiteral("Тарвис");
const QString kSymbolFontFamily = QStringLiteral("Tarvis");

QString WithTrailingSlash(QString folder) {
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

QObject* NodeForm(const QTreeWidgetItem* item) { return item->data(0, Qt::UserRole).value<QObject*>(); }

} // namespace

QString TMainForm::DefaultProgramFolder() { return QCoreApplication::applicationDirPath(); }

TMainForm::TMainForm(const QString& programFolder, QWidget* parent) : TVYKInterfaceForm(parent) {
    InterfaceForm = this;
    AppDir = WithTrailingSlash(programFolder);
    CreateControls();
    CreateMenu();
    FormCreate();
}

TMainForm::~TMainForm() {
    FormDestroy();
    if (InterfaceForm == this)
        InterfaceForm = nullptr;
}

void TMainForm::CreateControls() {
    setObjectName(QStringLiteral("MainForm"));
    setFont(DesignFont(QStringLiteral("Tahoma"), 8));
    resize(726, 518);
    setMinimumSize(640, 480);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    // The left panel is a dock area: the navigator at its top, the weighing station below it (docked on first
    // show; it floats out and docks back by dragging). The separators between them are the splitters.
    LeftPanel = new QDockWidget(this);
    LeftPanel->setObjectName(QStringLiteral("LeftPanel"));
    LeftPanel->setFeatures(QDockWidget::NoDockWidgetFeatures);
    LeftPanel->setTitleBarWidget(new QWidget(LeftPanel)); // no title of its own
    NavigatorPanel = new QWidget(LeftPanel);
    NavigatorPanel->setObjectName(QStringLiteral("NavigatorPanel"));
    auto* navigatorLayout = new QVBoxLayout(NavigatorPanel);
    navigatorLayout->setContentsMargins(8, 8, 8, 8);
    NavigatorTreeView = new QTreeWidget(NavigatorPanel);
    NavigatorTreeView->setObjectName(QStringLiteral("NavigatorTreeView"));
    NavigatorTreeView->setHeaderHidden(true);
    NavigatorTreeView->setIndentation(19);
    NavigatorTreeView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    NavigatorTreeView->setSelectionMode(QAbstractItemView::SingleSelection);
    NavigatorTreeView->setEnabled(false);
    navigatorLayout->addWidget(NavigatorTreeView);
    LeftPanel->setWidget(NavigatorPanel);
    addDockWidget(Qt::LeftDockWidgetArea, LeftPanel);
    setDockOptions(QMainWindow::AnimatedDocks);
    resizeDocks({LeftPanel}, {241}, Qt::Horizontal);

    TabControl = new QFrame(this);
    TabControl->setObjectName(QStringLiteral("TabControl"));
    static_cast<QFrame*>(TabControl)->setFrameShape(QFrame::StyledPanel);
    TabLayout = new QStackedLayout(TabControl);
    TabLayout->setStackingMode(QStackedLayout::StackAll); // docked forms lie on top of each other
    TabLayout->setContentsMargins(2, 2, 2, 2);
    setCentralWidget(TabControl);
}

void TMainForm::CreateMenu() {
    FMainMenu = menuBar();
    FMainMenu->setObjectName(QStringLiteral("FMainMenu"));

    ReportsMenuItem = FMainMenu->addMenu(QStringLiteral("Оформление"));
    ReportsMenuItem->setObjectName(QStringLiteral("ReportsMenuItem"));
    EditCardTemplate = ReportsMenuItem->addAction(QStringLiteral("Редактировать шаблон"));
    EditCardTemplate->setObjectName(QStringLiteral("EditCardTemplate"));
    // Opens reports/card.frf in the report designer; enabled when the reporter arrives.
    EditCardTemplate->setEnabled(false);

    HelpMI = FMainMenu->addMenu(QStringLiteral("Помощь"));
    HelpMI->setObjectName(QStringLiteral("HelpMI"));
    AboutMI = HelpMI->addAction(QStringLiteral("О программе"));
    AboutMI->setObjectName(QStringLiteral("AboutMI"));
    connect(AboutMI, &QAction::triggered, this, &TMainForm::AboutMIClick);
    DebugMI = HelpMI->addAction(QStringLiteral("Отладочная информация"));
    DebugMI->setObjectName(QStringLiteral("DebugMI"));
    connect(DebugMI, &QAction::triggered, this, &TMainForm::DebugMIClick);
}

void TMainForm::FormCreate() {
    setWindowTitle(kProgramTitle + QStringLiteral("    [ версия ") + GetVersionString() + QStringLiteral(" ]"));

    CfgDir = ConfigDirOf(AppDir);

    ConfigIni = std::make_unique<IniFile>(CfgDir + QStringLiteral("config.ini"));
    const bool written = ConfigIni->WriteString(QStringLiteral("temp"), QStringLiteral("AppDir"), AppDir) &&
                         ConfigIni->WriteString(QStringLiteral("temp"), QStringLiteral("CfgDir"), CfgDir);
    if (!written)
        Logger().Log("Не удалось записать %s +LE", ConfigIni->FileName().toUtf8().constData());

    MainMenuRef = FMainMenu;
    OpenDatabaseConnection();
    InstallSymbolFont();

    // The journal record entity is created here once the journal exists.
    Subscribe(this, qint16(EVENT_ENTITY_SELECTED));
    Subscribe(this, qint16(EVENT_EDITOR_CLOSED));
    // The reporter is created here once report templates can be shown.
}

void TMainForm::OpenDatabaseConnection() {
    // The connection is opened from inside the configuration folder, and the folder the program was started in
    // is current again afterwards, whatever happened.
    const QString startFolder = QDir::currentPath();
    const TDatabaseSettings settings = ReadDatabaseSettings(*ConfigIni, CfgDir);
    QString failure;
    QDir::setCurrent(CfgDir);
    try {
        OpenDatabase(settings);
        DatabaseOpen = true;
    } catch (const std::exception& error) {
        failure = QString::fromUtf8(error.what());
    }
    QDir::setCurrent(startFolder);
    if (DatabaseOpen)
        return;
    ReportError(failure + QStringLiteral("\n@ TMainForm::FormCreate"), QStringLiteral("Не удалось подключится к базе данных."));
    TADOEntity().LogADOInfo();
}

void TMainForm::InstallSymbolFont() {
    if (QFontDatabase::families().contains(kSymbolFontFamily)) {
        FontFile.clear();
        return;
    }
    FontFile = AppDir + QStringLiteral("Tarvis.ttf");
    FontId = QFontDatabase::addApplicationFont(FontFile); // a missing or broken file is not reported
}

void TMainForm::showEvent(QShowEvent* event) {
    TVYKInterfaceForm::showEvent(event);
    if (!Shown) {
        Shown = true;
        FormShow();
    }
}

void TMainForm::FormShow() {
    // The journal view docks into the workspace here once dictionary views exist.
    if (!Station)
        return;
    // The station docks below the navigator; the server learns its new window, and is asked to connect.
    const QSignalBlocker quiet(Station); // this re-parenting is announced below, once
    addDockWidget(Qt::LeftDockWidgetArea, Station);
    splitDockWidget(LeftPanel, Station, Qt::Vertical);
    resizeDocks({LeftPanel, Station}, {120, 320}, Qt::Vertical);
    resizeDocks({LeftPanel}, {241}, Qt::Horizontal);
    Station->Reparented();
    Station->AnnounceHandle();
    Station->show();
    Station->RequestConnect();
}

void TMainForm::FormDestroy() {
    if (FontId >= 0)
        QFontDatabase::removeApplicationFont(FontId);
    FontId = -1;
    ConfigIni.reset();
    CloseDatabase();
    DatabaseOpen = false;
}

QString TMainForm::GetConfigDir() const { return CfgDir; }

void TMainForm::Subscribe(QObject* receiver, qint16 code) {
    for (const TSubscription& entry : Subscriptions)
        if (entry.Handle == receiver && (entry.Code == code || entry.Code == 0))
            return;
    Subscriptions.push_back({receiver, code});
}

void TMainForm::Unsubscribe(QObject* receiver, qint16 code) {
    // A removed entry is overwritten by the last one; the order of the rest is not kept.
    size_t i = 0;
    while (i < Subscriptions.size()) {
        const TSubscription& entry = Subscriptions[i];
        if (entry.Handle == receiver && (code == 0 || entry.Code == code)) {
            Subscriptions[i] = Subscriptions.back();
            Subscriptions.pop_back();
        } else {
            ++i;
        }
    }
}

void TMainForm::ReplaceSubscriber(QObject* oldReceiver, QObject* newReceiver) {
    for (TSubscription& entry : Subscriptions)
        if (entry.Handle == oldReceiver)
            entry.Handle = newReceiver;
}

void TMainForm::PostEvent(const TMessage& event) {
    const auto code = qint16(event.WParam & 0xFFFF);
    for (const TSubscription& entry : Subscriptions)
        if ((entry.Code == code || entry.Code == 0) && entry.Handle)
            QCoreApplication::postEvent(entry.Handle, new TFormEvent(event.WParam, event.LParam));
}

void TMainForm::ReportError(const QString& info, const QString& text) {
    Logger().Log("%s", (text + QLatin1Char('\n') + info).toUtf8().constData());
    if (text.isEmpty())
        return;
    if (!WarningForm)
        WarningForm = std::make_unique<TWarningForm>();
    WarningForm->Present(text, info);
}

void TMainForm::DockForm(QWidget* form, bool topLevel) {
    if (!form)
        return;
    if (form->parentWidget() != TabControl) {
        form->setParent(TabControl, Qt::Widget); // no border of its own: it fills the workspace
        TabLayout->addWidget(form);
        auto* node = new QTreeWidgetItem(QStringList(form->windowTitle()));
        node->setData(0, Qt::UserRole, QVariant::fromValue<QObject*>(form));
        QTreeWidgetItem* selected = NavigatorTreeView->currentItem();
        if (topLevel || !selected)
            NavigatorTreeView->addTopLevelItem(node);
        else
            selected->addChild(node);
        if (node->parent())
            node->parent()->setExpanded(true);
        NavigatorTreeView->setCurrentItem(node);
    }
    TabLayout->setCurrentWidget(form);
    form->raise();
    form->show();
}

QTreeWidgetItem* TMainForm::FindNode(QWidget* form) const {
    for (QTreeWidgetItemIterator it(NavigatorTreeView); *it; ++it)
        if (NodeForm(*it) == form)
            return *it;
    return nullptr;
}

void TMainForm::UndockForm(QWidget* form) {
    while (QTreeWidgetItem* node = FindNode(form)) {
        if (node->parent())
            NavigatorTreeView->setCurrentItem(node->parent());
        delete node;
    }
}

void TMainForm::customEvent(QEvent* event) {
    if (event->type() == TFormEvent::EventType())
        DispatchFormEvent(*static_cast<TFormEvent*>(event));
    else
        TVYKInterfaceForm::customEvent(event);
}

void TMainForm::DispatchFormEvent(const TFormEvent& event) {
    auto* entity = static_cast<TVisualEntity*>(event.LParam);
    if (!entity)
        return;
    switch (event.Code()) {
    case EVENT_ENTITY_SELECTED:
        if (entity->OnSelected && event.Argument() != 0)
            entity->OnSelected();
        break;
    case EVENT_EDITOR_CLOSED:
        if (entity->OnEditorClosed)
            entity->OnEditorClosed(entity, event.Argument() != 0);
        break;
    default:
        break;
    }
}

void TMainForm::AboutMIClick() {
    TAboutForm about(this);
    about.exec();
}

void TMainForm::DebugMIClick() {
    ReportError(QStringLiteral("---================== sys info =================----\n@ TMainForm::DebugMIClick"),
                QString());
    TADOEntity().LogADOInfo();
    QMessageBox box(QMessageBox::NoIcon, kProgramTitle, QStringLiteral("Отладочная информация добавлена в лог-файл."),
                    QMessageBox::Ok, this);
    box.exec();
}
