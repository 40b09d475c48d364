#include "QtPrinters.h"
#include "StationFixture.h"

#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QTabWidget>
#include <QToolButton>

namespace {

class Drawing : public StationTest {
protected:
    void SetUp() override {
        StationTest::SetUp();
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        WriteConfig(QStringLiteral("/nonexistent/zunasrv"), QString());
        CreateStation();
        Station->StaticTimer.stop();
    }
    void TearDown() override {
        QLocale::setDefault(QLocale::c());
        StationTest::TearDown();
    }
    QImage Indicator(int weight, quint8 link, bool alert = false) {
        Station->CurrentWeight = weight;
        Station->LinkState = link;
        Station->WeightAlert = alert;
        QImage image(300, 80, QImage::Format_RGB32);
        Station->PaintIndicator(image);
        return image;
    }
    static bool Contains(const QImage& image, const QColor& color) {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y) == color)
                    return true;
        return false;
    }
    void AddAxle(int weight, int bogieIndex) {
        auto& place = Station->Measurement->AxleWeighings[size_t(Station->Measurement->AxleCount++)];
        place = std::make_unique<TVYKWeighingImpl>();
        place->Type = WEIGHING_AXLE;
        place->Weight = weight;
        place->BogieIndex = bogieIndex;
    }
};
STATION_TEST_SUITE(Drawing);

} // namespace

TEST_P(Drawing, IndicatorTextsAndColours) {
    struct Case {
        int Weight;
        quint8 Link;
        bool Alert;
        QColor Text, Background;
    };
    const Case cases[] = {
        {12500, LINK_SERVER | LINK_SCALES, false, QColor(0, 0, 0), QColor(255, 255, 0)},
        {12500, LINK_SERVER | LINK_SCALES, true, QColor(255, 0, 0), QColor(255, 255, 0)},
        {0, LINK_SERVER | LINK_SCALES, false, QColor(0, 128, 0), QColor(0, 255, 0)},
        {-300, LINK_SERVER | LINK_SCALES, false, QColor(0, 128, 0), QColor(0, 255, 0)},
        {12500, LINK_SERVER, false, QColor(128, 128, 128), QColor(192, 192, 192)},
    };
    for (const Case& c : cases) {
        const QImage image = Indicator(c.Weight, c.Link, c.Alert);
        EXPECT_EQ(image.pixelColor(10, 10), c.Background) << c.Weight;
        EXPECT_EQ(image.pixelColor(1, 1), QColor(128, 128, 128)); // the grey frame
        EXPECT_TRUE(Contains(image, c.Text)) << c.Weight;
    }
    EXPECT_EQ(TMeasurerForm::IndicatorText(12500, true), QStringLiteral("12,50 т"));
    EXPECT_EQ(TMeasurerForm::IndicatorText(-5, true), QStringLiteral("0,00 т"));
    EXPECT_EQ(TMeasurerForm::IndicatorText(12500, false), QStringLiteral("0,00 т"));
}

TEST_P(Drawing, AxleColoursFollowTheLoad) {
    EXPECT_EQ(Station->AxleColor(6000), QColor(0, 0, 0));
    EXPECT_EQ(Station->AxleColor(8000), QColor(128, 0, 0)); // 127.5 rounds to the even 128
    EXPECT_EQ(Station->AxleColor(10000), QColor(255, 0, 0));
    EXPECT_EQ(Station->AxleColor(14000), QColor(255, 0, 0));
    Station->GradientBegin = Station->GradientEnd = 8000;
    EXPECT_EQ(Station->AxleColor(7999), QColor(0, 0, 0));
    EXPECT_EQ(Station->AxleColor(8000), QColor(255, 0, 0));
}

TEST_P(Drawing, BufferGroupsBogieAxlesWithATenPixelGap) {
    AddAxle(6000, 0);
    AddAxle(10000, 0);
    AddAxle(8000, 1);
    QImage image(300, 53, QImage::Format_RGB32);
    Station->PaintBuffer(image);
    // the wheels at y = 8 take the axle colour: x 5–19, 20–34, then after the gap 45–59
    EXPECT_EQ(image.pixelColor(8, 8), QColor(0, 0, 0));
    EXPECT_EQ(image.pixelColor(23, 8), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(40, 8), QColor(255, 255, 255)); // the gap
    EXPECT_EQ(image.pixelColor(48, 8), QColor(128, 0, 0));
    EXPECT_EQ(image.pixelColor(62, 8), QColor(255, 255, 255));
}

TEST_P(Drawing, TotalInATooNarrowBufferGoesDownToSizeOne) {
    QImage image(40, 20, QImage::Format_RGB32);
    QPainter painter(&image);
    EXPECT_EQ(TMeasurerForm::FitFontSize(painter, 30, 0, 20, 0, QStringLiteral("25,01 т")), 1);
    EXPECT_EQ(TMeasurerForm::FitFontSize(painter, 0, 0, 5, 5, QStringLiteral("25,01 т")), 1);
    EXPECT_EQ(TMeasurerForm::FitFontSize(painter, 0, 0, 100, 100, QString()), 8);
    const int size = TMeasurerForm::FitFontSize(painter, 0, 0, 280, 60, QStringLiteral("25,01 т"));
    QFont font = painter.font();
    font.setPointSize(size);
    EXPECT_LE(QFontMetrics(font, &image).horizontalAdvance(QStringLiteral("25,01 т")), 280);
    font.setPointSize(size + 1);
    const QFontMetrics bigger(font, &image);
    EXPECT_TRUE(bigger.horizontalAdvance(QStringLiteral("25,01 т")) > 280 || bigger.height() > 60);
}

TEST_P(Drawing, ButtonLayoutFormulas) {
    Station->LinkState = LINK_SERVER | LINK_SCALES;
    Station->CanStatic = Station->IsPlatform = true;
    Station->SetSupportedModes();
    Station->FixPageControl->setCurrentWidget(Station->FixAxesTabSheet);
    Station->StaticTimer.stop();
    Station->FixAxesTabSheet->resize(400, 80);
    Station->FixBogieTabSheet->resize(400, 80);
    Station->FixPageControlResize();
    // axle group: s = 400 / 9 = 44, p = 12, s = min(44, 80 − 12); left = (400 − 396) / 2 = 2, top = (80 − 44 − 12) / 2 = 12
    EXPECT_EQ(Station->AxleButtons[0]->geometry(), QRect(2, 12, 44, 44));
    EXPECT_EQ(Station->AxleButtons[8]->geometry(), QRect(2 + 8 * 44, 12, 44, 44));
    EXPECT_EQ(Station->ScalesShape->y(), 12 + 44);
    EXPECT_EQ(Station->ScalesShape->height(), 12);
    // bogies: s = min(133, 72) = 72, p = round(10.8) = 11, s = 61; left = (400 − 183) / 2 = 108, top = (80 − 72) / 2 = 4
    EXPECT_EQ(Station->BogieButtons[1]->geometry(), QRect(108 + 61, 4 + 11, 61, 61));
    EXPECT_EQ(Station->BogieBars[2]->geometry(), QRect(108 + 2 * 61, 4, 62, 11));
}

TEST_P(Drawing, HoverTellsHowManyAxlesAreOnTheScales) {
    Station->LinkState = LINK_SERVER | LINK_SCALES;
    Station->CanStatic = Station->IsPlatform = true;
    Station->SetSupportedModes();
    Station->FixPageControl->setCurrentWidget(Station->FixAxesTabSheet);
    for (int i = 0; i < 4; ++i)
        AddAxle(5000, 0);
    const std::pair<int, const char*> cases[] = {{4, "на весах одна ось"}, {2, "на весах 3 оси"}, {0, "на весах 5 осей"}};
    for (const auto& [button, text] : cases) {
        Station->AxBtnMouseMove(button);
        EXPECT_EQ(Station->FixDescLbl->text(), QString::fromUtf8(text));
        EXPECT_TRUE(Station->ScalesShape->isVisibleTo(Station->FixAxesTabSheet));
        EXPECT_EQ(Station->ScalesShape->width(), (4 - button + 1) * Station->AxleButtons[0]->width());
    }
    Station->ResetHover();
    EXPECT_EQ(Station->FixDescLbl->text(), QStringLiteral("фиксация веса оси"));
    EXPECT_FALSE(Station->ScalesShape->isVisibleTo(Station->FixAxesTabSheet));

    Station->FixPageControl->setCurrentWidget(Station->FixBogieTabSheet);
    Station->BogieAxBtnMouseMove(2);
    EXPECT_EQ(Station->FixDescLbl->text(), QStringLiteral("на весах трехосная тележка"));
    EXPECT_EQ(Station->BogieShape->width(), 3 * Station->BogieButtons[0]->width() + 1);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(Station->FixPageControl, &leave);
    EXPECT_EQ(Station->FixDescLbl->text(), QStringLiteral("фиксация веса тележки"));
}
