#pragma once
// What checking a password costs a guesser, and what it costs everyone else. Derivations run
// on worker threads, so the event loop never waits for one; an unknown name costs what a known
// one costs; an address that keeps failing waits longer and longer before each next check, one
// check at a time; and addresses take turns for the workers, so that no address's logins,
// right or wrong, keep another's waiting.

#include "server/qorpasswordhash.h"

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QThreadPool>
#include <QTimer>

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
    // Whether the address's next check would have to wait.
    bool Throttled(const QHostAddress& from, Clock::time_point now = Clock::now()) const;

    // Checks the password against the stored hash, or against the dummy when there is none,
    // in the address's turn; done runs on this object's thread afterwards, unless context is
    // gone by then. Addresses take turns: each turn starts the first check of the next
    // address in line, so an address with many checks waiting delays each other address by
    // at most one derivation per worker. Its own checks wait in the order they came, each
    // queued once; none is refused, for a client that sent its result and hung up would lose it.
    void Check(const QHostAddress& from, const QString& password,
               const std::optional<QByteArray>& stored, QObject* context, Done done);
    // Hashes a new password the same way: done gets a match with the new hash as Renewed.
    void Create(const QHostAddress& from, const QString& password, QObject* context, Done done);

    // How many derivations may run at once; one per core unless set.
    void SetWorkers(int count) { Pool.setMaxThreadCount(count); }
    // How many derivations have been started.
    int Derivations() const { return DerivationCount; }

private:
    struct Job {
        std::function<QORPasswordCheck()> Work;
        QPointer<QObject> Context;
        Done Finish;
    };
    // One address's checks not yet started, the first of them admitted once ReadyAt is set.
    struct Line {
        std::deque<Job> Waiting;
        std::optional<Clock::time_point> ReadyAt;
        int Running = 0;
        // Its last admission had to wait: the next is admitted only when no check runs.
        bool Throttled = false;
    };

    void Queue(const QHostAddress& from, std::function<QORPasswordCheck()> work, QObject* context,
               Done done);
    // Starts what may start, address by address in turn, while workers are free.
    void Serve();
    // Whether the address's first check started; sets soonest when it waits for its time.
    bool TryStart(const QHostAddress& from, Line& line, Clock::time_point now,
                  std::optional<Clock::time_point>& soonest);
    void Ended(const QHostAddress& from, const Job& job, const QORPasswordCheck& result);
    void ForgetOld(Clock::time_point now);

    const QORPasswordCost Cost;
    // An Argon2id hash of a random password, of the current cost.
    const QByteArray Dummy;
    QHash<QHostAddress, std::deque<Clock::time_point>> Failures;
    qsizetype SweepAt = 0;
    QHash<QHostAddress, Line> Lines;
    // Addresses with checks waiting, the one whose turn is next first.
    std::deque<QHostAddress> Turns;
    QTimer Wake;
    int Running = 0;
    int DerivationCount = 0;
    // Last, so that it is gone first: no job outlives what it was given.
    QThreadPool Pool;
};
