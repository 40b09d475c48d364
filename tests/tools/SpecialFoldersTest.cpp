#include "SpecialFolders.h"

#include <QDir>
#include <QTemporaryDir>
#include "QtPrinters.h"

#include <gtest/gtest.h>

TEST(GetDesktopPath, CreatesAMissingDesktopAndReturnsItWithoutTrailingSlash) {
    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("HOME"), oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral(".config")).toUtf8());
    const QString desktop = GetDesktopPath();
    qputenv("HOME", oldHome);
    qputenv("XDG_CONFIG_HOME", oldConfig);

    EXPECT_EQ(desktop, home.filePath(QStringLiteral("Desktop")));
    EXPECT_TRUE(QDir(desktop).exists());
}
