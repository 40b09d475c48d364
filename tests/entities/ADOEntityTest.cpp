#include "ADOEntity.h"
#include "Logger.h"
#include "QtPrinters.h"
#include "SqlStatement.h"
#include "StorageFixture.h"

#include <QFile>

namespace {

class ADOEntityTest : public StorageTest {
protected:
    void SetUp() override {
        StorageTest::SetUp();
        if (IsSkipped())
            return;
        Run(QStringLiteral("insert into measure (id, time_stamp, type, axes_cnt, bogies_cnt) values "
                           "(1, '2015.03.07 09:05:00', 3, 2, 0), (2, '2015.03.07 23:59:59', 1, 0, 0), "
                           "(3, '2015.03.08 00:00:00', 1, 0, 0)"));
    }
};
STORAGE_TEST_SUITE(ADOEntityTest);

} // namespace

TEST_P(ADOEntityTest, OpenQueryCountsRowsOnEveryDriver) {
    TADOEntity query;
    query.SetSQL(QStringLiteral("select * from measure order by id"));
    ASSERT_TRUE(query.OpenQuery());
    EXPECT_EQ(query.Rows, 3);
    EXPECT_EQ(query.GetInt(QStringLiteral("id")), 1); // the first row is current
    int seen = 0;
    for (; !query.Eof(); query.Next())
        ++seen;
    EXPECT_EQ(seen, 3);

    query.SetSQL(QStringLiteral("select * from measure where id = 99"));
    EXPECT_TRUE(query.OpenQuery());
    EXPECT_EQ(query.Rows, 0);
    EXPECT_TRUE(query.Eof());
    EXPECT_TRUE(Form.Reports.isEmpty());
}

TEST_P(ADOEntityTest, FailingStatementIsReportedNotRaised) {
    TADOEntity query;
    query.SetSQL(QStringLiteral("select * from no_such_table"));
    EXPECT_FALSE(query.OpenQuery());
    EXPECT_EQ(query.Rows, 0);
    EXPECT_TRUE(query.LastFailed());
    ASSERT_EQ(Form.Reports.size(), 1);
    EXPECT_EQ(Form.Reports[0].Text, QStringLiteral("Сбой при выполнении запроса к БД"));
    const QString info = Form.Reports[0].Info;
    EXPECT_TRUE(info.startsWith(QStringLiteral("SQL : select * from no_such_table\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("no_such_table"), Qt::CaseInsensitive));
    EXPECT_TRUE(info.endsWith(QStringLiteral("\n@ TADOEntity::OpenQuery")));
    EXPECT_GT(info.count(QLatin1Char('\n')), 1); // the error message stands on its own line

    query.SetSQL(QStringLiteral("delete from no_such_table"));
    EXPECT_FALSE(query.ExecQuery());
    ASSERT_EQ(Form.Reports.size(), 2);
    EXPECT_TRUE(Form.Reports[1].Info.endsWith(QStringLiteral("\n@ TADOEntity::ExecQuery")));
}

TEST_P(ADOEntityTest, ExecQueryCountsChangedRows) {
    TADOEntity query;
    query.SetSQL(QStringLiteral("delete from measure where id = :id"));
    query.SetParam(QStringLiteral("id"), 42);
    EXPECT_TRUE(query.ExecQuery());
    EXPECT_EQ(query.Rows, 0);
    query.SetSQL(QStringLiteral("update measure set type = 2 where id <= :id"));
    query.SetParam(QStringLiteral("id"), 2);
    EXPECT_TRUE(query.ExecQuery());
    EXPECT_EQ(query.Rows, 2);
}

TEST_P(ADOEntityTest, ParametersByName) {
    TADOEntity query;
    // one name at two places gets the value at both
    query.SetSQL(QStringLiteral("select count(*) as cnt from measure where id = :id or axes_cnt = :id"));
    query.SetParam(QStringLiteral("id"), 2);
    query.Open();
    EXPECT_EQ(query.GetInt(QStringLiteral("cnt")), 2); // id 2, and id 1 with two axles

    // a value survives a new text that still names it, and is gone when the name is not there any more
    query.SetSQL(QStringLiteral("select count(*) as cnt from measure where time_stamp >= :start_time"));
    query.SetParam(QStringLiteral("start_time"), QStringLiteral("2015.03.07 23:59:59"));
    query.SetSQL(QStringLiteral("select count(*) as cnt from measure where time_stamp >= :start_time and type = :type"));
    query.SetParam(QStringLiteral("type"), 1);
    query.Open();
    EXPECT_EQ(query.GetInt(QStringLiteral("cnt")), 2);
    query.SetSQL(QStringLiteral("select count(*) as cnt from measure where type = :type"));
    EXPECT_THROW(query.SetParam(QStringLiteral("start_time"), 0), Exception);

    // a colon inside a quoted text is text
    query.SetSQL(QStringLiteral("select count(*) as cnt from measure where time_stamp = '2015.03.07 09:05:00'"));
    query.Open();
    EXPECT_EQ(query.GetInt(QStringLiteral("cnt")), 1);
}

TEST_P(ADOEntityTest, ReadingColumns) {
    TADOEntity query;
    query.SetSQL(QStringLiteral("select id, time_stamp, null as empty_value, '' as blank, 'abc' as letters from measure "
                                "where id = :id"));
    query.SetParam(QStringLiteral("id"), 1);
    query.Open();
    EXPECT_EQ(query.GetTimeStamp(QStringLiteral("time_stamp")), QDateTime(QDate(2015, 3, 7), QTime(9, 5)));
    EXPECT_TRUE(query.GetTimeStamp(QStringLiteral("blank")).isNull());
    EXPECT_TRUE(query.GetTimeStamp(QStringLiteral("letters")).isNull());
    EXPECT_EQ(query.GetInt(QStringLiteral("empty_value")), 0);
    EXPECT_EQ(query.GetInt(QStringLiteral("ID")), 1); // names are not case-sensitive
    EXPECT_THROW(query.GetInt(QStringLiteral("missing")), Exception);
    query.SetSQL(QStringLiteral("select * from no_such_table"));
    EXPECT_THROW(query.Open(), Exception); // the direct call raises
    EXPECT_TRUE(Form.Reports.isEmpty());
}

TEST_P(ADOEntityTest, TimeStampTextsSortAndFilterAsTime) {
    Run(QStringLiteral("insert into measure (id, time_stamp) values (4, '2015.03.07 09:04:59'), "
                       "(5, '2014.12.31 23:59:59'), (6, '2015.03.06 23:59:59')"));
    TADOEntity query;
    query.SetSQL(QStringLiteral("select id from measure m where (m.time_stamp >= :start_time) and "
                                "(m.time_stamp <= :end_time) order by m.time_stamp desc"));
    query.SetParam(QStringLiteral("start_time"), QStringLiteral("2015.03.07 00:00:00"));
    query.SetParam(QStringLiteral("end_time"), QStringLiteral("2015.03.07 23:59:59"));
    query.Open();
    QList<int> ids;
    for (; !query.Eof(); query.Next())
        ids.append(query.GetInt(QStringLiteral("id")));
    EXPECT_EQ(ids, (QList<int>{2, 1, 4}));
}

TEST_P(ADOEntityTest, ConnectionDumpGoesToTheLogWithoutAPassword) {
    TADOEntity().LogADOInfo();
    ASSERT_EQ(Form.Reports.size(), 2);
    EXPECT_TRUE(Form.Reports[0].Text.isEmpty());
    EXPECT_TRUE(Form.Reports[0].Info.startsWith(QStringLiteral("ADO version: ") +
                                                (IsPostgres() ? QStringLiteral("QPSQL, PostgreSQL 1")
                                                              : QStringLiteral("QSQLITE, SQLite 3."))))
        << Form.Reports[0].Info.toStdString();
    EXPECT_TRUE(Form.Reports[0].Info.endsWith(QStringLiteral("\n@ TADOEntity::LogADOInfo")));
    const QString info = Form.Reports[1].Info;
    EXPECT_TRUE(info.startsWith(QStringLiteral("ADO info:\nDriver = ")));
    EXPECT_TRUE(info.contains(QStringLiteral("\nOpen = yes\n")));
    EXPECT_FALSE(info.contains(QStringLiteral("assword"), Qt::CaseInsensitive));
    EXPECT_TRUE(info.endsWith(QStringLiteral("\n\n@ TADOEntity::LogADOInfo")));
}

TEST(SqlStatement, NamedParametersBecomePositional) {
    const TSqlStatement statement = TSqlStatement::Parse(
        QStringLiteral("select x::int, ':no' as \"a:b\" from t where a = :Id and b = :name_2 or c = :id"));
    EXPECT_EQ(statement.Positional,
              QStringLiteral("select x::int, ':no' as \"a:b\" from t where a = ? and b = ? or c = ?"));
    EXPECT_EQ(statement.Names, (QStringList{QStringLiteral("id"), QStringLiteral("name_2"), QStringLiteral("id")}));
}
