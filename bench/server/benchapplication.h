#pragma once
// The server benchmarks share one executable and one application object.

#include "server/qorscoreserver.h"

#include <QCoreApplication>

// Makes the application object once, whichever benchmark comes first, with descriptors for a
// thousand connections.
inline void EnsureApplication() {
    static int argc = 1;
    static char name[] = "quelmora_bench_server";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) {
        new QCoreApplication(argc, argv);
        RaiseDescriptorLimit();
    }
}
