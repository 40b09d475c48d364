#include "DictConfig.h"
#include "IniFile.h"
#include "QtPrinters.h"
#include "StorageFixture.h"

#include <QFile>

TEST(DictConfig, ReadsTheBaseQueryOfItsFile) {
    QTemporaryDir folder;
    QDir().mkpath(folder.filePath(QStringLiteral("dicts")));
    QFile file(folder.filePath(QStringLiteral("dicts/Drivers.dict")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[MAIN]\nsql=select * from drivers\n[column0]\nMinWidth=abc\nOddPart=0x10\n");
    file.close();

    TDictConfig config(QStringLiteral("Drivers"), folder.path() + QStringLiteral("/"));
    EXPECT_EQ(config.SQL, QStringLiteral("select * from drivers"));
    EXPECT_EQ(config.IniFile->ReadInteger(QStringLiteral("column0"), QStringLiteral("MinWidth"), 0), 0);
    EXPECT_EQ(config.IniFile->ReadInteger(QStringLiteral("column0"), QStringLiteral("OddPart"), 1), 16);
    EXPECT_FALSE(config.CanAdd || config.CanEdit || config.CanDelete);
    EXPECT_EQ(config.DataSet, nullptr);

    TDictConfig missing(QStringLiteral("drivers"), folder.path() + QStringLiteral("/")); // the name is exact
    EXPECT_TRUE(missing.SQL.isEmpty());
}

TEST(DictConfig, FindsFiltersByIndexAndName) {
    TDictConfig config(QStringLiteral("none"), QStringLiteral("/nonexistent/"));
    for (const char* name : {"a", "b", "a"}) {
        auto filter = std::make_unique<TFilter>();
        filter->Name = QLatin1String(name);
        filter->Caption = QStringLiteral("%1").arg(config.FilterCount());
        config.AddFilter(std::move(filter));
    }
    EXPECT_EQ(config.GetFilter(-1), nullptr);
    EXPECT_EQ(config.GetFilter(config.FilterCount()), nullptr);
    EXPECT_EQ(config.GetFilter(1)->Name, QStringLiteral("b"));
    EXPECT_EQ(config.FindFilter(QStringLiteral("a"))->Caption, QStringLiteral("0")); // the first added
    EXPECT_EQ(config.FindFilter(QStringLiteral("A")), nullptr);
}

TEST(LocalFilters, EveryActiveTextFilterMustPass) {
    TFilterList filters;
    const auto add = [&filters](const QString& field, const QString& value, bool active = true) {
        auto filter = std::make_unique<TFilter>();
        filter->Kind = TFilter::KindText;
        filter->FieldName = field;
        filter->Value = value;
        filter->Active = active;
        filters.push_back(std::move(filter));
    };
    add(QStringLiteral("TRACTOR_REGNUM"), QStringLiteral("а1"));
    add(QStringLiteral("TRAILER_REGNUM"), QStringLiteral("77"));
    add(QStringLiteral("DRIVER"), QString());                  // empty: lets everything pass
    add(QStringLiteral("DOCUMENT"), QStringLiteral("x"), false); // off
    const auto passes = [&filters](const QString& tractor, const QString& trailer) {
        return PassesLocalFilters(filters, [&](const QString& field) {
            return field == QLatin1String("TRACTOR_REGNUM") ? tractor : field == QLatin1String("TRAILER_REGNUM") ? trailer : QString();
        });
    };
    EXPECT_TRUE(passes(QStringLiteral("КА123"), QStringLiteral("АР7701")));
    EXPECT_TRUE(passes(QStringLiteral("а1"), QStringLiteral("77")));
    EXPECT_FALSE(passes(QStringLiteral("А2"), QStringLiteral("77")));
    EXPECT_FALSE(passes(QStringLiteral("А1"), QStringLiteral("78")));
}

namespace {

// The installed .dict files against a real database of either driver.
class InstalledDicts : public StorageTest {
protected:
    TDictConfig Dict(const QString& name) { return TDictConfig(name, QStringLiteral(VYK_DIST_DIR "/config/")); }
    QSqlQuery Open(const QString& sql) {
        QSqlQuery query(Db);
        EXPECT_TRUE(query.exec(sql)) << sql.toStdString() << "\n" << query.lastError().text().toStdString();
        return query;
    }
};
STORAGE_TEST_SUITE(InstalledDicts);

} // namespace

TEST_P(InstalledDicts, JournalListsEveryMeasurementWithItsGrossWeight) {
    Run(QStringLiteral("insert into measure (id, time_stamp) values (1, '2015.03.07 09:05:00'), "
                       "(2, '2015.03.07 23:59:59'), (3, '2015.03.08 00:00:00')"));
    Run(QStringLiteral("insert into weighs (id, type, weight, msr_id) values (1, 1, 41000, 1), (2, 3, 9000, 1), "
                       "(3, 1, 15000, 2), (4, 1, 20000, 3)"));
    Run(QStringLiteral("insert into vehicles (id, model_id, regnum) values (1, 1, 'А123ВС77'), (2, 2, 'АР7701')"));
    Run(QStringLiteral("insert into drivers (id, name, surname, patronimyc) values (1, 'Пётр', 'Иванов', 'Ильич')"));
    Run(QStringLiteral("insert into records (id, tractor_id, trailer_id, driver_id, load, netto, brutto, document) "
                       "values (1, 1, 2, 1, 2, 26000, 41000, 'ТН-15')"));
    TDictConfig journal = Dict(QStringLiteral("records"));
    QSqlQuery query = Open(journal.SQL + QStringLiteral(" where (m.time_stamp >= '2015.03.07 00:00:00') and "
                                                        "(m.time_stamp <= '2015.03.07 23:59:59') order by id"));
    ASSERT_TRUE(query.next());
    const auto field = [&query](const char* name) { return query.value(QLatin1String(name)).toString(); };
    EXPECT_EQ(field("id"), QStringLiteral("1"));
    EXPECT_EQ(field("MSR_DATE"), QStringLiteral("2015.03.07"));
    EXPECT_EQ(field("MSR_TIME"), QStringLiteral("09:05:00"));
    EXPECT_EQ(field("BRUTTO"), QStringLiteral("41000"));
    EXPECT_EQ(field("NETTO"), QStringLiteral("26000"));
    EXPECT_EQ(field("TRACTOR_REGNUM"), QStringLiteral("А123ВС77"));
    EXPECT_EQ(field("TRAILER_REGNUM"), QStringLiteral("АР7701"));
    EXPECT_EQ(field("DRIVER"), QStringLiteral("Иванов Пётр"));
    EXPECT_EQ(field("DOCUMENT"), QStringLiteral("ТН-15"));
    EXPECT_EQ(field("LOAD_STATE"), QStringLiteral("с грузом"));
    ASSERT_TRUE(query.next()); // no journal row yet: still listed with its gross weight
    EXPECT_EQ(field("id"), QStringLiteral("2"));
    EXPECT_EQ(field("BRUTTO"), QStringLiteral("15000"));
    EXPECT_TRUE(field("TRACTOR_REGNUM").isEmpty());
    EXPECT_FALSE(query.next()); // the next day is outside the filter
}

TEST_P(InstalledDicts, EveryViewGivesItsIdAndFilterColumns) {
    const QList<std::pair<QString, QStringList>> views = {
        {QStringLiteral("records"), {QStringLiteral("TRACTOR_REGNUM"), QStringLiteral("TRAILER_REGNUM")}},
        {QStringLiteral("vehicles"), {QStringLiteral("REGNUM")}},
        {QStringLiteral("models"), {}},
        {QStringLiteral("Drivers"), {QStringLiteral("SURNAME")}},
    };
    for (const auto& [name, filterColumns] : views) {
        TDictConfig config = Dict(name);
        ASSERT_FALSE(config.SQL.isEmpty()) << name.toStdString();
        EXPECT_FALSE(config.IniFile->ReadString(QStringLiteral("main"), QStringLiteral("DictCaption"), {}).isEmpty());
        EXPECT_FALSE(config.IniFile->ReadString(QStringLiteral("main"), QStringLiteral("SelectCaption"), {}).isEmpty());
        EXPECT_TRUE(config.IniFile->SectionExists(QStringLiteral("column0")));
        // the entities append conditions to all but the drivers' query
        const QString sql = name == QLatin1String("Drivers") ? config.SQL
                          : name == QLatin1String("records")
                              ? config.SQL + QStringLiteral(" where (m.time_stamp >= '2000') and (m.time_stamp <= '3000')")
                              : config.SQL + QStringLiteral(" where (m.class < 200) and (m.class >= 200)");
        QSqlQuery query = Open(sql);
        EXPECT_GE(query.record().indexOf(QStringLiteral("id")), 0) << name.toStdString();
        for (const QString& column : filterColumns)
            EXPECT_GE(query.record().indexOf(column), 0) << name.toStdString() << " " << column.toStdString();
        for (int i = 0; config.IniFile->SectionExists(QStringLiteral("column%1").arg(i)); ++i) {
            const QString field = config.IniFile->ReadString(QStringLiteral("column%1").arg(i), QStringLiteral("FieldName"), {});
            EXPECT_GE(query.record().indexOf(field), 0) << name.toStdString() << " " << field.toStdString();
        }
    }
}
