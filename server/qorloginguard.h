#pragma once
// What checking a password costs a guesser, and what it costs everyone else. Derivations run
// on worker threads, so the event loop never waits for one; an unknown name costs what a known
// one costs; and an address that keeps failing waits longer and longer before each next check.

#include "server/qorpasswordhash.h"

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QThreadPool>

#include <chrono>
#include <deque>
#include <functional>
#include <optional>

class QORLoginGuard : public QObject {
    Q_OBJECT
public:
    using Clock = std::chrono::steady_clock;
    using Done = std::function<void(const QORPasswordCheck&)>;

    // Failed checks an address may have within FailureMemory before its checks wait: the first
    // waits FirstDelay, each further one twice as long as the one before, up to LongestDelay.
    static constexpr int FreeFailures = 5;
    static constexpr std::chrono::seconds FailureMemory{60};
    static constexpr std::chrono::milliseconds FirstDelay{1000};
    static constexpr std::chrono::milliseconds LongestDelay{30000};

    explicit QORLoginGuard(const QORPasswordCost& cost, QObject* parent = nullptr);
    // Waits for the derivations under way.
    ~QORLoginGuard() override;

    // How long the next check from this address must wait. It counts as failed until
    // Succeeded says otherwise, so that checks made side by side gain nothing.
    std::chrono::milliseconds Admit(const QHostAddress& from, Clock::time_point now = Clock::now());
    void Succeeded(const QHostAddress& from);

    // Checks the password against the stored hash, or against the dummy when there is none;
    // done runs on this object's thread afterwards, unless context is gone by then.
    void Check(const QString& password, const std::optional<QByteArray>& stored, QObject* context,
               Done done);
    // Hashes a new password the same way: done gets a match with the new hash as Renewed.
    void Create(const QString& password, QObject* context, Done done);

    // How many derivations have been started.
    int Derivations() const { return DerivationCount; }

private:
    void Run(std::function<QORPasswordCheck()> job, QObject* context, Done done);
    void ForgetOld(Clock::time_point now);

    const QORPasswordCost Cost;
    // An Argon2id hash of a random password, of the current cost.
    const QByteArray Dummy;
    QHash<QHostAddress, std::deque<Clock::time_point>> Failures;
    qsizetype SweepAt = 0;
    int DerivationCount = 0;
    // Last, so that it is gone first: no job outlives what it was given.
    QThreadPool Pool;
};
