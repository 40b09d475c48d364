#include "Exception.h"
#include "MacroThrowException.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

TEST(MacroThrowException, MessageTellsWhereItWasRaised) {
    try {
        MacroThrowException("reporter/FreeReportForm", "TFreeReportForm::LoadTemplate", 116)
            .Throw("Шаблон не найден '%s'", "card.frf");
        FAIL() << "did not throw";
    } catch (const Exception& error) {
        EXPECT_STREQ(error.what(), "reporter/FreeReportForm (116)\r\nTFreeReportForm::LoadTemplate\r\n"
                                   "Шаблон не найден 'card.frf'");
    }
}

TEST(MacroThrowException, MacroUsesThePlaceItIsWrittenAt) {
    const int line = __LINE__ + 2;
    try {
        LOCATED_EXCEPTION().Throw("%d%%", 5);
    } catch (const std::exception& error) {
        const std::string expected = std::string(__FILE__) + " (" + std::to_string(line) + ")\r\n" + __func__ + "\r\n5%";
        EXPECT_EQ(error.what(), expected);
    }
}
