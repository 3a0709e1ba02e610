#include "server/qorloginguard.h"

#include <QPointer>
#include <QRandomGenerator>

#include <algorithm>

namespace {

// Records of addresses are swept once their number has doubled since the last sweep.
constexpr qsizetype FirstSweep = 1024;

QString RandomPassword() {
    return QString::number(QRandomGenerator::system()->generate64(), 36) +
           QString::number(QRandomGenerator::system()->generate64(), 36);
}

} // namespace

QORLoginGuard::QORLoginGuard(const QORPasswordCost& cost, QObject* parent)
    : QObject(parent), Cost(cost), Dummy(HashPassword(RandomPassword(), cost)),
      SweepAt(FirstSweep) {}

QORLoginGuard::~QORLoginGuard() {
    Pool.waitForDone();
}

std::chrono::milliseconds QORLoginGuard::Admit(const QHostAddress& from, Clock::time_point now) {
    if (Failures.size() >= SweepAt)
        ForgetOld(now);
    std::deque<Clock::time_point>& failures = Failures[from];
    while (!failures.empty() && now - failures.front() >= FailureMemory)
        failures.pop_front();
    const qsizetype over = qsizetype(failures.size()) - FreeFailures;
    failures.push_back(now);
    if (over < 0)
        return std::chrono::milliseconds(0);
    // Doubling past the longest delay stops early, before the shift could overflow.
    const int doublings = int(std::min<qsizetype>(over, 6));
    return std::min(LongestDelay, FirstDelay * (1 << doublings));
}

void QORLoginGuard::Succeeded(const QHostAddress& from) {
    const auto record = Failures.find(from);
    if (record != Failures.end() && !record->empty())
        record->pop_back();
}

void QORLoginGuard::ForgetOld(Clock::time_point now) {
    for (auto record = Failures.begin(); record != Failures.end();) {
        if (record->empty() || now - record->back() >= FailureMemory)
            record = Failures.erase(record);
        else
            ++record;
    }
    SweepAt = std::max(FirstSweep, 2 * Failures.size());
}

void QORLoginGuard::Check(const QString& password, const std::optional<QByteArray>& stored,
                          QObject* context, Done done) {
    Run(
        [password, stored, dummy = Dummy, cost = Cost] {
            QORPasswordCheck check = CheckPassword(password, stored.value_or(dummy), dummy, cost);
            // Whoever guessed the dummy's password has still named nobody.
            check.Matches = check.Matches && stored.has_value();
            return check;
        },
        context, std::move(done));
}

void QORLoginGuard::Create(const QString& password, QObject* context, Done done) {
    Run(
        [password, cost = Cost] {
            QORPasswordCheck made;
            made.Renewed = HashPassword(password, cost);
            made.Matches = !made.Renewed.isEmpty();
            return made;
        },
        context, std::move(done));
}

void QORLoginGuard::Run(std::function<QORPasswordCheck()> job, QObject* context, Done done) {
    ++DerivationCount;
    // The pointer is only copied on the worker; it is looked at back on this thread.
    const QPointer<QObject> alive(context);
    Pool.start([this, job = std::move(job), alive, done = std::move(done)] {
        const QORPasswordCheck result = job();
        QMetaObject::invokeMethod(
            this,
            [alive, done, result] {
                if (alive)
                    done(result);
            },
            Qt::QueuedConnection);
    });
}
