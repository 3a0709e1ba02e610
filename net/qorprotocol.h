#pragma once
// The score-server protocol: the client's messages, the server's replies, and how a reply
// is read. Texts here are QString; the wire carries them in code page 1251, with no
// terminator (see ToCp1251).

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace QORProtocol {

// Where the game looks for its score server unless told otherwise, and where the server listens.
inline constexpr quint16 DefaultPort = 8844;
// The fewest shuffle turns a result needs for the top list unless the server is started with
// another minimum. No message carries the server's own, so the game tells its players this one.
inline constexpr int DefaultMinShuffles = 20;
// How both top lists write a result's date.
inline const QString ListDateForm = QStringLiteral("dd.MM.yyyy");
// The most shuffles a result may report; the game's shuffle setting stops at the same number.
inline constexpr int MaxShuffles = 1000;

inline const QString Login = QStringLiteral("CUBE_LOGIN;");
inline const QString Register = QStringLiteral("CUBE_REGISTER;");
inline const QString GetTop = QStringLiteral("CUBE_GETTOP;");
inline const QString TimeResult = QStringLiteral("CUBE_TIMERESULT;");

inline const QString TopList = QStringLiteral("ZKSERVER_TOPLIST");
inline const QString LoginOk = QStringLiteral("ZKSERVER_LOGIN_OK");
inline const QString LoginBad = QStringLiteral("ZKSERVER_LOGIN_BAD");

// A field of decimal digits only, at most max; longer texts stay bounded instead of
// overflowing. Nothing for anything else, a sign or a blank included.
std::optional<qint64> ParseNumber(const QString& text, qint64 max);

// A message of keyword, user name and password, the fields exactly as typed.
QString Credentials(const QString& keyword, const QString& user, const QString& password);
QString Result(const QString& user, const QString& password, int seconds, int shuffles);

struct Reply {
    enum Kind { TopListRows, LoginAccepted, LoginRefused, Ignored };
    Kind What = Ignored;
    // Of a top list: one list of texts per row, in the server's order; the first is the nick.
    QList<QStringList> Rows;
};
// One read's text as one reply, dispatched on its first record only.
Reply ParseReply(const QString& text);

// The server's top-list reply; ParseReply gives back exactly these rows, whatever they hold.
QString TopListReply(const QList<QStringList>& rows);

} // namespace QORProtocol
