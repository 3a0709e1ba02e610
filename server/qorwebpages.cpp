#include "server/qorwebpages.h"

#include "net/qorclocktext.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

namespace {

// Small enough to arrive in the first packets, and readable on a phone's narrow screen.
const char* const Style =
    "body{font-family:sans-serif;margin:0 auto;max-width:48em;padding:0 .5em;color:#222}"
    "nav{padding:.5em 0;border-bottom:1px solid #ccc}nav a{margin-right:1em}"
    "h1{font-size:1.4em}h2{font-size:1.15em;margin-top:1.5em}"
    "table{border-collapse:collapse;width:100%}th,td{padding:.25em .4em;text-align:left;"
    "border-bottom:1px solid #eee}td.n{text-align:right}td a{word-break:break-all}"
    "div.list{overflow-x:auto}p.empty{color:#777}"
    "@media (max-width:30em){body{font-size:.9em}th,td{padding:.2em}}";

QString Escaped(const QString& text) {
    return text.toHtmlEscaped();
}

QString DayText(const QDate& day) {
    return day.toString(Qt::ISODate);
}

QString Link(const QString& path, const QString& text) {
    return QStringLiteral("<a href=\"%1\">%2</a>").arg(Escaped(path), Escaped(text));
}

QByteArray Page(const QString& title, const QDate& today, const QString& body) {
    const QString nav =
        Link(QStringLiteral("/"), QStringLiteral("Все списки")) +
        Link(QStringLiteral("/day/") + DayText(today), QStringLiteral("Задача дня"));
    return QStringLiteral("<!DOCTYPE html>\n<html lang=\"ru\"><head><meta charset=\"utf-8\">"
                          "<meta name=\"viewport\" content=\"width=device-width, "
                          "initial-scale=1\"><title>%1 — Quelmora</title><style>%2</style>"
                          "</head><body><nav>%3</nav><h1>%1</h1>%4</body></html>\n")
        .arg(Escaped(title), QLatin1String(Style), nav, body)
        .toUtf8();
}

// A list as a table; the seed list's rows have whole seconds and no moves.
QString Table(const QList<QORProtocol::VerifiedRow>& rows, bool seed = false) {
    if (rows.isEmpty())
        return QStringLiteral("<p class=\"empty\">Пока нет результатов.</p>");
    QString html =
        QStringLiteral("<div class=\"list\"><table><tr><th>Место</th><th>Игрок</th><th>Время</th>");
    html += seed ? QString() : QStringLiteral("<th>Ходы</th>");
    html += QStringLiteral("<th><abbr title=\"Ходов перемешивания\">Перем.</abbr></th>"
                           "<th>Дата</th></tr>");
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const QORProtocol::VerifiedRow& row = rows[i];
        const QString time = seed ? ClockText(int(row.Ms / 1000)) : ClockTextMs(row.Ms);
        html += QStringLiteral("<tr><td class=\"n\">%1</td><td>%2</td><td>%3</td>")
                    .arg(i + 1)
                    .arg(Link(QORWebPages::PlayerPath(row.Nick), row.Nick), time);
        if (!seed)
            html += QStringLiteral("<td class=\"n\">%1</td>").arg(row.Moves);
        html += QStringLiteral("<td class=\"n\">%1</td><td>%2</td></tr>")
                    .arg(row.Shuffles)
                    .arg(DayText(row.Date));
    }
    return html + QStringLiteral("</table></div>");
}

QString PlaceText(const QORWebPlace& place, bool seed = false) {
    if (place.Place == 0)
        return QStringLiteral("нет в списке");
    const QString time = seed ? ClockText(int(place.Row.Ms / 1000)) : ClockTextMs(place.Row.Ms);
    return QStringLiteral("%1-е место, %2").arg(place.Place).arg(time) +
           (seed ? QString() : QStringLiteral(", ходов: %1").arg(place.Row.Moves));
}

QJsonArray JsonRows(const QList<QORProtocol::VerifiedRow>& rows, bool seed = false) {
    QJsonArray array;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        QJsonObject row{{"place", int(i + 1)},
                        {"name", rows[i].Nick},
                        {"shuffles", rows[i].Shuffles},
                        {"date", DayText(rows[i].Date)}};
        if (seed) {
            row.insert("seconds", int(rows[i].Ms / 1000));
        } else {
            row.insert("ms", rows[i].Ms);
            row.insert("moves", rows[i].Moves);
        }
        array << row;
    }
    return array;
}

QJsonValue JsonPlace(const QORWebPlace& place, bool seed = false) {
    if (place.Place == 0)
        return QJsonValue::Null;
    QJsonObject row = JsonRows({place.Row}, seed).first().toObject();
    row.insert("place", place.Place);
    return row;
}

QByteArray Json(const QJsonObject& object) {
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

} // namespace

namespace QORWebPages {

QString PlayerPath(const QString& name) {
    return QStringLiteral("/player/") + QString::fromLatin1(QUrl::toPercentEncoding(name));
}

QByteArray BoardPage(const QORWebBoard& board) {
    const QString body = QStringLiteral("<h2>%1</h2>")
                             .arg(Link(QStringLiteral("/day/") + DayText(board.Today),
                                       QStringLiteral("Задача дня ") + DayText(board.Today))) +
                         Table(board.Daily) + QStringLiteral("<h2>Проверенные</h2>") +
                         Table(board.Verified) + QStringLiteral("<h2>Случайное состояние</h2>") +
                         Table(board.Random) + QStringLiteral("<h2>Все</h2>") +
                         Table(board.Seed, true);
    return Page(QStringLiteral("Лучшие результаты"), board.Today, body);
}

QByteArray DayPage(const QDate& day, const QList<QORProtocol::VerifiedRow>& rows) {
    const QString body = QStringLiteral("<p>%1 · %2</p>")
                             .arg(Link(QStringLiteral("/day/") + DayText(day.addDays(-1)),
                                       QStringLiteral("← ") + DayText(day.addDays(-1))),
                                  Link(QStringLiteral("/day/") + DayText(day.addDays(1)),
                                       DayText(day.addDays(1)) + QStringLiteral(" →"))) +
                         Table(rows);
    return Page(QStringLiteral("Задача дня ") + DayText(day), day, body);
}

QByteArray PlayerPage(const QORWebPlayer& player) {
    const QString body =
        QStringLiteral("<table><tr><th>Задача дня сегодня</th><td>%1</td></tr>"
                       "<tr><th>Серия задач дня</th><td>%2</td></tr>"
                       "<tr><th>Проверенные</th><td>%3</td></tr>"
                       "<tr><th>Случайное состояние</th><td>%4</td></tr>"
                       "<tr><th>Все</th><td>%5</td></tr></table>")
            .arg(PlaceText(player.Daily), QStringLiteral("дней подряд: %1").arg(player.Streak),
                 PlaceText(player.Verified), PlaceText(player.Random),
                 PlaceText(player.Seed, true));
    return Page(QStringLiteral("Игрок ") + player.Name, player.Today, body);
}

QByteArray NotFoundPage(const QDate& today) {
    return Page(QStringLiteral("Нет такой страницы"), today,
                QStringLiteral("<p>Такой страницы или такого игрока здесь нет.</p>"));
}

QByteArray BoardJson(const QORWebBoard& board) {
    return Json({{"day", DayText(board.Today)},
                 {"daily", JsonRows(board.Daily)},
                 {"verified", JsonRows(board.Verified)},
                 {"random", JsonRows(board.Random)},
                 {"seed", JsonRows(board.Seed, true)}});
}

QByteArray DayJson(const QDate& day, const QList<QORProtocol::VerifiedRow>& rows) {
    return Json({{"day", DayText(day)}, {"rows", JsonRows(rows)}});
}

QByteArray PlayerJson(const QORWebPlayer& player) {
    return Json({{"name", player.Name},
                 {"streak", player.Streak},
                 {"daily", JsonPlace(player.Daily)},
                 {"verified", JsonPlace(player.Verified)},
                 {"random", JsonPlace(player.Random)},
                 {"seed", JsonPlace(player.Seed, true)}});
}

} // namespace QORWebPages
