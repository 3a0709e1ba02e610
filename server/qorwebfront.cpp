#include "server/qorwebfront.h"

#include "server/qorscorestore.h"
#include "server/qorwebpages.h"

#include <QDateTime>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QRegularExpression>
#include <QUrl>

namespace {

const QByteArray HtmlType = QByteArrayLiteral("text/html; charset=utf-8");
const QByteArray JsonType = QByteArrayLiteral("application/json");

// A day as the paths name it; anything else is no page.
std::optional<QDate> PathDay(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    const QDate day = QDate::fromString(text, Qt::ISODate);
    if (!form.match(text).hasMatch() || !day.isValid())
        return std::nullopt;
    return day;
}

} // namespace

QORWebFront::QORWebFront(QORScoreStore& store, int rows, QObject* parent)
    : QObject(parent), Records(store), Data(store, rows) {
    Today = [] { return QDateTime::currentDateTimeUtc().date(); };
    // Every path goes to one place, so that each reply is kept by its path.
    Http.setMissingHandler(
        [this](const QHttpServerRequest& request, QHttpServerResponder&& responder) {
            const QHttpServerRequest::Method method = request.method();
            if (method != QHttpServerRequest::Method::Get &&
                method != QHttpServerRequest::Method::Head) {
                responder.write(QHttpServerResponder::StatusCode::MethodNotAllowed);
                return;
            }
            const QORWebReply reply = Answer(request.url().path(QUrl::FullyEncoded));
            // The pages need no script, so the browser is told to run none, whatever a name holds.
            responder.write(
                reply.Body,
                {{"Content-Type", reply.Type},
                 {"Content-Security-Policy", "default-src 'none'; style-src 'unsafe-inline'"},
                 {"X-Content-Type-Options", "nosniff"}},
                QHttpServerResponder::StatusCode(reply.Status));
        });
}

bool QORWebFront::Listen(const QHostAddress& address, quint16 port) {
    Bound = Http.listen(address, port);
    return Bound != 0;
}

QORWebReply QORWebFront::Answer(const QString& path) {
    const QDate today = Today();
    const quint64 ranking = Records.RankVersion();
    if (ranking != KeptRanking || today != KeptDay || Kept.size() >= MaxKept) {
        Kept.clear();
        KeptRanking = ranking;
        KeptDay = today;
    }
    if (const auto kept = Kept.constFind(path); kept != Kept.cend())
        return *kept;
    const QORWebReply reply = Build(path, today);
    // A store that could not answer, or a path that names nothing, is asked again next time.
    if (reply.Status == 200 && Records.Answered())
        Kept.insert(path, reply);
    return reply;
}

QORWebReply QORWebFront::Build(const QString& path, const QDate& today) {
    const bool api = path.startsWith(QStringLiteral("/api/"));
    const QString page = api ? path.mid(4) : path;
    if (page == QStringLiteral("/") && !api)
        return {200, HtmlType, QORWebPages::BoardPage(Data.Board(today))};
    if (page == QStringLiteral("/lists") && api)
        return {200, JsonType, QORWebPages::BoardJson(Data.Board(today))};
    const QString dayPrefix = QStringLiteral("/day/");
    const QString playerPrefix = QStringLiteral("/player/");
    if (page.startsWith(dayPrefix)) {
        if (const std::optional<QDate> day = PathDay(page.mid(dayPrefix.size()))) {
            const QList<QORProtocol::VerifiedRow> rows = Data.Day(*day);
            return api ? QORWebReply{200, JsonType, QORWebPages::DayJson(*day, rows)}
                       : QORWebReply{200, HtmlType, QORWebPages::DayPage(*day, rows)};
        }
    } else if (page.startsWith(playerPrefix)) {
        const QString name = QUrl::fromPercentEncoding(page.mid(playerPrefix.size()).toUtf8());
        if (!name.isEmpty())
            if (const std::optional<QORWebPlayer> player = Data.Player(name, today))
                return api ? QORWebReply{200, JsonType, QORWebPages::PlayerJson(*player)}
                           : QORWebReply{200, HtmlType, QORWebPages::PlayerPage(*player)};
    }
    if (api)
        return {404, JsonType, QByteArrayLiteral("{\"error\":\"not found\"}")};
    return {404, HtmlType, QORWebPages::NotFoundPage(today)};
}
