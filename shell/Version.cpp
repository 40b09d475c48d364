#include "Version.h"

#ifndef VYK_VERSION
#define VYK_VERSION ""
#endif

QString GetVersionString() {
    const QString version = QStringLiteral(VYK_VERSION);
    return version.isEmpty() ? QStringLiteral("-") : version;
}
