#include <QApplication>
#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    // gtest_discover_tests runs this binary at build time, where no display exists.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // Settings the tests choose must not reach the user's own.
    const QTemporaryDir einstellungen;
    setenv("XDG_CONFIG_HOME", einstellungen.path().toLocal8Bit().constData(), 1);
    // Tests pin the locale they format numbers with.
    QLocale::setDefault(QLocale::c());
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
