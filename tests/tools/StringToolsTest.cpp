#include "StringTools.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

TEST(TriadToStr, WordsAndPluralForms) {
    struct Case {
        int number;
        bool feminine;
        const char* words;
        int form;
    };
    const Case cases[] = {
        {0, false, "", 0},
        {1, false, " один", 1},
        {1, true, " одна", 1},
        {2, true, " две", 2},
        {3, false, " три", 2},
        {24, false, " двадцать  четыре", 2},
        {5, false, " пять", 3},
        {11, false, " одиннадцать", 3},
        {15, false, " пятнадцать", 3},
        {20, false, " двадцать", 3},
        {100, false, " сто", 3},
        {110, false, " сто  десять", 3},
        {120, false, " сто  двадцать", 3},
        {999, false, " девятьсот  девяносто  девять", 3},
        {212, false, " двести  двенадцать", 3},
    };
    for (const Case& c : cases) {
        int form = -1;
        EXPECT_EQ(TriadToStr(c.number, form, c.feminine), QString::fromUtf8(c.words)) << c.number;
        EXPECT_EQ(form, c.form) << c.number;
    }
}

TEST(JoinWords, OneSpaceUnlessAPartIsEmpty) {
    EXPECT_EQ(JoinWords(QStringLiteral("a"), QStringLiteral("b")), QStringLiteral("a b"));
    EXPECT_EQ(JoinWords(QString(), QStringLiteral("b")), QStringLiteral("b"));
    EXPECT_EQ(JoinWords(QStringLiteral("a"), QString()), QStringLiteral("a"));
    EXPECT_EQ(JoinWords(QString(), QString()), QString());
}

TEST(CurrencyToStr, RoublesInWords) {
    const QString format = QStringLiteral("%r%s %m%c");
    const std::pair<double, const char*> cases[] = {
        {1, " один рубль 0 копеек"},
        {2, " два рубля 0 копеек"},
        {5, " пять рублей 0 копеек"},
        {11, " одиннадцать рублей 0 копеек"},
        {21, " двадцать один рубль 0 копеек"},
        {1001, " одна тысяча один рубль 0 копеек"},
        {2000, " две тысячи рублей 0 копеек"},
        {20000, " двадцать тысяч рублей 0 копеек"},
        {1000000, " один миллион рублей 0 копеек"},
        {2500000, " два миллиона пятьсот тысяч рублей 0 копеек"},
        {2147483647, " два миллиарда сто сорок семь миллионов четыреста восемьдесят три тысячи шестьсот сорок "
                     "семь рублей 0 копеек"},
        {1234.56, " одна тысяча двести тридцать четыре рубля 56 копеек"},
        {0.5, " 50 копеек"},
        {0.01, " 1 копейка"},
        {0.03, " 3 копейки"},
    };
    for (const auto& [value, words] : cases)
        EXPECT_EQ(CurrencyToStr(value, format), QString::fromUtf8(words)) << value;
}

TEST(CurrencyToStr, KopeckWordsAndRounding) {
    EXPECT_EQ(CurrencyToStr(1234.56, QStringLiteral("%k|%c")), QStringLiteral(" пятьдесят шесть| копеек"));
    EXPECT_EQ(CurrencyToStr(1.999, QStringLiteral("%n%k%c")), QStringLiteral("1 сто копеек")); // not carried
    EXPECT_EQ(CurrencyToStr(0.5, QStringLiteral("[%r][%s]")), QStringLiteral("[][]"));
}

TEST(CurrencyToStr, FormatLanguage) {
    EXPECT_EQ(CurrencyToStr(1234.56, QStringLiteral("%n руб. %m коп.")), QStringLiteral("1234 руб. 56 коп."));
    EXPECT_EQ(CurrencyToStr(5.05, QStringLiteral("%m")), QStringLiteral("5"));
    EXPECT_EQ(CurrencyToStr(1, QStringLiteral("%x")), QStringLiteral("%x"));
    EXPECT_EQ(CurrencyToStr(1, QStringLiteral("100%%")), QStringLiteral("100%"));
    EXPECT_EQ(CurrencyToStr(1, QStringLiteral("abc%")), QStringLiteral("abc"));
}

TEST(CurrencyToStr, BeyondTheWrittenRangeGivesNothing) {
    EXPECT_EQ(CurrencyToStr(2147483648.0, QStringLiteral("%n")), QStringLiteral("2147483648"));
    EXPECT_EQ(CurrencyToStr(1e12, QStringLiteral("%n%r")), QString());
    EXPECT_EQ(CurrencyToStr(-1, QStringLiteral("%n%r")), QString());
    EXPECT_EQ(CurrencyToStr(std::nan(""), QStringLiteral("%n%r")), QString());
}
