#include "server/qorloginguard.h"
#include <gtest/gtest.h>
#include <tuple>
#include <vector>

using namespace std::chrono_literals;

// Every check counts as failed until it succeeds; failures are forgotten after a minute.
TEST(LoginGuard, afterFiveFailuresInAMinuteEachCheckWaitsTwiceAsLongUpToThirtySeconds) {
    const QHostAddress a(QStringLiteral("127.0.0.1")), b(QStringLiteral("::1"));
    // Address, seconds from the start, whether the check succeeds, its wait.
    std::vector<std::tuple<QHostAddress, int, bool, std::chrono::milliseconds>> checks;
    for (int i = 0; i < 5; ++i)
        checks.push_back({a, i, false, 0ms});
    for (auto wait : {1s, 2s, 4s, 8s, 16s, 30s, 30s})
        checks.push_back({a, 10, false, wait});
    checks.push_back({b, 10, false, 0ms});
    checks.push_back({a, 64, false, 4s}); // the first five have been forgotten
    for (int i = 0; i < 8; ++i)
        checks.push_back({b, 20, true, 0ms});
    for (int i = 0; i < 8; ++i)
        checks.push_back({a, 125, false, i < 5 ? 0ms : 1000ms * (1 << (i - 5))});
    QORLoginGuard guard({1, 8});
    const QORLoginGuard::Clock::time_point start;
    for (const auto& [from, at, succeeds, wait] : checks) {
        EXPECT_EQ(guard.Admit(from, start + std::chrono::seconds(at)), wait)
            << from.toString().toStdString() << " at " << at;
        if (succeeds)
            guard.Succeeded(from);
    }
}
