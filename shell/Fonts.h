#pragma once

#include <QFont>

// The faces the forms were designed with, on this desktop: Arial and Courier New by their metric-compatible
// Liberation faces, Tahoma, MS Sans Serif and Small Fonts by the desktop's sans-serif (DejaVu Sans).
QString DesktopFace(const QString& designFace);

QFont DesignFont(const QString& designFace, int pointSize, bool bold = false);
QFont DesignPixelFont(const QString& designFace, int pixelHeight, bool bold = false);
