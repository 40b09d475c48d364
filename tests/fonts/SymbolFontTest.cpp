#include "QtPrinters.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

const QString kLetters = QStringLiteral("ABCDEFGIJL");

// The glyph of letter drawn black on white in a square of size pixels, reduced to one bit per pixel.
QImage Render(QChar letter, int size) {
    QImage image(size, size, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    QPainter painter(&image);
    QFont font(QStringLiteral("Tarvis"));
    font.setPixelSize(size);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(image.rect(), Qt::AlignCenter, QString(letter));
    painter.end();
    return image.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
}

double InkShare(const QImage& image) {
    int ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ink += qGray(image.pixel(x, y)) < 128;
    return double(ink) / (image.width() * image.height());
}

class SymbolFont : public ::testing::Test {
protected:
    void SetUp() override {
        Id = QFontDatabase::addApplicationFont(QStringLiteral(TARVIS_TTF));
        ASSERT_GE(Id, 0);
    }
    void TearDown() override { QFontDatabase::removeApplicationFont(Id); }
    int Id = -1;
};

} // namespace

TEST_F(SymbolFont, IsTheFamilyTarvisWithEveryLetterTheProgramUses) {
    EXPECT_EQ(QFontDatabase::applicationFontFamilies(Id), QStringList(QStringLiteral("Tarvis")));
    const QFontMetrics metrics(QFont(QStringLiteral("Tarvis"), 20));
    for (QChar letter : kLetters)
        EXPECT_TRUE(metrics.inFontUcs4(letter.unicode())) << char(letter.unicode());
}

TEST_F(SymbolFont, EveryPictureHasInkAndDiffersFromTheOthersFrom14To64Pixels) {
    for (int size : {14, 20, 32, 64}) {
        QList<QImage> pictures;
        for (QChar letter : kLetters) {
            const QImage picture = Render(letter, size);
            const double ink = InkShare(picture);
            // a broken outline or winding shows as no ink or a filled square
            EXPECT_GT(ink, 0.08) << char(letter.unicode()) << " at " << size;
            EXPECT_LT(ink, 0.75) << char(letter.unicode()) << " at " << size;
            for (int other = 0; other < pictures.size(); ++other)
                EXPECT_NE(picture, pictures[other]) << char(letter.unicode()) << " looks like "
                                                    << char(kLetters[other].unicode()) << " at " << size;
            pictures.append(picture);
        }
    }
}

TEST_F(SymbolFont, HolesStayOpen) {
    // the wheel of A has an empty ring between tyre and hub; drawn with the wrong winding it fills up
    const QImage wheel = Render(QLatin1Char('A'), 64);
    EXPECT_LT(InkShare(wheel), 0.5);
    const QImage diskette = Render(QLatin1Char('E'), 64);
    EXPECT_LT(InkShare(diskette), 0.6);
}
