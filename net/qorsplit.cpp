#include "net/qorsplit.h"

namespace {

bool IsBlank(QChar c) {
    return c.unicode() >= 1 && c.unicode() <= 32;
}

} // namespace

QStringList SplitText(const QString& text, QChar delimiter) {
    QStringList items;
    const qsizetype n = text.size();
    qsizetype i = 0;
    auto skipBlanks = [&] {
        while (i < n && IsBlank(text[i]))
            ++i;
    };
    skipBlanks();
    while (i < n) {
        QString item;
        if (text[i] == u'"') {
            ++i;
            while (i < n) {
                if (text[i] == u'"') {
                    if (i + 1 < n && text[i + 1] == u'"') {
                        item += u'"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += text[i++];
            }
        } else {
            const qsizetype start = i;
            while (i < n && text[i] != delimiter && !IsBlank(text[i]))
                ++i;
            item = text.mid(start, i - start);
        }
        items << item;
        skipBlanks();
        if (i < n && text[i] == delimiter) {
            if (i == n - 1)
                items << QString();
            ++i;
            skipBlanks();
        }
    }
    return items;
}

QString QuoteItem(const QString& item) {
    QString quoted = item;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString JoinQuoted(const QStringList& items, QChar delimiter) {
    QStringList quoted;
    quoted.reserve(items.size());
    for (const QString& item : items)
        quoted << QuoteItem(item);
    return quoted.join(delimiter);
}
