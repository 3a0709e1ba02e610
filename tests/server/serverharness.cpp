#include "serverharness.h"

// Sockets, timers, processes and the SQL driver all need the one application object; a
// thousand connections, both their ends in this process, need the descriptors.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    RaiseDescriptorLimit();
    return RUN_ALL_TESTS();
}
