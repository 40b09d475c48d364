#include "Measurement.h"
#include "QtPrinters.h"
#include "StorageFixture.h"

namespace {

std::unique_ptr<TVYKWeighing> Weight(int type, int weight, int axles = 0) {
    auto weighing = std::make_unique<TVYKWeighingImpl>();
    weighing->Type = type;
    weighing->Weight = weight;
    weighing->AxleCount = axles;
    weighing->TimeStamp = QDateTime(QDate(2026, 12, 1), QTime(10, 0));
    return weighing;
}

bool Add(TVYKMeasurement& measurement, int type, int weight, int axles = 0) {
    auto weighing = Weight(type, weight, axles);
    return measurement.AddWeighing(weighing);
}

// The weights of the axle places 1 … AxleCount; -1 for an empty place.
QList<int> AxleWeights(const TVYKMeasurement& m) {
    QList<int> weights;
    for (int i = 0; i < m.AxleCount; ++i)
        weights.append(m.AxleWeighings[size_t(i)] ? m.AxleWeighings[size_t(i)]->Weight : -1);
    return weights;
}

} // namespace

// What the measurement derives needs no database.
TEST(Measurement, AxleModeSumsTheAxles) {
    TVYKMeasurementImpl m;
    for (int weight : {6000, 7000, 7500})
        ASSERT_TRUE(Add(m, WEIGHING_AXLE, weight));
    ASSERT_TRUE(m.VehicleWeighing);
    EXPECT_EQ(m.VehicleWeighing->Weight, 20500);
    EXPECT_TRUE(m.VehicleWeighing->Calc);
    EXPECT_EQ(m.VehicleWeighing->Type, WEIGHING_VEHICLE);
    EXPECT_EQ(m.Type, WEIGHING_AXLE);
    EXPECT_EQ(m.AxleCount, 3);
}

TEST(Measurement, BogiesAreSplitIntoAxles) {
    TVYKMeasurementImpl m;
    ASSERT_TRUE(Add(m, WEIGHING_BOGIE, 17005, 2));
    ASSERT_TRUE(Add(m, WEIGHING_BOGIE, 8000, 1));
    EXPECT_EQ(m.VehicleWeighing->Weight, 25005);
    EXPECT_EQ(AxleWeights(m), (QList<int>{8502, 8502, 8000}));
    for (int i = 0; i < 3; ++i) {
        const TVYKWeighing& axle = *m.AxleWeighings[size_t(i)];
        EXPECT_EQ(axle.Num, i + 1);
        EXPECT_EQ(axle.BogieIndex, i < 2 ? 0 : 1);
        EXPECT_TRUE(axle.Calc);
        EXPECT_EQ(axle.AxleCount, 1);
        EXPECT_EQ(axle.Type, WEIGHING_AXLE);
    }
}

TEST(Measurement, BogiesBeyondNineAxlesStillCountInTheTotal) {
    TVYKMeasurementImpl m;
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(Add(m, WEIGHING_BOGIE, 9000, 3)); // twelve axles
    EXPECT_EQ(m.AxleCount, 9);
    EXPECT_EQ(m.VehicleWeighing->Weight, 36000);
}

TEST(Measurement, RefusesASecondTotalASeventhBogieAndATenthAxle) {
    TVYKMeasurementImpl total;
    ASSERT_TRUE(Add(total, WEIGHING_VEHICLE, 30000));
    auto second = Weight(WEIGHING_VEHICLE, 1);
    EXPECT_FALSE(total.AddWeighing(second));
    EXPECT_TRUE(second); // the caller keeps what was refused
    EXPECT_EQ(total.VehicleWeighing->Weight, 30000);

    TVYKMeasurementImpl bogies;
    for (int i = 0; i < 6; ++i)
        ASSERT_TRUE(Add(bogies, WEIGHING_BOGIE, 1000, 1));
    EXPECT_FALSE(Add(bogies, WEIGHING_BOGIE, 1000, 1));
    EXPECT_EQ(bogies.BogieCount, 6);

    TVYKMeasurementImpl axles;
    for (int i = 0; i < 9; ++i)
        ASSERT_TRUE(Add(axles, WEIGHING_AXLE, 1000));
    EXPECT_FALSE(Add(axles, WEIGHING_AXLE, 1000));
    EXPECT_EQ(axles.AxleCount, 9);
    EXPECT_EQ(axles.VehicleWeighing->Weight, 9000);
}

namespace {

class MeasurementStorage : public StorageTest {
protected:
    // A weighing saved at once, as the station does when a weight is fixed.
    std::unique_ptr<TVYKWeighing> Fixed(int type, int weight, int axles = 0, int num = 0) {
        auto weighing = Weight(type, weight, axles);
        weighing->Num = num;
        weighing->Save();
        return weighing;
    }
};
STORAGE_TEST_SUITE(MeasurementStorage);

} // namespace

TEST_P(MeasurementStorage, SavedMeasurementLoadsBackWithItsWeighings) {
    TVYKMeasurementImpl m;
    for (int weight : {6000, 7000, 7500}) {
        auto axle = Fixed(WEIGHING_AXLE, weight, 0, m.AxleCount + 1);
        ASSERT_TRUE(m.AddWeighing(axle));
    }
    m.TimeStamp = QDateTime(QDate(2026, 12, 11), QTime(12, 30, 15));
    m.Save();
    EXPECT_EQ(m.Id, 1);
    EXPECT_EQ(Count(QStringLiteral("weighs"), QStringLiteral("msr_id = 1")), 4); // three axles and the total

    TVYKMeasurementImpl loaded;
    ASSERT_TRUE(loaded.Load(1));
    EXPECT_EQ(loaded.TimeStamp, m.TimeStamp);
    EXPECT_EQ(loaded.Type, WEIGHING_AXLE);
    EXPECT_EQ(loaded.AxleCount, 3);
    EXPECT_EQ(AxleWeights(loaded), (QList<int>{6000, 7000, 7500}));
    ASSERT_TRUE(loaded.VehicleWeighing);
    EXPECT_EQ(loaded.VehicleWeighing->Weight, 20500);
    EXPECT_TRUE(loaded.VehicleWeighing->Calc);
    EXPECT_FALSE(loaded.AxleWeighings[0]->Calc);
    EXPECT_TRUE(Form.Reports.isEmpty());

    // a second save of the loaded measurement updates and inserts nothing
    loaded.Type = WEIGHING_AXLE;
    loaded.Save();
    EXPECT_EQ(Count(QStringLiteral("measure")), 1);
    EXPECT_EQ(Count(QStringLiteral("weighs")), 4);
}

TEST_P(MeasurementStorage, WeighingKeepsEveryColumn) {
    TVYKWeighingImpl w;
    w.Type = WEIGHING_BOGIE;
    w.Weight = 17005;
    w.AxleCount = 2;
    w.Num = 1;
    w.Calc = true;
    w.Error = 7;
    w.Limit = 9;
    w.TimeStamp = QDateTime(QDate(2015, 3, 7), QTime(9, 5));
    w.Save();
    TVYKWeighingImpl loaded;
    ASSERT_TRUE(loaded.Load(w.Id));
    EXPECT_EQ(std::tuple(loaded.Type, loaded.Weight, loaded.AxleCount, loaded.Num, loaded.Calc, loaded.Error,
                         loaded.Limit, loaded.TimeStamp),
              std::tuple(w.Type, w.Weight, w.AxleCount, w.Num, w.Calc, w.Error, w.Limit, w.TimeStamp));
    EXPECT_EQ(Value(QStringLiteral("select calc from weighs")).toInt(), 1);

    EXPECT_FALSE(loaded.Load(99));
    ASSERT_EQ(Form.Reports.size(), 1);
    EXPECT_EQ(Form.Reports[0].Text, QStringLiteral("Сбой при загрузке взвешивания из БД"));
    EXPECT_EQ(Form.Reports[0].Info, QStringLiteral("[ id 99, cnt 0 ]\n@ TVYKWeighingImpl::Load"));
}

TEST_P(MeasurementStorage, IdsAreTheHighestPlusOne) {
    for (int expected : {1, 2, 3}) {
        auto w = Fixed(WEIGHING_AXLE, 1000);
        EXPECT_EQ(w->Id, expected);
    }
    Run(QStringLiteral("delete from weighs where id = 3"));
    EXPECT_EQ(Fixed(WEIGHING_AXLE, 1000)->Id, 3);
}

TEST_P(MeasurementStorage, DiscardedWeighingStaysWithoutMeasurement) {
    auto discarded = Fixed(WEIGHING_AXLE, 5000);
    TVYKMeasurementImpl m;
    ASSERT_TRUE(Add(m, WEIGHING_VEHICLE, 30000));
    m.Save();
    EXPECT_TRUE(Value(QStringLiteral("select msr_id from weighs where id = %1").arg(discarded->Id)).isNull());
    TVYKMeasurementImpl loaded;
    ASSERT_TRUE(loaded.Load(m.Id));
    EXPECT_EQ(loaded.AxleCount, 0);
    EXPECT_EQ(loaded.VehicleWeighing->Weight, 30000);
}

TEST_P(MeasurementStorage, WrongAndDoubledWeighingsAreReportedAndLeftOut) {
    Run(QStringLiteral("insert into measure (id, time_stamp, type, axes_cnt, bogies_cnt) values "
                       "(12, '2015.03.07 09:05:00', 3, 3, 1)"));
    Run(QStringLiteral("insert into weighs (id, type, num, weight, msr_id) values "
                       "(1, 3, 1, 6000, 12), (2, 3, 2, 7000, 12), (3, 3, 2, 7100, 12), (4, 2, 7, 9000, 12), "
                       "(5, 1, 0, 13000, 12), (6, 1, 0, 13100, 12), (7, 3, 10, 1, 12), (8, 9, 1, 1, 12), (9, 2, 1, 5000, 12), "
                       "(10, 2, 1, 5100, 12)"));
    TVYKMeasurementImpl m;
    ASSERT_TRUE(m.Load(12));
    EXPECT_EQ(AxleWeights(m), (QList<int>{6000, 7000, -1})); // the stored count names a place left empty
    EXPECT_EQ(m.VehicleWeighing->Weight, 13000);
    EXPECT_EQ(m.BogieWeighings[0]->Weight, 5000);
    m.UpdateTotals(); // the empty place is skipped, not dereferenced
    EXPECT_EQ(m.VehicleWeighing->Weight, 13000);
    EXPECT_EQ(m.BogieCount, 1); // the counts are the stored ones
    QStringList infos;
    for (const auto& report : Form.Reports) {
        EXPECT_EQ(report.Text, QStringLiteral("Сбой при загрузке измерения из БД"));
        infos.append(report.Info);
    }
    const QString at = QStringLiteral("\n@ TVYKMeasurementImpl::LoadWeighing");
    EXPECT_EQ(infos, (QStringList{QStringLiteral("дублирование веса оси [ id = 3, n = 2 ]") + at,
                                  QStringLiteral("некорректный номер тележки [ id = 4, n = 7 ]") + at,
                                  QStringLiteral("дублирование веса ТС [ id = 6 ]") + at,
                                  QStringLiteral("некорректный номер оси [ id = 7, n = 10 ]") + at,
                                  QStringLiteral("дублирование веса тележки [ id = 10, n = 1 ]") + at}));
}

TEST_P(MeasurementStorage, MissingOrDoubledMeasurementRowFailsToLoad) {
    TVYKMeasurementImpl m;
    EXPECT_FALSE(m.Load(5));
    Run(QStringLiteral("insert into measure (id) values (6), (6)"));
    EXPECT_FALSE(m.Load(6));
    EXPECT_EQ(m.Id, 0);
    ASSERT_EQ(Form.Reports.size(), 2);
    EXPECT_EQ(Form.Reports[0].Info, QStringLiteral("[ id 5, cnt 0 ]\n@ TVYKMeasurementImpl::Load"));
    EXPECT_EQ(Form.Reports[1].Info, QStringLiteral("[ id 6, cnt 2 ]\n@ TVYKMeasurementImpl::Load"));
    EXPECT_EQ(Form.Reports[0].Text, QStringLiteral("Сбой при загрузке измерения из БД"));
    EXPECT_FALSE(m.Load(0));
    EXPECT_EQ(Form.Reports.size(), 2);
}

TEST_P(MeasurementStorage, DeletingAMeasurementTakesItsWeighings) {
    Run(QStringLiteral("insert into measure (id) values (12), (13)"));
    Run(QStringLiteral("insert into weighs (id, msr_id) values (1, 12), (2, 12), (3, 13), (4, null)"));
    TVYKMeasurementImpl m;
    EXPECT_TRUE(m.Delete(12));
    EXPECT_EQ(Count(QStringLiteral("measure")), 1);
    EXPECT_EQ(Count(QStringLiteral("weighs")), 2);
    EXPECT_FALSE(m.Delete(12));
    TVYKWeighingImpl w;
    EXPECT_FALSE(w.Delete(5)); // no weighing of measurement 5
    EXPECT_TRUE(w.Delete(13));
    EXPECT_TRUE(Form.Reports.isEmpty());
}

TEST_P(MeasurementStorage, FailedSaveLeavesNothingHalfWrittenAndCanBeRepeated) {
    TVYKMeasurementImpl m;
    auto fixed = Fixed(WEIGHING_BOGIE, 17005, 2);
    ASSERT_TRUE(m.AddWeighing(fixed));
    ASSERT_TRUE(Add(m, WEIGHING_BOGIE, 8000, 1)); // not yet stored
    m.TimeStamp = QDateTime::currentDateTime();
    const int fixedId = m.BogieWeighings[0]->Id;
    BreakMsrIdUpdate(fixedId);

    EXPECT_THROW(m.Save(), Exception);
    EXPECT_EQ(m.Id, 0);
    for (TVYKWeighing* w : m.Weighings())
        EXPECT_EQ(w->Id, w == m.BogieWeighings[0].get() ? fixedId : 0);
    EXPECT_EQ(Count(QStringLiteral("measure")), 0);
    EXPECT_EQ(Count(QStringLiteral("weighs")), 1); // only the weight fixed before
    EXPECT_TRUE(Value(QStringLiteral("select msr_id from weighs")).isNull());

    Run(QStringLiteral("DROP TRIGGER fail") + (IsPostgres() ? QStringLiteral(" ON weighs") : QString()));
    m.Save();
    EXPECT_EQ(m.Id, 1);
    EXPECT_EQ(Count(QStringLiteral("weighs"), QStringLiteral("msr_id = 1")), 6); // 2 bogies, 3 axles, the total
}
