#include "MeasurerForm.h"

#include "Fonts.h"
#include "IniFile.h"
#include "PaintBox.h"
#include "StationPictures.h"
#include "VYKInterfaceForm.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton* GlyphButton(QWidget* parent, const char* name, const QString& glyph, const QString& hint = {}) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setText(glyph);
    button->setToolTip(hint);
    button->setAutoRaise(true); // flat
    button->setFocusPolicy(Qt::NoFocus);
    button->setMouseTracking(true);
    QFont font(QStringLiteral("Tarvis"));
    font.setPixelSize(32);
    button->setFont(font);
    return button;
}

QWidget* Page(const char* name) {
    auto* page = new QWidget;
    page->setObjectName(QLatin1String(name));
    return page;
}

} // namespace

TMeasurerForm::TMeasurerForm(const IniFile& config, QMenuBar* mainMenu, QWidget* parent)
    : QDockWidget(parent), Config(config) {
    LastHandle = Handle;
    CreateControls();
    CreateMenu(mainMenu);
    connect(&Link, &TZunaLink::MessageReceived, this, &TMeasurerForm::OnServerMessage);
    connect(&Link, &TZunaLink::ConnectionLost, this, &TMeasurerForm::OnConnectionLost);
    // every re-parenting (floated out, docked back) gives the window a new handle, which the server must learn
    connect(this, &QDockWidget::topLevelChanged, this, [this] {
        Reparented();
        AnnounceHandle();
    });
    FormCreate();
}

TMeasurerForm::~TMeasurerForm() { FormDestroy(); }

void TMeasurerForm::CreateControls() {
    setObjectName(QStringLiteral("MeasurerForm"));
    setWindowTitle(QStringLiteral("Измерение веса"));
    setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    setFont(DesignFont(QStringLiteral("Tahoma"), 8));
    resize(461, 374);

    auto* client = new QWidget(this);
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(0);

    IndicatorPaintBox = new TPaintBox([this](QImage& image) { PaintIndicator(image); }, client);
    IndicatorPaintBox->setObjectName(QStringLiteral("IndicatorPaintBox"));
    IndicatorPaintBox->setMinimumHeight(40);
    layout->addWidget(IndicatorPaintBox, 1);
    layout->addSpacing(8); // Shape2

    layout->addWidget(CreateModePages());

    FixDescLbl = new QLabel(client);
    FixDescLbl->setObjectName(QStringLiteral("FixDescLbl"));
    FixDescLbl->setFixedHeight(25);
    FixDescLbl->setAlignment(Qt::AlignCenter);
    FixDescLbl->setWordWrap(true);
    layout->addWidget(FixDescLbl);

    BufferPaintBox = new TPaintBox([this](QImage& image) { PaintBuffer(image); }, client);
    BufferPaintBox->setObjectName(QStringLiteral("BufferPaintBox"));
    BufferPaintBox->setFixedHeight(53);
    layout->addWidget(BufferPaintBox);

    auto* savePanel = new QWidget(client);
    savePanel->setObjectName(QStringLiteral("SavePanel"));
    savePanel->setFixedHeight(41);
    auto* saveLayout = new QHBoxLayout(savePanel);
    saveLayout->setContentsMargins(0, 8, 0, 0);
    ResetBtn = new QPushButton(QStringLiteral("сброс"), savePanel);
    ResetBtn->setObjectName(QStringLiteral("ResetBtn"));
    ResetBtn->setFixedSize(49, 33);
    ResetBtn->setEnabled(false);
    SaveBtn = new QPushButton(QStringLiteral("записать  >>>"), savePanel);
    SaveBtn->setObjectName(QStringLiteral("SaveBtn"));
    SaveBtn->setFixedHeight(33);
    SaveBtn->setEnabled(false);
    saveLayout->addWidget(ResetBtn);
    saveLayout->addWidget(SaveBtn, 1);
    layout->addWidget(savePanel);
    connect(ResetBtn, &QPushButton::clicked, this, &TMeasurerForm::ResetMeasurement);
    connect(SaveBtn, &QPushButton::clicked, this, &TMeasurerForm::SaveMeasurement);

    StaticTimer.setInterval(150);
    connect(&StaticTimer, &QTimer::timeout, this, &TMeasurerForm::StaticTimerTimer);
    FixTimer.setInterval(1500);
    connect(&FixTimer, &QTimer::timeout, this, &TMeasurerForm::FixTimerTimer);
    setWidget(client);
}

QWidget* TMeasurerForm::CreateModePages() {
    FixPageControl = new QTabWidget;
    FixPageControl->setObjectName(QStringLiteral("FixPageControl"));
    FixPageControl->setFixedHeight(115);
    FixPageControl->setIconSize(QSize(32, 32));
    FixPageControl->tabBar()->setExpanding(false); // ragged-right tabs
    FixPageControl->installEventFilter(this);

    FixAxisTabSheet = Page("FixAxisTabSheet");
    FixAxisBtn = GlyphButton(FixAxisTabSheet, "FixAxisBtn", QStringLiteral("B"), QStringLiteral("фиксация веса оси"));
    connect(FixAxisBtn, &QToolButton::clicked, this, &TMeasurerForm::FixAxisBtnClick);

    FixVehicleTabSheet = Page("FixVehicleTabSheet");
    FixVehicleBtn =
        GlyphButton(FixVehicleTabSheet, "FixVehicleBtn", QStringLiteral("C"), QStringLiteral("фиксация полного веса"));
    connect(FixVehicleBtn, &QToolButton::clicked, this, &TMeasurerForm::FixVehicleBtnClick);
    for (QToolButton* button : {FixAxisBtn, FixVehicleBtn}) { // each fills its page
        auto* fill = new QVBoxLayout(button->parentWidget());
        fill->setContentsMargins(0, 0, 0, 0);
        fill->addWidget(button);
        button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored); // the glyph size follows the page, not the other way round
    }

    FixAxesTabSheet = Page("FixAxesTabSheet");
    auto* scales = new TShape(FixAxesTabSheet);
    scales->setObjectName(QStringLiteral("ScalesShape"));
    scales->SetBrush(QBrush(HighlightColor, Qt::DiagCrossPattern));
    scales->SetPen(QPen(HighlightColor));
    scales->hide();
    ScalesShape = scales;
    for (int i = 0; i < 9; ++i) {
        const QByteArray name = "Ax" + QByteArray::number(i + 1) + "Btn";
        AxleButtons[size_t(i)] = GlyphButton(FixAxesTabSheet, name.constData(), QStringLiteral("A"));
        connect(AxleButtons[size_t(i)], &QToolButton::clicked, this, [this, i] { AxesBtnClick(i); });
    }

    FixBogieTabSheet = Page("FixBogieTabSheet");
    auto* bogie = new TShape(FixBogieTabSheet);
    bogie->setObjectName(QStringLiteral("BogieShape"));
    bogie->SetBrush(HighlightColor);
    bogie->hide();
    BogieShape = bogie;
    for (int i = 0; i < 3; ++i) {
        const QByteArray name = "BogieAx" + QByteArray::number(i + 1) + "Btn";
        BogieButtons[size_t(i)] = GlyphButton(FixBogieTabSheet, name.constData(), QStringLiteral("A"));
        connect(BogieButtons[size_t(i)], &QToolButton::clicked, this, [this, i] { BogieAxBtnClick(i); });
        auto* bar = new TShape(FixBogieTabSheet);
        bar->setObjectName(QStringLiteral("BogieShape%1").arg(i + 1));
        BogieBars[size_t(i)] = bar;
    }
    BogieShape->raise();

    AutoFixTabSheet = Page("AutoFixTabSheet");
    auto* autoLabel = new QLabel(QStringLiteral("todo\nуказывать количество осей (возможно схему ТС)\n"
                                                "параметры регистрации ТС (интервал)"),
                                 AutoFixTabSheet);
    autoLabel->setObjectName(QStringLiteral("Label3"));
    auto* autoLayout = new QVBoxLayout(AutoFixTabSheet);
    autoLayout->addWidget(autoLabel);

    InfoTabSheet = Page("InfoTabSheet");
    InfoLbl = new QLabel(InfoTabSheet);
    InfoLbl->setObjectName(QStringLiteral("InfoLbl"));
    InfoLbl->setWordWrap(true);
    InfoLbl->setAlignment(Qt::AlignCenter);
    auto* infoLayout = new QVBoxLayout(InfoTabSheet);
    infoLayout->addWidget(InfoLbl);

    const std::array<QWidget*, 6> pages = {FixAxisTabSheet,  FixVehicleTabSheet, FixAxesTabSheet,
                                           FixBogieTabSheet, AutoFixTabSheet,    InfoTabSheet};
    for (size_t i = 0; i < pages.size(); ++i)
        FixPageControl->addTab(pages[i], TabPicture(int(i)), QString()); // the tabs show only their pictures
    FixPageControl->setTabVisible(5, false);

    const std::array<const char*, 5> descriptions = {"фиксация веса оси", "фиксация полного веса", "фиксация веса оси",
                                                     "фиксация веса тележки", "автоматическая фиксация веса"};
    for (size_t i = 0; i < Modes.size(); ++i) {
        Modes[i].Sheet = pages[i];
        Modes[i].Static = i != MODE_AUTO;
        Modes[i].Description = QString::fromUtf8(descriptions[i]);
        pages[i]->setProperty("tag", int(i));
    }
    for (QWidget* page : pages)
        page->installEventFilter(this); // resizes lay the buttons out
    for (QToolButton* button : AxleButtons)
        button->installEventFilter(this);
    for (QToolButton* button : BogieButtons)
        button->installEventFilter(this);
    FixAxisBtn->installEventFilter(this);
    FixVehicleBtn->installEventFilter(this);
    connect(FixPageControl, &QTabWidget::currentChanged, this, &TMeasurerForm::FixPageControlChange);
    return FixPageControl;
}

void TMeasurerForm::CreateMenu(QMenuBar* mainMenu) {
    ScalesMI = new QMenu(QStringLiteral("Весы"), this);
    ScalesMI->setObjectName(QStringLiteral("ScalesMI"));
    ConnectMI = ScalesMI->addAction(QStringLiteral("Подключить"));
    ConnectMI->setObjectName(QStringLiteral("ConnectMI"));
    DisconnectMI = ScalesMI->addAction(QStringLiteral("Отключить"));
    DisconnectMI->setObjectName(QStringLiteral("DisconnectMI"));
    ScalesOptionsMI = ScalesMI->addAction(QStringLiteral("Свойства"));
    ScalesOptionsMI->setObjectName(QStringLiteral("ScalesOptionsMI"));
    connect(ConnectMI, &QAction::triggered, this, [this] {
        // a link that went down (server closed or died) is built up again first: find or start the server
        if (!Link.IsConnected() || !(LinkState & LINK_SERVER)) {
            LinkState = ConnectServer() ? LINK_SERVER : 0;
            SetSupportedModes();
            RefreshModes();
        }
        RequestConnect();
    });
    connect(DisconnectMI, &QAction::triggered, this, &TMeasurerForm::RequestDisconnect);
    connect(ScalesOptionsMI, &QAction::triggered, this, &TMeasurerForm::ShowServerOptions);
    if (mainMenu)
        mainMenu->insertMenu(mainMenu->actions().value(0), ScalesMI);
}

void TMeasurerForm::FormCreate() {
    AxlePicture = LoadAxlePicture();
    GradientBegin = Config.ReadInteger(QStringLiteral("config"), QStringLiteral("AxisGradientClrBegin"), 6000);
    GradientEnd = Config.ReadInteger(QStringLiteral("config"), QStringLiteral("AxisGradientClrEnd"), 10000);
    Measurement = std::make_unique<TVYKMeasurementImpl>();
    LinkState = ConnectServer() ? LINK_SERVER : 0;
    SetSupportedModes();
    RefreshModes();
    UpdateFixButtons();
}

void TMeasurerForm::SetSupportedModes() {
    const bool linked = LinkState != 0;
    Modes[MODE_AXLE].Supported = linked && CanStatic && !IsPlatform;
    Modes[MODE_VEHICLE].Supported = linked && CanStatic && IsPlatform;
    Modes[MODE_AXLES].Supported = linked && CanStatic && IsPlatform;
    Modes[MODE_BOGIE].Supported = linked && CanStatic && IsPlatform;
    Modes[MODE_AUTO].Supported = linked && CanAuto;
}

void TMeasurerForm::FormDestroy() {
    if (LinkState & LINK_SCALES)
        RequestDisconnect();
    Link.Post(Zuna::WM_ZUNA_UNREGISTER, Handle);
    StaticTimer.stop();
    FixTimer.stop();
}

void TMeasurerForm::RefreshModes() {
    QWidget* target = FixPageControl->currentWidget();
    if (LinkState & LINK_SCALES) {
        for (TMode& mode : Modes)
            mode.Shown = mode.Supported;
        if (MeasuringMode >= 0) {
            for (size_t i = 0; i < Modes.size(); ++i)
                Modes[i].Shown = Modes[i].Shown && int(i) == MeasuringMode;
            ResetBtn->setEnabled(true);
            // back from a lost link, the status page gives way to the measurement's own page
            if (Modes[size_t(MeasuringMode)].Shown)
                target = Modes[size_t(MeasuringMode)].Sheet;
        } else {
            ResetBtn->setEnabled(false);
            if (CurrentMode < 0 || CurrentMode > 4)
                CurrentMode = 0;
            if (!Modes[size_t(CurrentMode)].Shown)
                for (size_t i = 0; i < Modes.size(); ++i)
                    if (Modes[i].Shown) {
                        CurrentMode = qint8(i);
                        break;
                    }
            if (Modes[size_t(CurrentMode)].Shown) {
                target = Modes[size_t(CurrentMode)].Sheet;
            } else {
                target = InfoTabSheet;
                InfoLbl->setText(QStringLiteral("Не доступен ни один режим измерения."));
            }
            const TMode& mode = Modes[size_t(CurrentMode)];
            if (mode.Static && ModeRequest != 0) {
                Link.Post(Zuna::WM_ZUNA_MODE, Handle, 0);
                ModeRequest = 0;
                StaticTimer.start();
            } else if (!mode.Static && ModeRequest != 1) {
                Link.Post(Zuna::WM_ZUNA_MODE, Handle, 1);
                ModeRequest = 1;
                StaticTimer.stop();
                CurrentWeight = 0;
            }
        }
    } else {
        for (TMode& mode : Modes)
            mode.Shown = false;
        InfoLbl->setText(StatusText());
        target = InfoTabSheet;
        CurrentWeight = 0;
        StaticTimer.stop();
    }
    {
        const QSignalBlocker quiet(FixPageControl); // only the operator's own tab changes count as a change
        for (size_t i = 0; i < Modes.size(); ++i)
            FixPageControl->setTabVisible(int(i), Modes[i].Shown);
        FixPageControl->setCurrentWidget(target);
    }
    ResetHover();
    IndicatorPaintBox->update();
}

void TMeasurerForm::FixPageControlChange(int index) {
    if (index < 0 || index > 4)
        return;
    CurrentMode = qint8(index);
    RefreshModes();
}

void TMeasurerForm::UpdateFixButtons() {
    const bool live = CurrentWeight > 0 && FixEnabled;
    const int axles = Measurement->AxleCount;
    FixVehicleBtn->setEnabled(live && Measurement->Type == 0);
    FixAxisBtn->setEnabled(live && axles < 9);
    for (int i = 0; i < 9; ++i)
        AxleButtons[size_t(i)]->setEnabled(live && axles < 9 && i <= axles && i >= LastAxleButton &&
                                           OnScales[size_t(i)] < CurrentWeight);
    for (int i = 0; i < 3; ++i) {
        BogieButtons[size_t(i)]->setEnabled(live && axles + i < 9);
        static_cast<TShape*>(BogieBars[size_t(i)])
            ->SetBrush(BogieButtons[size_t(i)]->isEnabled() ? NormalColor
                                                            : palette().color(QPalette::Disabled, QPalette::WindowText));
    }
}

bool TMeasurerForm::AddFixedWeighing(int type, int weight, int num, int axleCount) {
    std::unique_ptr<TVYKWeighing> weighing = std::make_unique<TVYKWeighingImpl>();
    weighing->TimeStamp = QDateTime::currentDateTime();
    weighing->Calc = false;
    weighing->Type = type;
    weighing->Weight = weight;
    weighing->Num = num;
    weighing->AxleCount = axleCount;
    weighing->Save(); // a failure raises: nothing is added and the station is unchanged
    return Measurement->AddWeighing(weighing); // a refused weighing stays in the table but is dropped here
}

void TMeasurerForm::FixationDone(bool saveEnabled) {
    MeasuringMode = CurrentMode;
    FixEnabled = false;
    UpdateFixButtons();
    FixTimer.start();
    SaveBtn->setEnabled(saveEnabled);
    ResetBtn->setEnabled(true);
    BufferPaintBox->update();
    RefreshModes();
}

void TMeasurerForm::FixAxisBtnClick() {
    AddFixedWeighing(WEIGHING_AXLE, CurrentWeight, Measurement->AxleCount + 1, 0);
    FixationDone(Measurement->AxleCount > 1);
}

void TMeasurerForm::FixVehicleBtnClick() {
    AddFixedWeighing(WEIGHING_VEHICLE, CurrentWeight, 0, 0);
    FixationDone(true);
}

void TMeasurerForm::AxesBtnClick(int button) {
    if (button < 0 || button > 8 || OnScales[size_t(button)] > CurrentWeight)
        return; // the weight fell between the poll and the click
    const int weight = CurrentWeight - OnScales[size_t(button)];
    AddFixedWeighing(WEIGHING_AXLE, weight, Measurement->AxleCount + 1, 0);
    for (int j = 0; j < Measurement->AxleCount && j < 9; ++j)
        OnScales[size_t(j)] += weight;
    LastAxleButton = button;
    FixationDone(Measurement->AxleCount > 1);
}

void TMeasurerForm::BogieAxBtnClick(int button) {
    AddFixedWeighing(WEIGHING_BOGIE, CurrentWeight, Measurement->BogieCount + 1, button + 1);
    FixationDone(Measurement->BogieCount > 1);
}

void TMeasurerForm::FixTimerTimer() {
    FixTimer.stop();
    FixEnabled = true;
    UpdateFixButtons();
}

void TMeasurerForm::SaveMeasurement() {
    Measurement->TimeStamp = QDateTime::currentDateTime();
    Measurement->Save(); // a failure raises: the measurement stays, nothing is announced
    ResetMeasurement();
    TMessage event;
    event.WParam = MakeEventWord(EVENT_ENTITY_CHANGED, TYPE_RECORD);
    if (InterfaceForm)
        InterfaceForm->PostEvent(event);
}

void TMeasurerForm::ResetMeasurement() {
    Measurement->Clear();
    MeasuringMode = -1;
    LastAxleButton = 0;
    OnScales.fill(0);
    FixTimer.stop();
    FixEnabled = true;
    UpdateFixButtons();
    SaveBtn->setEnabled(false);
    ResetBtn->setEnabled(false);
    BufferPaintBox->update();
    RefreshModes();
}

bool TMeasurerForm::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Resize:
        if (watched != FixPageControl)
            FixPageControlResize();
        break;
    case QEvent::Leave:
        if (watched == FixPageControl)
            ResetHover();
        break;
    case QEvent::Enter:
    case QEvent::MouseMove:
        for (int i = 0; i < 9; ++i)
            if (watched == AxleButtons[size_t(i)])
                AxBtnMouseMove(i);
        for (int i = 0; i < 3; ++i)
            if (watched == BogieButtons[size_t(i)])
                BogieAxBtnMouseMove(i);
        if (watched == FixAxisBtn || watched == FixVehicleBtn)
            AnyFixBtnMouseMove(static_cast<QToolButton*>(watched));
        break;
    default:
        break;
    }
    return QDockWidget::eventFilter(watched, event);
}
