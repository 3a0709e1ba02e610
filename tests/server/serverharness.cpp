#include <QCoreApplication>
#include <gtest/gtest.h>

// Sockets, timers, processes and the SQL driver all need the one application object.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
