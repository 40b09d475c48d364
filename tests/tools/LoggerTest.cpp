#include "Logger.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cerrno>
#include <fcntl.h>
#include "QtPrinters.h"

#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

namespace {

class LoggerTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    QString Program(const QString& name = QStringLiteral("vyk.exe")) const { return folder.filePath(name); }
    QString Read(const QString& name) const {
        QFile file(folder.filePath(name));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
};

const QRegularExpression kPrefix(QStringLiteral(R"(^\d\d:\d\d:\d\d\.\d\d\d [0-9a-f]{3,}\\[0-9a-f]{3,}  )"));

} // namespace

TEST_F(LoggerTest, FirstMessageCreatesFileWithRunHeaderAndPrefix) {
    {
        TLogger logger(Program().toUtf8().constData());
        logger.Log("weighing %d saved", 7);
        EXPECT_EQ(logger.FileName(), folder.filePath("vyk.log").toStdString());
    }
    const QStringList lines = Read(QStringLiteral("vyk.log")).split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 5); // "", header, "", record, "" after the final line feed
    EXPECT_EQ(lines[0], QString());
    EXPECT_EQ(lines[1], QStringLiteral("-===( %1 )=======================-")
                            .arg(QDate::currentDate().toString(QStringLiteral("yyyy.MM.dd"))));
    EXPECT_EQ(lines[2], QString());
    EXPECT_TRUE(kPrefix.match(lines[3]).hasMatch()) << lines[3].toStdString();
    EXPECT_TRUE(lines[3].endsWith(QStringLiteral("  weighing 7 saved")));
    const QString pid = QString::number(getpid(), 16);
    EXPECT_TRUE(lines[3].contains(QStringLiteral(" %1\\").arg(pid, 3, QLatin1Char('0'))));
}

TEST_F(LoggerTest, SecondRunAppendsNewHeader) {
    TLogger(Program().toUtf8().constData()).Log("first");
    TLogger(Program().toUtf8().constData()).Log("second");
    const QString text = Read(QStringLiteral("vyk.log"));
    EXPECT_EQ(text.count(QStringLiteral("-===(")), 2);
    EXPECT_LT(text.indexOf(QStringLiteral("first")), text.lastIndexOf(QStringLiteral("-===(")));
    EXPECT_GT(text.indexOf(QStringLiteral("second")), text.lastIndexOf(QStringLiteral("-===(")));
}

TEST_F(LoggerTest, NameIsCutAtTheLastDotOfTheFileNameOnly) {
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("v1.2")));
    TLogger(Program(QStringLiteral("v1.2/vyk")).toUtf8().constData()).Log("x");
    TLogger(Program(QStringLiteral("v1.2/tool.bin.exe")).toUtf8().constData()).Log("x");
    EXPECT_TRUE(QFile::exists(folder.filePath("v1.2/vyk.log")));
    EXPECT_TRUE(QFile::exists(folder.filePath("v1.2/tool.bin.log")));
}

TEST_F(LoggerTest, UnopenableNamesFallBackToCountedNames) {
    // a folder in the way cannot be opened for appending, even by root
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("vyk.log")));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("vyk000.log")));
    TLogger logger(Program().toUtf8().constData());
    logger.Log("kept");
    EXPECT_EQ(logger.FileName(), folder.filePath("vyk001.log").toStdString());
    EXPECT_TRUE(Read(QStringLiteral("vyk001.log")).contains(QStringLiteral("kept")));
}

TEST_F(LoggerTest, MessageIsDroppedWhenNoNameOpensAndTheNextOneTriesAgain) {
    const QString missing = folder.filePath(QStringLiteral("gone/vyk"));
    TLogger logger(missing.toUtf8().constData());
    logger.Log("lost");
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("gone")));
    logger.Log("found");
    const QString text = Read(QStringLiteral("gone/vyk.log"));
    EXPECT_FALSE(text.contains(QStringLiteral("lost")));
    EXPECT_TRUE(text.contains(QStringLiteral("found")));
}

TEST_F(LoggerTest, LastErrorMarkerAppendsSystemText) {
    TLogger logger(Program().toUtf8().constData());
    ASSERT_EQ(open("/nonexistent/file", O_RDONLY), -1);
    logger.Log("open failed +LE %s", "x");
    const QString text = Read(QStringLiteral("vyk.log"));
    EXPECT_TRUE(text.contains(QStringLiteral("  open failed +LE x { No such file or directory }\n")))
        << text.toStdString();
}

TEST_F(LoggerTest, EmbeddedLineFeedsGiveContinuationLinesWithoutPrefix) {
    TLogger logger(Program().toUtf8().constData());
    logger.Log("%s", "message\ncontext\n@ TMainForm::FormCreate");
    const QStringList lines = Read(QStringLiteral("vyk.log")).split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 6);
    EXPECT_TRUE(kPrefix.match(lines[3]).hasMatch());
    EXPECT_EQ(lines[4], QStringLiteral("context"));
    EXPECT_EQ(lines[5], QStringLiteral("@ TMainForm::FormCreate"));
}

TEST_F(LoggerTest, ThreadsNeverInterleaveRecords) {
    constexpr int kThreads = 4, kMessages = 200;
    {
        TLogger logger(Program().toUtf8().constData());
        std::vector<std::thread> threads;
        for (int t = 0; t < kThreads; ++t)
            threads.emplace_back([&logger, t] {
                for (int i = 0; i < kMessages; ++i)
                    logger.Log("thread %d message %d %s", t, i, std::string(100, 'x').c_str());
            });
        for (auto& thread : threads)
            thread.join();
    }
    const QStringList lines = Read(QStringLiteral("vyk.log")).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1 + kThreads * kMessages); // one header
    const QRegularExpression record(kPrefix.pattern() + QStringLiteral(R"(thread \d message \d+ x{100}$)"));
    for (int i = 1; i < lines.size(); ++i)
        ASSERT_TRUE(record.match(lines[i]).hasMatch()) << lines[i].toStdString();
}

TEST(LogFileName, RefusesNamesThatDoNotFit) {
    char buffer[12];
    EXPECT_TRUE(FormatLogFileName(buffer, sizeof buffer, "/a/vyk", -1));
    EXPECT_STREQ(buffer, "/a/vyk.log");
    EXPECT_FALSE(FormatLogFileName(buffer, sizeof buffer, "/a/vyk", 7)); // "/a/vyk007.log" needs 14
    EXPECT_STREQ(buffer, "");
    EXPECT_TRUE(FormatLogFileName(buffer, sizeof buffer, "/a/v", 42));
    EXPECT_STREQ(buffer, "/a/v042.log");
    EXPECT_FALSE(FormatLogFileName(buffer, 0, "/a/v", -1));
}

TEST(LogFileName, ProgramPathLongerThanTheBufferIsRefusedWithoutWriting) {
    const std::string path = "/tmp/" + std::string(TLogger::kBaseCapacity + 10, 'p');
    TLogger logger(path.c_str());
    logger.Log("nothing to write");
    EXPECT_EQ(logger.FileName(), "");
}
