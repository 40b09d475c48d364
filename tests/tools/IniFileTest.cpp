#include "IniFile.h"
#include "TextCodec.h"

#include <QFile>
#include <QTemporaryDir>
#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

class IniFileTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    QString Path() const { return folder.filePath(QStringLiteral("config.ini")); }
    void Write(const QByteArray& bytes) const {
        QFile file(Path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QString Read() const {
        QFile file(Path());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
};

} // namespace

TEST_F(IniFileTest, PrivateProfileReadingRules) {
    Write("; comment=1\n"
          "[Main]\n"
          "  Caption = Журнал взвешиваний  \n"
          "SQL=select m.id, 'a,b' as \"q\" from measure m where x like '%\\%'\n"
          "caption=second one is ignored\n"
          "empty=\n"
          "[numbers]\n"
          "dec=42\nneg=-7\nhex=0x1F\nHEX2=0XfF\nbad=12abc\nblank=\nbig=99999999999\n"
          "[main]\n"
          "other=the first of two equal sections counts\n");
    const IniFile ini(Path());
    EXPECT_EQ(ini.ReadString(QStringLiteral("MAIN"), QStringLiteral("caption"), QStringLiteral("d")),
              QStringLiteral("Журнал взвешиваний"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("main"), QStringLiteral("sql"), QString()),
              QStringLiteral("select m.id, 'a,b' as \"q\" from measure m where x like '%\\%'"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("main"), QStringLiteral("empty"), QStringLiteral("d")), QString());
    EXPECT_EQ(ini.ReadString(QStringLiteral("main"), QStringLiteral("other"), QStringLiteral("d")),
              QStringLiteral("d"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("nope"), QStringLiteral("x"), QStringLiteral("d")), QStringLiteral("d"));
    EXPECT_EQ(ini.ReadString(QString(), QStringLiteral("comment"), QStringLiteral("d")), QStringLiteral("d"));

    const std::pair<const char*, int> integers[] = {{"dec", 42}, {"neg", -7},  {"hex", 31},  {"hex2", 255},
                                                    {"bad", 5},  {"blank", 5}, {"big", 5},   {"missing", 5}};
    for (const auto& [key, value] : integers)
        EXPECT_EQ(ini.ReadInteger(QStringLiteral("Numbers"), QLatin1String(key), 5), value) << key;

    EXPECT_EQ(ini.ReadSections(), (QStringList{QStringLiteral("Main"), QStringLiteral("numbers")}));
    EXPECT_EQ(ini.ReadSection(QStringLiteral("main")),
              (QStringList{QStringLiteral("Caption"), QStringLiteral("SQL"), QStringLiteral("empty")}));
    EXPECT_TRUE(ini.SectionExists(QStringLiteral("NUMBERS")));
}

TEST_F(IniFileTest, LongValuesAreCutAt2047Characters) {
    Write("[a]\nk=" + QByteArray(3000, 'x') + "\n");
    EXPECT_EQ(IniFile(Path()).ReadString(QStringLiteral("a"), QStringLiteral("k"), QString()).size(), 2047);
}

TEST_F(IniFileTest, OldWindows1251FileReadsAsCyrillic) {
    Write(ToCp1251(QStringLiteral("[main]\ncaption=Водители\n")));
    EXPECT_EQ(IniFile(Path()).ReadString(QStringLiteral("main"), QStringLiteral("caption"), QString()),
              QStringLiteral("Водители"));
}

TEST_F(IniFileTest, WritesKeepCommentsAndOrderAndCreateMissingFile) {
    IniFile fresh(Path());
    ASSERT_TRUE(fresh.WriteString(QStringLiteral("temp"), QStringLiteral("AppDir"), QStringLiteral("/opt/vyk/")));
    EXPECT_EQ(Read(), QStringLiteral("[temp]\nAppDir=/opt/vyk/\n"));

    Write("; settings\n[zuna]\nserver=zunasrv\n\n; next\n[Temp]\nCfgDir=old\n");
    IniFile ini(Path());
    ASSERT_TRUE(ini.WriteString(QStringLiteral("TEMP"), QStringLiteral("cfgdir"), QStringLiteral("новое")));
    ASSERT_TRUE(ini.WriteString(QStringLiteral("zuna"), QStringLiteral("runparam"), QStringLiteral("-start")));
    ASSERT_TRUE(ini.WriteInteger(QStringLiteral("config"), QStringLiteral("AxisGradientClrEnd"), 10000));
    EXPECT_EQ(Read(), QStringLiteral("; settings\n[zuna]\nserver=zunasrv\nrunparam=-start\n\n; next\n[Temp]\n"
                                     "cfgdir=новое\n\n[config]\nAxisGradientClrEnd=10000\n"));
    const IniFile again(Path());
    EXPECT_EQ(again.ReadString(QStringLiteral("temp"), QStringLiteral("CfgDir"), QString()), QStringLiteral("новое"));
    EXPECT_EQ(again.ReadInteger(QStringLiteral("config"), QStringLiteral("axisgradientclrend"), 0), 10000);
}

TEST_F(IniFileTest, RefusedWritesChangeNothing) {
    Write("[a]\nk=1\n");
    IniFile ini(Path());
    EXPECT_FALSE(ini.WriteString(QStringLiteral("a"), QStringLiteral("k"), QStringLiteral("two\nlines")));
    EXPECT_FALSE(ini.WriteString(QStringLiteral("a]"), QStringLiteral("k"), QStringLiteral("x")));
    EXPECT_FALSE(ini.WriteString(QStringLiteral("a"), QStringLiteral("k=v"), QStringLiteral("x")));
    EXPECT_FALSE(ini.WriteString(QStringLiteral("a"), QString(), QStringLiteral("x")));
    EXPECT_EQ(Read(), QStringLiteral("[a]\nk=1\n"));

    IniFile nowhere(folder.filePath(QStringLiteral("missing/folder/config.ini")));
    EXPECT_FALSE(nowhere.WriteString(QStringLiteral("a"), QStringLiteral("k"), QStringLiteral("x")));
    EXPECT_EQ(nowhere.ReadString(QStringLiteral("a"), QStringLiteral("k"), QStringLiteral("d")), QStringLiteral("d"));
}
