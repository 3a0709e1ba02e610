#include "net/qorverified.h"

#include "net/qorprotocol.h"
#include "net/qorsplit.h"

#include <array>

namespace QORProtocol {

namespace {

const std::array<QString, 6>& FaultNames() {
    // In the order of SolveFault.
    static const std::array<QString, 6> names = {
        QStringLiteral("UNSOLVED"), QStringLiteral("UNKNOWN"), QStringLiteral("USED"),
        QStringLiteral("EXPIRED"),  QStringLiteral("TIMES"),   QStringLiteral("HELD")};
    return names;
}

// A number of at most nine digits.
std::optional<qint64> Digits(const QString& text) {
    return text.size() > 9 ? std::nullopt : ParseNumber(text, 999999999);
}

QString Ended(const QString& message) {
    return message + QLatin1Char(EndOfMessage);
}

} // namespace

QString FaultName(SolveFault fault) {
    return FaultNames()[size_t(fault)];
}

std::optional<SolveFault> FaultFromName(const QString& name) {
    for (size_t i = 0; i < FaultNames().size(); ++i) {
        if (FaultNames()[i] == name)
            return SolveFault(i);
    }
    return std::nullopt;
}

QString TimedMovesText(const QList<TimedMove>& moves) {
    QStringList items;
    for (const TimedMove& move : moves)
        items << MoveName(move.Move) + u'@' + QString::number(move.Ms);
    return items.join(u' ');
}

std::optional<QList<TimedMove>> ParseTimedMoves(const QString& text) {
    QList<TimedMove> moves;
    if (text.isEmpty())
        return moves;
    for (const QString& item : text.split(u' ')) {
        const qsizetype at = item.indexOf(u'@');
        if (at < 0)
            return std::nullopt;
        const std::optional<QList<QORMove>> move = ParseMoves(item.left(at));
        const std::optional<qint64> ms = Digits(item.mid(at + 1));
        if (!move || move->size() != 1 || !ms)
            return std::nullopt;
        moves << TimedMove{move->first(), *ms};
    }
    return moves;
}

bool IsScrambleId(const QString& id) {
    if (id.size() != ScrambleIdLength)
        return false;
    for (QChar c : id) {
        if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f')))
            return false;
    }
    return true;
}

QString ScrambleRequest(const QString& user, const QString& password, int shuffles) {
    return Ended(Credentials(GetScramble, user, password) + u';' + QString::number(shuffles));
}

QString DailyKindOf(const QDate& day) {
    return DailyKind + u'-' + day.toString(QStringLiteral("yyyy-MM-dd"));
}

std::optional<QDate> DailyDayOf(const QString& kind) {
    // Exactly the form DailyKindOf writes: ten characters of a real date after the dash.
    if (kind.size() != DailyKind.size() + 11 || !kind.startsWith(DailyKind + u'-'))
        return std::nullopt;
    const QString date = kind.mid(DailyKind.size() + 1);
    const QDate day = QDate::fromString(date, QStringLiteral("yyyy-MM-dd"));
    if (!day.isValid() || DailyKindOf(day) != kind)
        return std::nullopt;
    return day;
}

QString ScrambleRequest(const QString& user, const QString& password, const QString& kind) {
    return Ended(Credentials(GetScramble, user, password) + u';' + kind);
}

QString SolveRequest(const QString& user, const QString& password, const QString& id, qint64 ms,
                     const QList<TimedMove>& moves, bool plusTwo) {
    const QString request = Credentials(Solve, user, password) + u';' + id + u';' +
                            QString::number(ms) + u';' + TimedMovesText(moves);
    return Ended(plusTwo ? request + u';' + PlusTwo : request);
}

QString TopList2Request(const QString& user, const QString& password, const QString& kind) {
    const QString request = Credentials(GetTop2, user, password);
    return Ended(kind.isEmpty() ? request : request + u';' + kind);
}

QString ScrambleReply(const QString& id, int shuffles, const QList<QORMove>& moves) {
    return ScrambleReply(id, QString::number(shuffles), moves);
}

QString ScrambleReply(const QString& id, const QString& kind, const QList<QORMove>& moves) {
    return Ended(ScrambleDealt + u';' + id + u';' + kind + u';' + MovesText(moves));
}

QString SolveOkReply(const QString& id, int place) {
    return Ended(SolveOk + u';' + id + u';' + QString::number(place));
}

QString SolveBadReply(const QString& id, SolveFault fault) {
    return Ended(SolveBad + u';' + id + u';' + FaultName(fault));
}

QString TopList2Reply(const QList<VerifiedRow>& rows) {
    // Records are quoted as the seed list's are: a nick may hold blanks.
    QString reply = TopList2;
    for (const VerifiedRow& row : rows)
        reply += u'#' + QuoteItem(JoinQuoted({row.Nick, QString::number(row.Ms),
                                              QString::number(row.Moves),
                                              QString::number(row.Shuffles),
                                              row.Date.toString(ListDateForm)},
                                             u';'));
    return Ended(reply);
}

VerifiedReply ParseVerifiedReply(const QString& text) {
    VerifiedReply reply;
    if (!text.endsWith(QLatin1Char(EndOfMessage)))
        return reply;
    const QString body = text.chopped(1);
    if (body.startsWith(TopList2 + u'#') || body == TopList2) {
        const QStringList records = SplitText(body, u'#');
        for (qsizetype i = 1; i < records.size(); ++i) {
            const QStringList f = SplitText(records[i], u';');
            const std::optional<qint64> ms = f.size() == 5 ? Digits(f[1]) : std::nullopt;
            const std::optional<qint64> moves = f.size() == 5 ? Digits(f[2]) : std::nullopt;
            const std::optional<qint64> shuffles = f.size() == 5 ? Digits(f[3]) : std::nullopt;
            if (!ms || !moves || !shuffles)
                return VerifiedReply();
            reply.List << VerifiedRow{f[0], *ms, int(*moves), int(*shuffles),
                                      QDate::fromString(f[4], ListDateForm)};
        }
        reply.What = VerifiedReply::Rows;
        return reply;
    }
    // The other replies hold no blank but between moves, and never a ";" inside a field.
    const QStringList f = body.split(u';');
    // Only the refusal of a finished daily try comes without an id.
    const bool noId = f.size() == 3 && f[0] == SolveBad && f[1].isEmpty();
    if (f.size() < 3 || (!IsScrambleId(f[1]) && !noId))
        return reply;
    reply.Id = f[1];
    if (f[0] == ScrambleDealt && f.size() == 4) {
        const std::optional<qint64> shuffles = Digits(f[2]);
        const std::optional<QList<QORMove>> moves = ParseMoves(f[3]);
        if ((shuffles || f[2] == RandomKind || DailyDayOf(f[2])) && moves) {
            reply.What = VerifiedReply::Scramble;
            reply.Shuffles = shuffles ? int(*shuffles) : 0;
            reply.Kind = shuffles ? QString() : f[2];
            reply.Moves = *moves;
        }
    } else if (f[0] == SolveOk && f.size() == 3) {
        if (const std::optional<qint64> place = Digits(f[2])) {
            reply.What = VerifiedReply::Accepted;
            reply.Place = int(*place);
        }
    } else if (f[0] == SolveBad && f.size() == 3) {
        if (const std::optional<SolveFault> fault = FaultFromName(f[2])) {
            reply.What = VerifiedReply::Refused;
            reply.Fault = *fault;
        }
    }
    return reply;
}

} // namespace QORProtocol
