#include "VehicleSimulator.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

TEST(VehicleSimulator, WeightIsTheSumOfTheAxlesOnTheScales) {
    const TVehicleSimulator::Vehicle lorry{{6000, 7000, 7500}, {3.5, 1.3}};
    // a 4 m platform: the first axle enters at 0, the second 3.5 m and the third 4.8 m behind it
    EXPECT_EQ(TVehicleSimulator::WeightAt(lorry, 4.0, -0.1), 0);
    EXPECT_EQ(TVehicleSimulator::WeightAt(lorry, 4.0, 1.0), 6000);
    EXPECT_EQ(TVehicleSimulator::WeightAt(lorry, 4.0, 3.6), 13000);
    EXPECT_EQ(TVehicleSimulator::WeightAt(lorry, 4.0, 4.9), 14500); // the first left, the third came on
    EXPECT_EQ(TVehicleSimulator::WeightAt(lorry, 4.0, 7.0), 14500);
    EXPECT_EQ(TVehicleSimulator::WeightAt(lorry, 4.0, 8.0), 7500);
    EXPECT_EQ(TVehicleSimulator::WeightAt(lorry, 4.0, 9.0), 0);
    EXPECT_EQ(TVehicleSimulator::WeightAt(lorry, 0.8, 3.9), 7000); // single-axle scales: one at a time
}

TEST(VehicleSimulator, RollsOverAndStandsForEachAxle) {
    TVehicleSimulator simulator;
    QSignalSpy weights(&simulator, &TVehicleSimulator::WeightChanged);
    QSignalSpy finished(&simulator, &TVehicleSimulator::Finished);
    TVehicleSimulator::Scales scales;
    scales.Length = 0.8;
    scales.Speed = 5;
    scales.StopSeconds = 0.3;
    simulator.Start({{6000, 7000}, {1.3}}, scales);
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished.count() == 1; }, 10000));
    QList<int> seen;
    for (const auto& arguments : weights)
        if (seen.isEmpty() || seen.last() != arguments.at(0).toInt())
            seen.append(arguments.at(0).toInt());
    EXPECT_EQ(seen, (QList<int>{0, 6000, 0, 7000, 0}));
}
