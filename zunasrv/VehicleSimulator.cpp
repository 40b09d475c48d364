#include "VehicleSimulator.h"

TVehicleSimulator::TVehicleSimulator(QObject* parent) : QObject(parent) {
    Timer.setInterval(kTickMs);
    connect(&Timer, &QTimer::timeout, this, &TVehicleSimulator::Tick);
}

int TVehicleSimulator::WeightAt(const Vehicle& vehicle, double scalesLength, double position) {
    int weight = 0;
    double offset = 0;
    for (qsizetype i = 0; i < vehicle.AxleWeights.size(); ++i) {
        if (i > 0)
            offset += vehicle.AxleSpacings.value(i - 1, 1.3);
        const double axle = position - offset;
        if (axle >= 0 && axle <= scalesLength)
            weight += vehicle.AxleWeights[i];
    }
    return weight;
}

void TVehicleSimulator::Start(const Vehicle& vehicle, const Scales& scales) {
    Current = vehicle;
    Platform = scales;
    Offsets.clear();
    double offset = 0;
    for (qsizetype i = 0; i < vehicle.AxleWeights.size(); ++i) {
        if (i > 0)
            offset += vehicle.AxleSpacings.value(i - 1, 1.3);
        Offsets.append(offset);
    }
    Position = -0.5;
    AxlesOn = 0;
    StandingLeft = 0;
    Timer.start();
    emit WeightChanged(0);
}

void TVehicleSimulator::Stop() {
    Timer.stop();
    emit WeightChanged(0);
}

void TVehicleSimulator::Tick() {
    if (StandingLeft > 0) {
        StandingLeft -= kTickMs / 1000.0;
        return;
    }
    Position += Platform.Speed * kTickMs / 1000.0;
    // an axle that has just come fully onto the scales (its middle, for short scales) makes the vehicle stand
    const double stopPoint = qMin(0.4, Platform.Length / 2);
    if (AxlesOn < Offsets.size() && Position - Offsets[AxlesOn] >= stopPoint) {
        ++AxlesOn;
        StandingLeft = Platform.StopSeconds;
    }
    emit WeightChanged(WeightAt(Current, Platform.Length, Position));
    if (Offsets.isEmpty() || Position - Offsets.last() > Platform.Length) {
        Timer.stop();
        emit WeightChanged(0);
        emit Finished();
    }
}
