#pragma once

#include <QList>
#include <QObject>
#include <QTimer>

// A vehicle rolling over the scales at walking pace. It stops for a while each time another axle has come onto
// the scales, so that the operator can fix the weight, and rolls on until the last axle has left.
class TVehicleSimulator : public QObject {
    Q_OBJECT
public:
    struct Vehicle {
        QList<int> AxleWeights;     // kg, from the front
        QList<double> AxleSpacings; // m, between neighbouring axles (one less than the axles)
    };
    struct Scales {
        double Length = 18.0;   // m; single-axle scales are about 0.8 m long
        double Speed = 1.2;     // m/s, walking pace
        double StopSeconds = 4; // standing time after each axle came on
    };

    explicit TVehicleSimulator(QObject* parent = nullptr);

    void Start(const Vehicle& vehicle, const Scales& scales);
    void Stop();
    bool Running() const { return Timer.isActive(); }

    // The weight on the scales when the front axle has travelled position metres past the scales' entry.
    static int WeightAt(const Vehicle& vehicle, double scalesLength, double position);

signals:
    void WeightChanged(int kilograms);
    void Finished();

private:
    void Tick();

    static constexpr int kTickMs = 100;
    Vehicle Current;
    Scales Platform;
    QList<double> Offsets; // each axle's distance behind the front axle
    double Position = 0;
    int AxlesOn = 0;
    double StandingLeft = 0;
    QTimer Timer;
};
