// Costs of the storage operations a station runs all day, on a database of 10,000 and of 1,000,000 measurements.
// The goal: at a million each costs at most 1.5 times what it costs at ten thousand.
//
//   build/bench/bench_storage            (data sets are generated once into build/bench/data/)
#include "Database.h"
#include "Measurement.h"
#include "StorageData.h"
#include "Transaction.h"
#include "Vehicle.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <random>

namespace {

// A station keeps its connection all day, so its database pages are warm: run the operation untimed for a while
// before measuring, instead of timing the first touches of a freshly opened file.
template <typename Operation> void WarmUp(Operation operation) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (std::chrono::steady_clock::now() < end)
        for (int i = 0; i < 100; ++i)
            operation();
}

// Opens a private copy of the cached data set as the program's connection, for the benchmark's lifetime.
class OpenDataSet {
public:
    explicit OpenDataSet(int measurements) : Data(measurements) {
        const QString cached = Data.CachedFile(QStringLiteral(VYK_BENCH_DATA_DIR));
        TDatabaseSettings settings;
        settings.Driver = QStringLiteral("QSQLITE");
        settings.Folder = Copy.path() + QLatin1Char('/');
        settings.Name = QStringLiteral("vyk.sqlite");
        QFile::copy(cached, settings.Folder + settings.Name);
        OpenDatabase(settings);
    }
    ~OpenDataSet() { CloseDatabase(); }

    TStorageData Data;

private:
    QTemporaryDir Copy;
};

void SaveMeasurementWithFiveWeighings(benchmark::State& state) {
    OpenDataSet data(int(state.range(0)));
    for (auto _ : state) {
        TVYKMeasurementImpl measurement;
        for (int axle = 0; axle < 5; ++axle) {
            std::unique_ptr<TVYKWeighing> weighing = std::make_unique<TVYKWeighingImpl>();
            weighing->Type = WEIGHING_AXLE;
            weighing->Num = axle + 1;
            weighing->Weight = 7000 + axle;
            weighing->TimeStamp = QDateTime::currentDateTime();
            measurement.AddWeighing(weighing);
        }
        measurement.TimeStamp = QDateTime::currentDateTime();
        measurement.Save(); // the measure row, five axles and the total, in one durable transaction
    }
}

void LoadMeasurement(benchmark::State& state) {
    OpenDataSet data(int(state.range(0)));
    std::mt19937 random(42);
    std::uniform_int_distribution<int> ids(1, data.Data.Measurements);
    TVYKMeasurementImpl measurement;
    const auto load = [&] { benchmark::DoNotOptimize(measurement.Load(ids(random))); };
    WarmUp(load);
    for (auto _ : state)
        load();
}

void RefusedDeleteOfAReferencedVehicle(benchmark::State& state) {
    OpenDataSet data(int(state.range(0)));
    std::mt19937 random(7);
    std::uniform_int_distribution<int> ids(1, data.Data.Vehicles);
    TVYKVehicleImpl vehicle;
    const auto refuse = [&] { benchmark::DoNotOptimize(vehicle.Delete(ids(random))); };
    WarmUp(refuse);
    for (auto _ : state)
        refuse();
}

void HighestIdAllocation(benchmark::State& state) {
    OpenDataSet data(int(state.range(0)));
    TADOEntity query;
    for (auto _ : state) {
        TTransaction transaction; // rolled back: nothing is written
        transaction.LockForIdAllocation(QStringLiteral("weighs"));
        benchmark::DoNotOptimize(query.AllocateId(QStringLiteral("weighs")));
    }
}

} // namespace

BENCHMARK(SaveMeasurementWithFiveWeighings)->Arg(10'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(LoadMeasurement)->Arg(10'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(RefusedDeleteOfAReferencedVehicle)->Arg(10'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(HighestIdAllocation)->Arg(10'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
