// What the station draws: the weight indicator, the axle buffer, the layout of the fixation buttons and their
// hover decoration.
#include "Fonts.h"
#include "MeasurerForm.h"
#include "PaintBox.h"

#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QTabWidget>
#include <QToolButton>
#include <cmath>

namespace {

constexpr int kMargin = 10;
const QColor kGrey(128, 128, 128);

// Rounding to the nearest integer, halves to the even neighbour.
int RoundEven(double value) { return int(std::nearbyint(value)); }

QString Tonnes(int kilograms, int decimals) { return QLocale().toString(kilograms / 1000.0, 'f', decimals); }

} // namespace

int TMeasurerForm::FitFontSize(QPainter& painter, int left, int top, int right, int bottom, const QString& text) {
    const int width = right - left, height = bottom - top;
    if (width < 1 || height < 1)
        return 1; // not even a size of 1 is tried
    if (text.isEmpty())
        return 8;
    QFont font = painter.font();
    const auto fits = [&](int size) {
        font.setPointSize(size);
        painter.setFont(font);
        const QFontMetrics metrics = painter.fontMetrics();
        return metrics.horizontalAdvance(text) <= width && metrics.height() <= height;
    };
    // the text grows with the size: the largest size that fits, found by halving instead of counting up
    int low = 0, high = 1;
    while (fits(high)) {
        low = high;
        high *= 2;
        if (high > 4096)
            return 4096;
    }
    while (high - low > 1) {
        const int middle = (low + high) / 2;
        (fits(middle) ? low : high) = middle;
    }
    return std::max(low, 1);
}

QString TMeasurerForm::IndicatorText(int weight, bool scales) {
    return Tonnes(scales && weight > 0 ? weight : 0, 2) + QStringLiteral(" т");
}

void TMeasurerForm::PaintIndicator(QImage& image) const {
    const int w = image.width(), h = image.height();
    if (w <= 0 || h <= 0)
        return;
    const bool scales = LinkState & LINK_SCALES;
    QColor text = kGrey, background(192, 192, 192);
    if (scales && CurrentWeight > 0) {
        text = WeightAlert ? QColor(255, 0, 0) : QColor(0, 0, 0);
        background = QColor(255, 255, 0);
    } else if (scales) {
        text = QColor(0, 128, 0);
        background = QColor(0, 255, 0);
    }
    QPainter painter(&image);
    painter.setPen(QPen(kGrey, kMargin / 2));
    painter.setBrush(background);
    painter.drawRect(0, 0, w, h);
    const QString figure = IndicatorText(CurrentWeight, scales);
    painter.setFont(DesignFont(QStringLiteral("Arial"), 8));
    painter.setFont(DesignFont(QStringLiteral("Arial"),
                               FitFontSize(painter, 0, 0, w - 2 * kMargin, h - 2 * kMargin, figure)));
    painter.setPen(text);
    const QFontMetrics metrics = painter.fontMetrics();
    const int textWidth = metrics.horizontalAdvance(figure);
    painter.drawText(QRect(w - textWidth - kMargin, (h - metrics.height()) / 2, textWidth, metrics.height()),
                     Qt::AlignLeft | Qt::AlignTop, figure);
}

QColor TMeasurerForm::AxleColor(int weight) const {
    int red = 0;
    if (weight >= GradientEnd)
        red = 255;
    else if (weight > GradientBegin)
        red = RoundEven(double(weight - GradientBegin) * 255 / std::max(GradientEnd - GradientBegin, 1));
    return QColor(red, 0, 0);
}

void TMeasurerForm::PaintBuffer(QImage& image) const {
    const int w = image.width(), h = image.height();
    QPainter painter(&image);
    painter.setPen(QPen(kGrey, 5));
    painter.setBrush(Qt::white);
    painter.drawRect(0, 0, w, h);
    int x = 5, group = 0;
    const QFont labelFont = DesignFont(QStringLiteral("Small Fonts"), 7);
    for (int i = 0; i < std::min(Measurement->AxleCount, 9); ++i) {
        const TVYKWeighing* axle = Measurement->AxleWeighings[size_t(i)].get();
        if (!axle)
            continue;
        if (axle->BogieIndex != group) {
            group = axle->BogieIndex;
            x += 10; // a gap before each new bogie's axles
        }
        const QColor color = AxleColor(axle->Weight);
        painter.fillRect(QRect(x, 5, 15, 32), color);
        // fuchsia is transparent: the axle colour shows through the wheels, the shaft and the hub
        QImage picture = AxlePicture;
        for (int py = 0; py < picture.height(); ++py)
            for (int px = 0; px < picture.width(); ++px)
                if ((picture.pixel(px, py) & 0xFFFFFF) == 0xFF00FF)
                    picture.setPixel(px, py, color.rgb());
        painter.drawImage(x, 5, picture);
        painter.setFont(labelFont);
        painter.setPen(color);
        painter.drawText(QPoint(x + 2, 37 + painter.fontMetrics().ascent()), Tonnes(axle->Weight, 0));
        x += 15;
    }
    if (const TVYKWeighing* total = Measurement->VehicleWeighing.get()) {
        const QString text = Tonnes(total->Weight, 2) + QStringLiteral(" т");
        painter.setFont(DesignFont(QStringLiteral("Arial"), 8));
        painter.setFont(
            DesignFont(QStringLiteral("Arial"), FitFontSize(painter, x, 0, w - 2 * kMargin, h - 2 * kMargin, text)));
        painter.setPen(Qt::black);
        const QFontMetrics metrics = painter.fontMetrics();
        const int textWidth = metrics.horizontalAdvance(text);
        painter.drawText(QRect(w - textWidth - kMargin, RoundEven((h - metrics.height()) * 0.5), textWidth,
                               metrics.height()),
                         Qt::AlignLeft | Qt::AlignTop, text);
    }
}

void TMeasurerForm::FixPageControlResize() {
    // axle-group page
    {
        const int cw = FixAxesTabSheet->width(), ch = FixAxesTabSheet->height();
        int s = cw / 9;
        const int p = std::max(RoundEven(ch * 0.15), 1);
        if (s > ch - p)
            s = ch - p;
        const int left = (cw - 9 * s) / 2, top = (ch - s - p) / 2;
        for (int i = 0; i < 9; ++i) {
            QToolButton* button = AxleButtons[size_t(i)];
            button->setGeometry(left + i * s, top, s, s);
            QFont font = button->font();
            font.setPixelSize(std::max(s, 1));
            button->setFont(font);
        }
        ScalesShape->setGeometry(ScalesShape->x(), top + s, ScalesShape->width(), p);
    }
    // bogie page
    {
        const int cw = FixBogieTabSheet->width(), ch = FixBogieTabSheet->height();
        int s = cw / 3;
        if (s > ch - 8)
            s = ch - 8;
        const int p = std::max(RoundEven(s * 0.15), 1);
        s -= p;
        const int left = (cw - 3 * s) / 2, top = (ch - (p + s)) / 2;
        for (int i = 0; i < 3; ++i) {
            QToolButton* button = BogieButtons[size_t(i)];
            button->setGeometry(left + i * s, top + p, s, s);
            QFont font = button->font();
            font.setPixelSize(std::max(s, 1));
            button->setFont(font);
            BogieBars[size_t(i)]->setGeometry(left + i * s, top, s + 1, p);
        }
        BogieShape->setGeometry(left, top, BogieShape->width(), p);
    }
    for (QToolButton* button : {FixAxisBtn, FixVehicleBtn}) { // laid out to fill their pages
        QFont font = button->font();
        font.setPixelSize(std::max(button->parentWidget()->height() - 8, 1));
        button->setFont(font);
    }
}

void TMeasurerForm::SetGlyphColor(QToolButton* button, const QColor& color) {
    QPalette palette = button->palette();
    palette.setColor(QPalette::Active, QPalette::ButtonText, color); // a disabled button stays greyed
    palette.setColor(QPalette::Inactive, QPalette::ButtonText, color);
    button->setPalette(palette);
}

void TMeasurerForm::AxBtnMouseMove(int button) {
    const int n = Measurement->AxleCount - button + 1;
    for (int i = 0; i < 9; ++i)
        SetGlyphColor(AxleButtons[size_t(i)], i >= button && i <= Measurement->AxleCount ? HighlightColor : NormalColor);
    const int width = AxleButtons[0]->width();
    ScalesShape->setGeometry(AxleButtons[0]->x() + button * width, ScalesShape->y(), std::max(n, 0) * width,
                             ScalesShape->height());
    ScalesShape->show();
    if (n == 1)
        FixDescLbl->setText(QStringLiteral("на весах одна ось"));
    else if (n >= 2 && n <= 4)
        FixDescLbl->setText(QStringLiteral("на весах %1 оси").arg(n));
    else if (n >= 5 && n <= 9)
        FixDescLbl->setText(QStringLiteral("на весах %1 осей").arg(n));
}

void TMeasurerForm::BogieAxBtnMouseMove(int button) {
    static const char* const texts[] = {"на весах одиночная ось", "на весах двухосная тележка",
                                        "на весах трехосная тележка"};
    for (int i = 0; i < 3; ++i)
        SetGlyphColor(BogieButtons[size_t(i)], i <= button ? HighlightColor : NormalColor);
    BogieShape->setGeometry(BogieShape->x(), BogieShape->y(), (button + 1) * BogieButtons[0]->width() + 1,
                            BogieShape->height());
    BogieShape->show();
    FixDescLbl->setText(QString::fromUtf8(texts[qBound(0, button, 2)]));
}

void TMeasurerForm::AnyFixBtnMouseMove(QToolButton* button) {
    FixDescLbl->setText(button->toolTip());
    SetGlyphColor(button, HighlightColor);
}

void TMeasurerForm::ResetHover() {
    QWidget* page = FixPageControl->currentWidget();
    const int index = page ? page->property("tag").toInt() : 5;
    FixDescLbl->setText(page == InfoTabSheet || index < 0 || index > 4 ? QString() : Modes[size_t(index)].Description);
    SetGlyphColor(FixAxisBtn, NormalColor);
    SetGlyphColor(FixVehicleBtn, NormalColor);
    for (QToolButton* button : AxleButtons)
        SetGlyphColor(button, NormalColor);
    for (QToolButton* button : BogieButtons)
        SetGlyphColor(button, NormalColor);
    ScalesShape->hide();
    BogieShape->hide();
}
