// The weighing station's costs per poll: a poll round trip (the two sends of PollWeight against zunasrv over the
// socket; goal under 1 ms at the median) and one paint of the weight indicator and of the axle buffer at the
// design size and at 1920×1080 (goal under 2 ms), so the 150 ms polling never makes the interface stutter.
//
//   build/bench/bench_station
#include "IniFile.h"
#include "MeasurerForm.h"
#include "PaintBox.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <benchmark/benchmark.h>

namespace {

// A station connected to a private zunasrv, with the scales connected and a vehicle's weight on them.
struct Station {
    Station() {
        qputenv("ZUNA_SOCKET", (Folder.path() + QStringLiteral("/zuna")).toUtf8());
        Server.start(QStringLiteral(ZUNASRV_PATH), {QStringLiteral("--no-window")});
        Server.waitForStarted();
        TZunaLink probe;
        const QDeadlineTimer deadline(5000);
        while (!probe.Connect() && !deadline.hasExpired())
            QThread::msleep(20);
        probe.Post(Zuna::ZT_SET_WEIGHT, 41250);
        Config = std::make_unique<IniFile>(Folder.path() + QStringLiteral("/config.ini"));
        Form = std::make_unique<TMeasurerForm>(*Config, nullptr);
        Form->RequestConnect();
        const QDeadlineTimer connected(5000);
        while (!(Form->LinkState & LINK_SCALES) && !connected.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        Form->StaticTimer.stop();
    }
    ~Station() {
        Form.reset();
        Server.kill();
        Server.waitForFinished();
    }
    QTemporaryDir Folder;
    QProcess Server;
    std::unique_ptr<IniFile> Config;
    std::unique_ptr<TMeasurerForm> Form;
};

Station& Shared() {
    static Station station;
    return station;
}

void PollRoundTrip(benchmark::State& state) {
    TMeasurerForm& form = *Shared().Form;
    std::vector<double> micros;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        benchmark::DoNotOptimize(form.PollWeight());
        micros.push_back(clock.nsecsElapsed() / 1000.0);
    }
    std::sort(micros.begin(), micros.end());
    state.counters["median_us"] = micros[micros.size() / 2];
    state.counters["p99_us"] = micros[std::min(micros.size() - 1, micros.size() * 99 / 100)];
    if (form.PollWeight() != 41250)
        state.SkipWithError("the server's weight did not come back");
}

void PaintIndicator(benchmark::State& state) {
    TMeasurerForm& form = *Shared().Form;
    form.CurrentWeight = 41250;
    const QSize size = state.range(0) ? QSize(1920, 1080) : form.IndicatorPaintBox->size();
    QImage image(size, QImage::Format_RGB32);
    for (auto _ : state)
        form.PaintIndicator(image);
    state.SetLabel(QStringLiteral("%1×%2").arg(size.width()).arg(size.height()).toStdString());
}

void PaintBuffer(benchmark::State& state) {
    TMeasurerForm& form = *Shared().Form;
    if (form.Measurement->AxleCount == 0) {
        for (int weight : {6000, 7000, 7500, 8000, 8000}) {
            std::unique_ptr<TVYKWeighing> axle = std::make_unique<TVYKWeighingImpl>();
            axle->Type = WEIGHING_AXLE;
            axle->Weight = weight;
            form.Measurement->AddWeighing(axle);
        }
    }
    const QSize size = state.range(0) ? QSize(1920, 1080) : form.BufferPaintBox->size();
    QImage image(size, QImage::Format_RGB32);
    for (auto _ : state)
        form.PaintBuffer(image);
    state.SetLabel(QStringLiteral("%1×%2").arg(size.width()).arg(size.height()).toStdString());
}

} // namespace

BENCHMARK(PollRoundTrip)->Unit(benchmark::kMicrosecond)->UseRealTime()->Iterations(3000);
BENCHMARK(PaintIndicator)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(PaintBuffer)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    {
        Station& station = Shared();
        station.Form->resize(461, 374);
        station.Form->show();
        QCoreApplication::processEvents();
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
