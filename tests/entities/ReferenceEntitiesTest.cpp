#include "DictConfig.h"
#include "Driver.h"
#include "QtPrinters.h"
#include "StorageFixture.h"
#include "Vehicle.h"

namespace {

class ReferenceStorage : public StorageTest {
protected:
    int SaveModel(const QString& name, int modelClass) {
        TVYKModelImpl model(modelClass);
        model.ModelName = name;
        model.PrintLabel = name + QStringLiteral(" для печати");
        model.Class = modelClass;
        model.Save();
        return model.Id;
    }
    int SaveVehicle(const QString& regnum, int modelId) {
        TVYKVehicleImpl vehicle;
        vehicle.RegNum = regnum;
        vehicle.Model->Load(modelId);
        vehicle.Save();
        return vehicle.Id;
    }
    void Record(int id, int tractor, int trailer, int driver) {
        Run(QStringLiteral("insert into records (id, tractor_id, trailer_id, driver_id) values (%1, %2, %3, %4)")
                .arg(id)
                .arg(tractor)
                .arg(trailer)
                .arg(driver));
    }
    // The ids the view's refresh shows.
    static QList<int> Shown(TADOEntity& entity) {
        QList<int> ids;
        for (; !entity.Eof(); entity.Next())
            ids.append(entity.GetInt(QStringLiteral("id")));
        std::sort(ids.begin(), ids.end());
        return ids;
    }
    void InstallDicts() {
        const QString dicts = Folder.path() + QStringLiteral("/dicts");
        QDir().mkpath(dicts);
        for (const char* name : {"records", "vehicles", "models", "Drivers"})
            QFile::copy(QStringLiteral(VYK_DIST_DIR "/config/dicts/%1.dict").arg(QLatin1String(name)),
                        dicts + QStringLiteral("/%1.dict").arg(QLatin1String(name)));
        Form.ConfigDir = Folder.path() + QStringLiteral("/");
    }
};
STORAGE_TEST_SUITE(ReferenceStorage);

} // namespace

TEST_P(ReferenceStorage, VehicleLoadsWithItsModel) {
    const int model = SaveModel(QStringLiteral("МАЗ-5440"), 150);
    const int id = SaveVehicle(QStringLiteral("А123ВС77"), model);
    EXPECT_EQ(id, 1);
    EXPECT_EQ(Value(QStringLiteral("select regnum from vehicles where id = 1")).toString(), QStringLiteral("А123ВС77"));

    TVYKVehicleImpl vehicle(kTrailerClass);
    ASSERT_TRUE(vehicle.Load(id));
    EXPECT_EQ(vehicle.RegNum, QStringLiteral("А123ВС77"));
    EXPECT_EQ(vehicle.Model->Id, model);
    EXPECT_EQ(vehicle.Model->Class, 150); // the stored class replaces the kind it was made with
    EXPECT_EQ(vehicle.Model->PrintLabel, QStringLiteral("МАЗ-5440 для печати"));
    EXPECT_FALSE(vehicle.IsTrailer());

    vehicle.RegNum = QStringLiteral("В777ОР99");
    vehicle.Save();
    EXPECT_EQ(Count(QStringLiteral("vehicles")), 1);
    EXPECT_FALSE(vehicle.Load(42)); // a missing row is no report
    EXPECT_TRUE(vehicle.RegNum.isEmpty());
    EXPECT_TRUE(Form.Reports.isEmpty());
}

TEST_P(ReferenceStorage, KindSurvivesClearAndPassesToNewInstances) {
    TVYKVehicleImpl trailer(kTrailerClass);
    trailer.RegNum = QStringLiteral("АА1234");
    trailer.Model->ModelName = QStringLiteral("x");
    trailer.Clear();
    EXPECT_EQ(trailer.Model->Class, 200);
    EXPECT_TRUE(trailer.RegNum.isEmpty());
    EXPECT_TRUE(trailer.Model->ModelName.isEmpty());
    EXPECT_EQ(static_cast<TVYKVehicle&>(*trailer.CreateInstance()).Model->Class, 200);
    EXPECT_EQ(static_cast<TVYKVehicle&>(*TVYKVehicleImpl().CreateInstance()).Model->Class, 100);

    TVYKModelImpl model(250);
    model.Clear();
    EXPECT_EQ(model.Class, 200);
    EXPECT_EQ(static_cast<TVYKModel&>(*TVYKModelImpl(150).CreateInstance()).Class, 100);
}

TEST_P(ReferenceStorage, ReferencedRowsCannotBeDeleted) {
    const int tractorModel = SaveModel(QStringLiteral("T"), 100), trailerModel = SaveModel(QStringLiteral("P"), 200);
    const int tractor = SaveVehicle(QStringLiteral("A1"), tractorModel);
    const int trailer = SaveVehicle(QStringLiteral("P1"), trailerModel);
    const int other = SaveVehicle(QStringLiteral("A2"), tractorModel);
    TVYKDriverImpl driver;
    driver.Surname = QStringLiteral("Иванов");
    driver.Save();
    Record(1, tractor, trailer, driver.Id);

    TVYKVehicleImpl vehicles;
    EXPECT_FALSE(vehicles.Delete(tractor));
    EXPECT_FALSE(vehicles.Delete(trailer));
    TVYKModelImpl models;
    EXPECT_FALSE(models.Delete(tractorModel));
    TVYKDriverImpl drivers;
    EXPECT_FALSE(drivers.Delete(driver.Id));
    EXPECT_EQ(Count(QStringLiteral("vehicles")), 3);
    EXPECT_EQ(Count(QStringLiteral("drivers")), 1);

    Run(QStringLiteral("update records set tractor_id = %1, trailer_id = 0, driver_id = 0").arg(other));
    EXPECT_TRUE(vehicles.Delete(tractor));
    EXPECT_TRUE(vehicles.Delete(trailer));
    EXPECT_FALSE(vehicles.Delete(other));
    EXPECT_FALSE(models.Delete(tractorModel)); // still used by the other tractor
    EXPECT_TRUE(models.Delete(trailerModel));

    EXPECT_TRUE(driver.Delete(0)); // 0: the loaded driver itself
    EXPECT_EQ(Count(QStringLiteral("drivers")), 0);
    EXPECT_FALSE(TVYKDriverImpl().Delete(0)); // a new driver has nothing to delete
    EXPECT_FALSE(drivers.Delete(77));         // nothing deleted is no success
    EXPECT_TRUE(Form.Reports.isEmpty());
}

TEST_P(ReferenceStorage, DriverNamesAndFullName) {
    TVYKDriverImpl driver;
    driver.Surname = QStringLiteral("Иванов");
    EXPECT_EQ(driver.FullName(), QStringLiteral("Иванов  "));
    driver.FirstName = QStringLiteral("Пётр");
    driver.Patronimyc = QStringLiteral("Ильич");
    driver.Save();
    TVYKDriverImpl loaded;
    ASSERT_TRUE(loaded.Load(driver.Id));
    EXPECT_EQ(loaded.FullName(), QStringLiteral("Иванов Пётр Ильич"));
}

TEST_P(ReferenceStorage, ViewsShowTheirKindOnly) {
    InstallDicts();
    const int m150 = SaveModel(QStringLiteral("A"), 150), m200 = SaveModel(QStringLiteral("B"), 200),
              m250 = SaveModel(QStringLiteral("C"), 250);
    const int v150 = SaveVehicle(QStringLiteral("A1"), m150), v200 = SaveVehicle(QStringLiteral("B1"), m200),
              v250 = SaveVehicle(QStringLiteral("C1"), m250);

    TVYKModelImpl tractorModels(kTractorClass), trailerModels(kTrailerClass);
    tractorModels.DictConfig()->OnRefresh();
    EXPECT_EQ(Shown(tractorModels), QList<int>{m150});
    trailerModels.DictConfig()->OnRefresh();
    EXPECT_EQ(Shown(trailerModels), (QList<int>{m200, m250}));

    TVYKVehicleImpl tractors(kTractorClass), trailers(kTrailerClass);
    tractors.DictConfig()->OnRefresh();
    EXPECT_EQ(Shown(tractors), QList<int>{v150});
    trailers.DictConfig()->OnRefresh();
    EXPECT_EQ(Shown(trailers), (QList<int>{v200, v250}));
    EXPECT_EQ(trailers.DictConfig()->DataSet, static_cast<TADOEntity*>(&trailers));

    TVYKDriverImpl drivers;
    drivers.DictConfig()->OnRefresh();
    EXPECT_EQ(drivers.Rows, 0);
    EXPECT_TRUE(Form.Reports.isEmpty());
}

TEST_P(ReferenceStorage, FailedSaveKeepsTheInstanceNew) {
    Run(QStringLiteral("DROP TABLE drivers"));
    TVYKDriverImpl driver;
    driver.Surname = QStringLiteral("Петров");
    EXPECT_THROW(driver.Save(), Exception);
    EXPECT_EQ(driver.Id, 0);
}

TEST(ReferenceConfig, FiltersOfEachKind) {
    RecordingInterfaceForm form;
    struct Expected {
        QString Name;
        bool Active, Removable, InMenu, Requery;
        int Kind;
        QString FieldName;
    };
    const auto check = [](TDictConfig& config, const QList<Expected>& expected) {
        ASSERT_EQ(config.FilterCount(), expected.size());
        EXPECT_TRUE(config.CanAdd && config.CanEdit && config.CanDelete);
        for (int i = 0; i < config.FilterCount(); ++i) {
            const TFilter& f = *config.GetFilter(i);
            const Expected& e = expected[i];
            EXPECT_EQ(f.Name, e.Name);
            EXPECT_EQ(std::tuple(f.Active, f.Removable, f.InMenu, f.Requery, f.Kind, f.FieldName, f.ImageIndex),
                      std::tuple(e.Active, e.Removable, e.InMenu, e.Requery, e.Kind, e.FieldName, 0))
                << f.Name.toStdString();
        }
    };
    TVYKVehicleImpl trailer(kTrailerClass);
    check(*trailer.DictConfig(), {{QStringLiteral("tractors"), false, false, false, true, 0, {}},
                                  {QStringLiteral("trailers"), true, false, true, true, 0, {}},
                                  {QStringLiteral("regmark"), true, true, true, false, 1, QStringLiteral("REGNUM")}});
    EXPECT_EQ(trailer.DictConfig()->GetFilter(2)->Caption, QStringLiteral("c гос. номером"));
    TVYKModelImpl tractorModel(150);
    check(*tractorModel.DictConfig(), {{QStringLiteral("tractors"), true, false, true, true, 0, {}},
                                       {QStringLiteral("trailers"), false, false, false, true, 0, {}}});
    EXPECT_EQ(tractorModel.DictConfig()->GetFilter(0)->Caption, QStringLiteral("справочник моделей тягачей"));
    TVYKDriverImpl driver;
    check(*driver.DictConfig(), {{QStringLiteral("surname"), true, true, true, false, 1, QStringLiteral("SURNAME")}});
}
