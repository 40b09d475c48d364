#include "TextCodec.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

TEST(TextCodec, Utf8AndOldWindows1251FilesReadAlike) {
    const QString text = QStringLiteral("Журнал взвешиваний; Ёж");
    EXPECT_EQ(DecodeText(text.toUtf8()), text);
    EXPECT_EQ(DecodeText(ToCp1251(text)), text);
    EXPECT_EQ(DecodeText(QByteArray("\xEF\xBB\xBFkey=1")), QStringLiteral("key=1")); // byte-order mark
}

TEST(TextCodec, Windows1251RoundTripAndUnmappableCharacters) {
    EXPECT_EQ(ToCp1251(QStringLiteral("Тарвис")), QByteArray("\xD2\xE0\xF0\xE2\xE8\xF1"));
    EXPECT_EQ(FromCp1251(QByteArray("\xD2\xE0\xF0\xE2\xE8\xF1")), QStringLiteral("Тарвис"));
    EXPECT_EQ(ToCp1251(QStringLiteral("a€b→c")), QByteArray("a\x88" "b?c"));
}
