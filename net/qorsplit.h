#pragma once
// The score server's text format: replies are records separated by "#", records are fields
// separated by ";". Both levels use one splitting rule, written out here because the
// server's encoding depends on every detail of it.
//
// A blank is any character from 1 to 32. Blanks separate items just as the delimiter does;
// an item that starts with a double quote runs to the next quote that is not doubled (to the
// end of the text when there is none), a doubled quote standing for one; a text that ends
// with the delimiter yields a final empty item.

#include <QChar>
#include <QString>
#include <QStringList>

QStringList SplitText(const QString& text, QChar delimiter);

// The quoted form of an item: SplitText gives back exactly item, whatever it holds.
QString QuoteItem(const QString& item);
// Items joined with the delimiter, each quoted, so that SplitText gives back exactly items.
QString JoinQuoted(const QStringList& items, QChar delimiter);
