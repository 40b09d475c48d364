#include "SpecialFolders.h"

#include <QDir>
#include <QStandardPaths>

QString GetDesktopPath() {
    QString path = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (path.isEmpty() || !QDir().mkpath(path))
        return {};
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}
