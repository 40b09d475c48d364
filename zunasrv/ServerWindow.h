#pragma once

#include "VehicleSimulator.h"

#include <QWidget>

class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class TZunaServer;

// The stand-in server's settings window: capabilities, the weight by hand, and a simulated vehicle.
class TServerWindow : public QWidget {
    Q_OBJECT
public:
    explicit TServerWindow(TZunaServer& server, QWidget* parent = nullptr);

private:
    void ShowState();
    void StartVehicle();
    void ApplySettings();

    TZunaServer& Server;
    TVehicleSimulator Simulator;
    QLabel* WeightLbl;
    QLabel* StateLbl;
    QSpinBox* WeightEdit;
    QCheckBox* StaticBox;
    QCheckBox* AutoBox;
    QCheckBox* PlatformBox;
    QSpinBox* VersionEdit;
    QSpinBox* AlertEdit;
    QLineEdit* AxlesEdit;
    QLineEdit* SpacingsEdit;
    QDoubleSpinBox* LengthEdit;
    QDoubleSpinBox* SpeedEdit;
};
