#include "Strtools.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

TEST(ParseTimeStamp, ReadsTheStoredForm) {
    EXPECT_EQ(ParseTimeStamp(QStringLiteral("2015.03.07 09:05:00")), QDateTime(QDate(2015, 3, 7), QTime(9, 5, 0)));
    // only the digit positions count
    EXPECT_EQ(ParseTimeStamp(QStringLiteral("2015-03-07T09:05:59 and more")),
              QDateTime(QDate(2015, 3, 7), QTime(9, 5, 59)));
}

TEST(ParseTimeStamp, AnythingElseGivesTheZeroDateTime) {
    for (const char* text : {"", "abc", "2015.02.30 10:00:00", "2015.03.07 24:00:00", "2015.03.07 09:05",
                             "2015.3.07 09:05:00 ", "0000.01.01 00:00:00", "2015.03.07 09:05:6x", "-015.03.07 09:05:00"})
        EXPECT_TRUE(ParseTimeStamp(QString::fromUtf8(text)).isNull()) << text;
}

TEST(FormatTimeStamp, RoundTrips) {
    const QDateTime moment(QDate(2026, 12, 1), QTime(23, 59, 1));
    EXPECT_EQ(FormatTimeStamp(moment), QStringLiteral("2026.12.01 23:59:01"));
    EXPECT_EQ(ParseTimeStamp(FormatTimeStamp(moment)), moment);
}
