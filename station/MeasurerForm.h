#pragma once

#include "Measurement.h"
#include "ZunaLink.h"

#include <QDockWidget>
#include <QImage>
#include <QPointer>
#include <QTimer>
#include <array>
#include <memory>

class IniFile;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QTabWidget;
class QToolButton;
class TPaintBox;

// Link state flags.
enum : quint8 { LINK_SERVER = 1, LINK_SCALES = 2, LINK_CONNECTING = 4, LINK_LOST = 8 };

// Weighing modes, the indexes of their pages.
enum TWeighingMode : qint8 { MODE_AXLE = 0, MODE_VEHICLE = 1, MODE_AXLES = 2, MODE_BOGIE = 3, MODE_AUTO = 4 };

// The weighing station: finds or starts the scales server, polls the weight, lets the operator fix axles,
// bogies or the whole vehicle into a measurement, and saves it. Dockable: it floats out of the main window and
// docks back by dragging.
class TMeasurerForm : public QDockWidget {
    Q_OBJECT
public:
    struct TMode {
        bool Supported = false;
        bool Shown = false;
        bool Static = false;
        QWidget* Sheet = nullptr;
        QString Description;
    };

    // config: config.ini of the program (the [zuna] and [config] keys). mainMenu: where the "Весы" menu goes.
    TMeasurerForm(const IniFile& config, QMenuBar* mainMenu, QWidget* parent = nullptr);
    ~TMeasurerForm() override;

    // The link (station side of the ZUNA protocol).
    bool ConnectServer();
    void RequestConnect();
    void RequestDisconnect();
    void ShowServerOptions();
    void AnnounceHandle();
    int PollWeight();
    // The station window's handle: a new number each time the window is re-parented.
    qint64 WindowHandle() const { return Handle; }
    void Reparented();

    // Weighing.
    // Which modes the scales allow, from the server's answers (none without a link).
    void SetSupportedModes();
    void RefreshModes();
    void UpdateFixButtons();
    void SaveMeasurement();
    void ResetMeasurement();
    QString StatusText() const;

    // Drawing.
    static int FitFontSize(QPainter& painter, int left, int top, int right, int bottom, const QString& text);
    void PaintIndicator(QImage& image) const;
    void PaintBuffer(QImage& image) const;
    static QString IndicatorText(int weight, bool scales);
    QColor AxleColor(int weight) const;
    void ResetHover();

    // Controls.
    TPaintBox* IndicatorPaintBox;
    QTabWidget* FixPageControl;
    QWidget *FixAxisTabSheet, *FixVehicleTabSheet, *FixAxesTabSheet, *FixBogieTabSheet, *AutoFixTabSheet, *InfoTabSheet;
    QToolButton *FixAxisBtn, *FixVehicleBtn;
    std::array<QToolButton*, 9> AxleButtons;
    std::array<QToolButton*, 3> BogieButtons;
    std::array<QWidget*, 3> BogieBars;
    QWidget *ScalesShape, *BogieShape;
    QLabel* InfoLbl;
    QLabel* FixDescLbl;
    TPaintBox* BufferPaintBox;
    QPushButton *ResetBtn, *SaveBtn;
    QTimer StaticTimer, FixTimer;
    QMenu* ScalesMI;
    QAction *ConnectMI, *DisconnectMI, *ScalesOptionsMI;

    // Link fields.
    TZunaLink Link;
    quint8 LinkState = 0;
    qint8 ModeRequest = -1;
    bool CanStatic = false, CanAuto = false, IsPlatform = false;
    int CurrentWeight = 0;
    bool WeightAlert = false;
    qint64 LastHandle = 0;

    // Weighing fields.
    qint8 CurrentMode = 0;
    std::array<TMode, 5> Modes;
    qint8 MeasuringMode = -1;
    bool FixEnabled = true;
    std::unique_ptr<TVYKMeasurementImpl> Measurement;
    int LastAxleButton = 0;
    std::array<int, 9> OnScales{};
    QColor HighlightColor{0, 0, 255}, NormalColor{0, 0, 0};
    int GradientBegin = 6000, GradientEnd = 10000;
    QImage AxlePicture;

    // Handlers.
    void FixPageControlChange(int index);
    void FixAxisBtnClick();
    void FixVehicleBtnClick();
    void AxesBtnClick(int button);
    void BogieAxBtnClick(int button);
    void FixTimerTimer();
    void StaticTimerTimer();
    void FixPageControlResize();
    void AxBtnMouseMove(int button);
    void BogieAxBtnMouseMove(int button);
    void AnyFixBtnMouseMove(QToolButton* button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    QWidget* CreateModePages();
    void CreateMenu(QMenuBar* mainMenu);
    void FormCreate();
    void FormDestroy();
    void OnServerMessage(quint32 message, qint64 wParam, qint64 lParam);
    void OnConnectionLost();
    // Builds, saves and adds the weighing of one fixation; then the tail every fixation shares.
    bool AddFixedWeighing(int type, int weight, int num, int axleCount);
    void FixationDone(bool saveEnabled);
    void SetGlyphColor(QToolButton* button, const QColor& color);

    const IniFile& Config;
    qint64 Handle = 1;
    qint64 NextHandle = 2;
};
