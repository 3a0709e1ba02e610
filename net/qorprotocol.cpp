#include "net/qorprotocol.h"

#include "net/qorsplit.h"

namespace QORProtocol {

std::optional<qint64> ParseNumber(const QString& text, qint64 max) {
    if (text.isEmpty())
        return std::nullopt;
    qint64 value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
        if (value > max)
            return std::nullopt;
    }
    return value;
}

QString Credentials(const QString& keyword, const QString& user, const QString& password) {
    return keyword + user + u';' + password;
}

QString Result(const QString& user, const QString& password, int seconds, int shuffles) {
    return Credentials(TimeResult, user, password) + u';' + QString::number(seconds) + u';' +
           QString::number(shuffles);
}

Reply ParseReply(const QString& text) {
    Reply reply;
    const QStringList records = SplitText(text, u'#');
    if (records.isEmpty())
        return reply;
    const QString& keyword = records.first();
    if (keyword == LoginOk) {
        reply.What = Reply::LoginAccepted;
    } else if (keyword == LoginBad) {
        reply.What = Reply::LoginRefused;
    } else if (keyword == TopList) {
        reply.What = Reply::TopListRows;
        for (qsizetype i = 1; i < records.size(); ++i) {
            QStringList fields = SplitText(records[i], u';');
            if (!fields.isEmpty())
                reply.Rows << fields;
        }
    }
    return reply;
}

QString TopListReply(const QList<QStringList>& rows) {
    // Each record is quoted as a whole too: at the record level a blank or ";" inside it
    // would otherwise split it.
    QString reply = TopList;
    for (const QStringList& row : rows)
        reply += u'#' + QuoteItem(JoinQuoted(row, u';'));
    return reply;
}

} // namespace QORProtocol
