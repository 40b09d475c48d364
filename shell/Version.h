#pragma once

#include <QString>

// The program's version as set in the build ("-" when the build set none).
QString GetVersionString();
