#pragma once
// The web front's replies as bytes: Russian HTML pages that need no script, and the same data
// as JSON for clubs' own pages. Every name is escaped here, and nowhere else.

#include "server/qorwebdata.h"

#include <QByteArray>
#include <QDate>

namespace QORWebPages {

QByteArray BoardPage(const QORWebBoard& board);
QByteArray DayPage(const QDate& day, const QList<QORProtocol::VerifiedRow>& rows);
QByteArray PlayerPage(const QORWebPlayer& player);
QByteArray NotFoundPage(const QDate& today);

QByteArray BoardJson(const QORWebBoard& board);
QByteArray DayJson(const QDate& day, const QList<QORProtocol::VerifiedRow>& rows);
QByteArray PlayerJson(const QORWebPlayer& player);

// The path of a player's page, its name percent-encoded.
QString PlayerPath(const QString& name);

} // namespace QORWebPages
