#include "ProgramConfig.h"

#include "IniFile.h"

QString ConfigDirOf(const QString& programFolder) {
    const IniFile vykIni(programFolder + QStringLiteral("vyk.ini"));
    const QString configured = vykIni.ReadString(QStringLiteral("config"), QStringLiteral("dir"), QString());
    // an empty key would put config.ini into whatever folder is current
    return configured.isEmpty() ? programFolder + QStringLiteral("config/") : configured;
}
