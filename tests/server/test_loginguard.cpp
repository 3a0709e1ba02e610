#include "server/qorloginguard.h"
#include "serverharness.h"
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

// One worker: addresses take turns, each address's checks in the order they came. A throttled
// address has one check at a time: the next is admitted once the last has ended, so its wait
// counts the failures before it and no more.
TEST(LoginGuard, addressesTakeTurnsForTheWorkersAndAThrottledOneChecksOneAtATime) {
    QORLoginGuard guard({1, 8});
    guard.SetWorkers(1);
    QStringList order;
    QObject context, dropped;
    const auto check = [&](int from, const QString& name, QObject* owner) {
        guard.Check(QHostAddress(quint32(0x7F000000 + from)), name, std::nullopt, owner,
                    [&order, name](const QORPasswordCheck&) { order << name; });
    };
    for (const char* name : {"a1", "a2", "a3", "a4", "b1", "b2", "c1"})
        check(name[0] - 'a' + 2, name, &context);
    ASSERT_TRUE(WaitUntil([&] { return order.size() == 7; }));
    EXPECT_EQ(order, QStringList({"a1", "a2", "b1", "c1", "a3", "b2", "a4"}));
    guard.SetWorkers(2);
    const QHostAddress throttled(quint32(0x7F000009));
    for (int i = 0; i < QORLoginGuard::FreeFailures; ++i)
        guard.Admit(throttled);
    // As x ends, six failures count: five and x's own, but not y's, which is not yet admitted.
    std::chrono::milliseconds next{0};
    guard.Check(throttled, "x", std::nullopt, &context,
                [&](const QORPasswordCheck&) { next = guard.Admit(throttled); });
    check(9, "y", &dropped);
    ASSERT_TRUE(WaitUntil([&] { return next.count() > 0; }, 5000));
    EXPECT_EQ(next, 2s);
}
