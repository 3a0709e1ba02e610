#include "server/qorservermessage.h"

#include "net/qorcp1251.h"
#include "net/qorlogin.h"
#include "net/qorprotocol.h"

#include <QStringList>

#include <optional>

namespace {

// The one byte cp1251 leaves unassigned; a client that sends it is not speaking the code page.
constexpr char UndefinedCp1251Byte = '\x98';

// A bounded count or time of a message.
std::optional<int> ParseBounded(const QString& text, int max) {
    const std::optional<qint64> value = QORProtocol::ParseNumber(text, max);
    return value ? std::optional<int>(int(*value)) : std::nullopt;
}

QORServerMessage::Kind KindOf(const QString& keyword) {
    // The protocol's keywords carry their ";"; the split has already removed it.
    const QByteArray bytes = keyword.toLatin1() + ';';
    for (const QORServerKeyword& known : ServerKeywords()) {
        if (known.Bytes == bytes)
            return known.What;
    }
    return QORServerMessage::Invalid;
}

// Names are checked fully when an account is made; a name that can name no account is
// simply not found. Here only what any stored name keeps: not blank, not too long.
bool CouldName(const QString& name) {
    return name.size() <= MaxNameLength && !TrimmedName(name).isEmpty();
}

// A kind a scramble may be asked for by; a list also by an earlier day's daily kind.
bool IsKindName(const QString& field, bool list) {
    using namespace QORProtocol;
    return field == RandomKind || field == DailyKind || (list && DailyDayOf(field));
}

} // namespace

const std::array<QORServerKeyword, 7>& ServerKeywords() {
    using namespace QORProtocol;
    static const std::array<QORServerKeyword, 7> keywords = {{
        {Login.toLatin1(), QORServerMessage::Login, false},
        {Register.toLatin1(), QORServerMessage::Register, false},
        {GetTop.toLatin1(), QORServerMessage::GetTop, false},
        {TimeResult.toLatin1(), QORServerMessage::TimeResult, false},
        {GetScramble.toLatin1(), QORServerMessage::Scramble, true},
        {Solve.toLatin1(), QORServerMessage::Solve, true},
        {GetTop2.toLatin1(), QORServerMessage::GetTop2, true},
    }};
    return keywords;
}

QORServerMessage QORServerMessage::Parse(const QByteArray& bytes) {
    qsizetype end = bytes.size();
    while (end > 0 && (bytes[end - 1] == '\r' || bytes[end - 1] == '\n'))
        --end;
    const QByteArray body = bytes.left(end);
    const QStringList fields = FromCp1251(body).split(u';');
    QORServerMessage message;
    // A keyword ends with its ";", so there are two fields at least.
    message.What = fields.size() > 1 ? KindOf(fields.first()) : Invalid;
    if (message.What == Invalid)
        return message;
    // The verified list may be asked for by kind, in a field of its own; any other field
    // there breaks the message as a field too many did before kinds.
    const bool listKind =
        message.What == GetTop2 && fields.size() == 4 && IsKindName(fields[3], true);
    // A solve may end with the inspection's penalty, in a field of its own.
    const bool plusTwo =
        message.What == Solve && fields.size() == 7 && fields[6] == QORProtocol::PlusTwo;
    const qsizetype expected = message.What == TimeResult ? 5
                               : message.What == Scramble ? 4
                               : message.What == Solve    ? (plusTwo ? 7 : 6)
                               : listKind                 ? 4
                                                          : 3;
    if (body.contains(UndefinedCp1251Byte) || fields.size() != expected || !CouldName(fields[1]) ||
        !IsValidPassword(fields[2])) {
        message.What = Refused;
        return message;
    }
    message.Name = fields[1];
    message.Password = fields[2];
    if (message.What == TimeResult) {
        const std::optional<int> seconds = ParseBounded(fields[3], MaxSeconds);
        const std::optional<int> shuffles = ParseBounded(fields[4], QORProtocol::MaxShuffles);
        if (!seconds || !shuffles)
            return QORServerMessage();
        message.Seconds = *seconds;
        message.Shuffles = *shuffles;
    } else if (listKind || (message.What == Scramble && IsKindName(fields[3], false))) {
        message.KindName = fields[3];
    } else if (message.What == Scramble) {
        const std::optional<int> turns = ParseBounded(fields[3], QORProtocol::MaxShuffles);
        if (!turns || *turns < 1)
            return QORServerMessage();
        message.Shuffles = *turns;
    } else if (message.What == Solve) {
        using QORProtocol::SolveFault;
        message.Id = fields[3];
        message.PlusTwo = plusTwo;
        const std::optional<int> ms = ParseBounded(fields[4], MaxSolveMs);
        const auto moves = QORProtocol::ParseTimedMoves(fields[5]);
        message.Ms = ms.value_or(0);
        message.Moves = moves.value_or(QList<QORProtocol::TimedMove>());
        if (!QORProtocol::IsScrambleId(message.Id))
            message.Broken = SolveFault::Unknown;
        else if (!moves)
            message.Broken = SolveFault::Unsolved;
        else if (!ms)
            message.Broken = SolveFault::Times;
    }
    return message;
}
