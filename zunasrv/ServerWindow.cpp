#include "ServerWindow.h"

#include "ZunaServer.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QList<int> Integers(const QString& text) {
    QList<int> values;
    for (const QString& part : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        if (bool ok; part.toInt(&ok), ok)
            values.append(part.toInt());
    return values;
}

QList<double> Reals(const QString& text) {
    QList<double> values;
    for (QString part : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        if (bool ok; part.replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok), ok)
            values.append(part.toDouble());
    return values;
}

} // namespace

TServerWindow::TServerWindow(TZunaServer& server, QWidget* parent) : QWidget(parent), Server(server) {
    setWindowTitle(QStringLiteral("ZUNA — сервер весов (имитатор)"));
    auto* layout = new QVBoxLayout(this);

    WeightLbl = new QLabel(this);
    QFont big = WeightLbl->font();
    big.setPointSize(24);
    big.setBold(true);
    WeightLbl->setFont(big);
    WeightLbl->setAlignment(Qt::AlignRight);
    StateLbl = new QLabel(this);
    layout->addWidget(WeightLbl);
    layout->addWidget(StateLbl);

    auto* manual = new QGroupBox(QStringLiteral("Вес вручную"), this);
    auto* manualLayout = new QHBoxLayout(manual);
    WeightEdit = new QSpinBox(manual);
    WeightEdit->setRange(-100000, 200000);
    WeightEdit->setSingleStep(500);
    WeightEdit->setSuffix(QStringLiteral(" кг"));
    manualLayout->addWidget(WeightEdit);
    connect(WeightEdit, &QSpinBox::valueChanged, this, [this](int kg) {
        Simulator.Stop();
        Server.SetWeight(kg);
    });
    layout->addWidget(manual);

    auto* vehicle = new QGroupBox(QStringLiteral("Транспортное средство"), this);
    auto* vehicleLayout = new QFormLayout(vehicle);
    AxlesEdit = new QLineEdit(QStringLiteral("6000 7000 7500 8000 8000"), vehicle);
    SpacingsEdit = new QLineEdit(QStringLiteral("3.6 1.3 5.9 1.3"), vehicle);
    LengthEdit = new QDoubleSpinBox(vehicle);
    LengthEdit->setRange(0.5, 40);
    LengthEdit->setValue(4.0);
    LengthEdit->setSuffix(QStringLiteral(" м"));
    SpeedEdit = new QDoubleSpinBox(vehicle);
    SpeedEdit->setRange(0.1, 5);
    SpeedEdit->setValue(1.2);
    SpeedEdit->setSuffix(QStringLiteral(" м/с"));
    vehicleLayout->addRow(QStringLiteral("Нагрузки на оси, кг"), AxlesEdit);
    vehicleLayout->addRow(QStringLiteral("Расстояния между осями, м"), SpacingsEdit);
    vehicleLayout->addRow(QStringLiteral("Длина весов"), LengthEdit);
    vehicleLayout->addRow(QStringLiteral("Скорость"), SpeedEdit);
    auto* run = new QPushButton(QStringLiteral("Заехать на весы"), vehicle);
    vehicleLayout->addRow(run);
    connect(run, &QPushButton::clicked, this, &TServerWindow::StartVehicle);
    connect(&Simulator, &TVehicleSimulator::WeightChanged, &Server, &TZunaServer::SetWeight);
    layout->addWidget(vehicle);

    auto* settings = new QGroupBox(QStringLiteral("Весы"), this);
    auto* settingsLayout = new QFormLayout(settings);
    StaticBox = new QCheckBox(QStringLiteral("статическое взвешивание"), settings);
    AutoBox = new QCheckBox(QStringLiteral("автоматическое взвешивание"), settings);
    PlatformBox = new QCheckBox(QStringLiteral("платформа (несколько осей сразу)"), settings);
    VersionEdit = new QSpinBox(settings);
    VersionEdit->setRange(0, 0x7fffffff);
    AlertEdit = new QSpinBox(settings);
    AlertEdit->setRange(0, 1000000);
    AlertEdit->setSuffix(QStringLiteral(" кг"));
    settingsLayout->addRow(StaticBox);
    settingsLayout->addRow(AutoBox);
    settingsLayout->addRow(PlatformBox);
    settingsLayout->addRow(QStringLiteral("Версия протокола"), VersionEdit);
    settingsLayout->addRow(QStringLiteral("Перегруз свыше"), AlertEdit);
    auto* buttons = new QHBoxLayout;
    auto* connectBtn = new QPushButton(QStringLiteral("Подключить весы"), settings);
    auto* disconnectBtn = new QPushButton(QStringLiteral("Отключить весы"), settings);
    buttons->addWidget(connectBtn);
    buttons->addWidget(disconnectBtn);
    settingsLayout->addRow(buttons);
    connect(connectBtn, &QPushButton::clicked, &Server, &TZunaServer::ConnectScales);
    connect(disconnectBtn, &QPushButton::clicked, &Server, &TZunaServer::DisconnectScales);
    layout->addWidget(settings);

    StaticBox->setChecked(Server.Settings.Static);
    AutoBox->setChecked(Server.Settings.Auto);
    PlatformBox->setChecked(Server.Settings.Platform);
    VersionEdit->setValue(int(Server.Settings.Version));
    AlertEdit->setValue(Server.Settings.AlertWeight);
    for (QCheckBox* box : {StaticBox, AutoBox, PlatformBox})
        connect(box, &QCheckBox::toggled, this, &TServerWindow::ApplySettings);
    for (QSpinBox* edit : {VersionEdit, AlertEdit})
        connect(edit, &QSpinBox::valueChanged, this, &TServerWindow::ApplySettings);

    connect(&Server, &TZunaServer::Changed, this, &TServerWindow::ShowState);
    connect(&Server, &TZunaServer::OptionsRequested, this, [this] {
        showNormal();
        raise();
        activateWindow();
    });
    ShowState();
}

void TServerWindow::ApplySettings() {
    Server.Settings.Static = StaticBox->isChecked();
    Server.Settings.Auto = AutoBox->isChecked();
    Server.Settings.Platform = PlatformBox->isChecked();
    Server.Settings.Version = VersionEdit->value();
    Server.Settings.AlertWeight = AlertEdit->value();
}

void TServerWindow::StartVehicle() {
    TVehicleSimulator::Vehicle vehicle{Integers(AxlesEdit->text()), Reals(SpacingsEdit->text())};
    TVehicleSimulator::Scales scales;
    scales.Length = LengthEdit->value();
    scales.Speed = SpeedEdit->value();
    Simulator.Start(vehicle, scales);
}

void TServerWindow::ShowState() {
    static const char* const states[] = {"весы отключены", "весы подключены", "подключение весов…"};
    WeightLbl->setText(QLocale().toString(Server.Weight()) + QStringLiteral(" кг"));
    StateLbl->setText(QStringLiteral("%1; станций: %2; режим: %3")
                          .arg(QString::fromUtf8(states[qBound(0, Server.ScalesState(), 2)]))
                          .arg(Server.StationCount())
                          .arg(Server.Mode() == 1 ? QStringLiteral("автоматический") : QStringLiteral("статический")));
}
