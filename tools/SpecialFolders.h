#pragma once

#include <QString>

// The current user's desktop folder without a trailing slash, created when missing; empty when the system
// names none or it cannot be created.
QString GetDesktopPath();
