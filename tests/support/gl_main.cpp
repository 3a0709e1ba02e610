// GL and window tests need a display: run them under Xvfb (ctest does). What the game keeps
// per user goes to a folder of the run's own. The game speaks Russian, whatever the desktop.
#include "app/qorlanguage.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QTemporaryDir home;
    qputenv("XDG_STATE_HOME", home.filePath("state").toUtf8());
    qputenv("XDG_DATA_HOME", home.filePath("data").toUtf8());
    qputenv("XDG_CACHE_HOME", home.filePath("cache").toUtf8());
    QApplication app(argc, argv);
    SpeakLanguage(app, false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
