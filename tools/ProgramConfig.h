#pragma once

#include <QString>

// The configuration folder of the program in programFolder (ending with "/"): key dir of section [config] of
// its vyk.ini as written there, or config/ beside the program when the key is missing or empty.
QString ConfigDirOf(const QString& programFolder);
