#include "server/qorloginguard.h"

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
      SweepAt(FirstSweep) {
    Wake.setSingleShot(true);
    connect(&Wake, &QTimer::timeout, this, &QORLoginGuard::Serve);
}

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

bool QORLoginGuard::Throttled(const QHostAddress& from, Clock::time_point now) const {
    const auto record = Failures.constFind(from);
    return record != Failures.cend() &&
           std::count_if(record->begin(), record->end(), [now](Clock::time_point failed) {
               return now - failed < FailureMemory;
           }) >= FreeFailures;
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

void QORLoginGuard::Check(const QHostAddress& from, const QString& password,
                          const std::optional<QByteArray>& stored, QObject* context, Done done) {
    Queue(
        from,
        [password, stored, dummy = Dummy, cost = Cost] {
            QORPasswordCheck check = CheckPassword(password, stored.value_or(dummy), dummy, cost);
            // Whoever guessed the dummy's password has still named nobody.
            check.Matches = check.Matches && stored.has_value();
            return check;
        },
        context, std::move(done));
}

void QORLoginGuard::Create(const QHostAddress& from, const QString& password, QObject* context,
                           Done done) {
    Queue(
        from,
        [password, cost = Cost] {
            QORPasswordCheck made;
            made.Renewed = HashPassword(password, cost);
            made.Matches = !made.Renewed.isEmpty();
            return made;
        },
        context, std::move(done));
}

void QORLoginGuard::Queue(const QHostAddress& from, std::function<QORPasswordCheck()> work,
                          QObject* context, Done done) {
    Line& line = Lines[from];
    // Checks of connections gone meanwhile hold no place. The first stays, so that an address
    // is in Turns exactly while it has checks waiting; it is dropped when its turn comes.
    if (line.Waiting.size() > 1)
        line.Waiting.erase(std::remove_if(line.Waiting.begin() + 1, line.Waiting.end(),
                                          [](const Job& job) { return !job.Context; }),
                           line.Waiting.end());
    if (line.Waiting.empty())
        Turns.push_back(from);
    line.Waiting.push_back({std::move(work), context, std::move(done)});
    Serve();
}

void QORLoginGuard::Serve() {
    const Clock::time_point now = Clock::now();
    std::optional<Clock::time_point> soonest;
    // Each address in line is looked at once at most, unless one of them started a check.
    for (size_t looked = 0; Running < Pool.maxThreadCount() && looked < Turns.size();) {
        const QHostAddress from = Turns.front();
        Turns.pop_front();
        Line& line = Lines[from];
        while (!line.Waiting.empty() && !line.Waiting.front().Context) {
            line.Waiting.pop_front();
            line.ReadyAt.reset();
        }
        if (line.Waiting.empty()) {
            if (line.Running == 0)
                Lines.remove(from);
            continue;
        }
        const bool started = TryStart(from, line, now, soonest);
        // The address goes to the back of the line whether it had its turn or not.
        if (!line.Waiting.empty())
            Turns.push_back(from);
        looked = started ? 0 : looked + 1;
    }
    if (soonest)
        Wake.start(int(std::chrono::ceil<std::chrono::milliseconds>(*soonest - now).count()));
}

bool QORLoginGuard::TryStart(const QHostAddress& from, Line& line, Clock::time_point now,
                             std::optional<Clock::time_point>& soonest) {
    if (!line.ReadyAt) {
        // A throttled address has one check at a time: the next is admitted after it ends.
        if (line.Throttled && line.Running > 0)
            return false;
        const std::chrono::milliseconds wait = Admit(from, now);
        line.Throttled = wait.count() > 0;
        line.ReadyAt = now + wait;
    }
    if (*line.ReadyAt > now) {
        soonest = std::min(soonest.value_or(*line.ReadyAt), *line.ReadyAt);
        return false;
    }
    line.ReadyAt.reset();
    Job job = std::move(line.Waiting.front());
    line.Waiting.pop_front();
    ++line.Running;
    ++Running;
    ++DerivationCount;
    Pool.start([this, from, job = std::move(job)] {
        const QORPasswordCheck result = job.Work();
        QMetaObject::invokeMethod(
            this, [this, from, job, result] { Ended(from, job, result); }, Qt::QueuedConnection);
    });
    return true;
}

void QORLoginGuard::Ended(const QHostAddress& from, const Job& job, const QORPasswordCheck& result) {
    --Running;
    const auto line = Lines.find(from);
    if (line != Lines.end() && --line->Running == 0 && line->Waiting.empty())
        Lines.erase(line);
    if (result.Matches)
        Succeeded(from);
    if (job.Context)
        job.Finish(result);
    Serve();
}
