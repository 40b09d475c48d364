#include "Fonts.h"

QString DesktopFace(const QString& designFace) {
    if (designFace == QLatin1String("Arial"))
        return QStringLiteral("Liberation Sans");
    if (designFace == QLatin1String("Courier New"))
        return QStringLiteral("Liberation Mono");
    if (designFace == QLatin1String("Tahoma") || designFace == QLatin1String("MS Sans Serif") ||
        designFace == QLatin1String("Small Fonts"))
        return QStringLiteral("DejaVu Sans");
    return designFace;
}

QFont DesignFont(const QString& designFace, int pointSize, bool bold) {
    QFont font(DesktopFace(designFace), pointSize);
    font.setBold(bold);
    return font;
}

QFont DesignPixelFont(const QString& designFace, int pixelHeight, bool bold) {
    QFont font(DesktopFace(designFace));
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    return font;
}
