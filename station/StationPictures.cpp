#include "StationPictures.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>

QIcon TabPicture(int index) {
    // axle fixation, whole vehicle, axle group, bogie, automatic, information
    static const char* const glyphs[] = {"B", "C", "AA", "AAA", "C", ""};
    QPixmap picture(32, 32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QString glyph = QLatin1String(glyphs[qBound(0, index, 5)]);
    QFont font(QStringLiteral("Tarvis"));
    font.setPixelSize(glyph.size() > 1 ? 32 / int(glyph.size()) + 4 : 28);
    painter.setFont(font);
    painter.setPen(QColor(0, 0, 128));
    painter.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, glyph);
    if (index == 4) { // automatic: a small clock hand over the lorry
        painter.setPen(QPen(QColor(0, 128, 0), 3));
        painter.drawEllipse(QRect(20, 2, 10, 10));
    }
    return QIcon(picture);
}

QImage LoadAxlePicture() {
    Q_INIT_RESOURCE(station); // the resource lives in a static library: make sure it is linked in
    return QImage(QStringLiteral(":/BUFFER_AXIS")).convertToFormat(QImage::Format_ARGB32);
}
