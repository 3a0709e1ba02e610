#include "net/qorcp1251.h"
#include "net/qorprotocol.h"
#include <QRandomGenerator>
#include <gtest/gtest.h>

TEST(TopListReply, randomRowsComeBackExactlyThroughTheClientsParser) {
    // Every cp1251 character but the unassigned one, with the ones that mean something to the
    // client's splitter (blanks, quotes, both delimiters) drawn far more often than their share.
    QString alphabet = QString(" \t\r\n\"\";;##\x01 ").repeated(20);
    for (int b = 1; b < 256; ++b)
        alphabet += b == 0x98 ? QString() : FromCp1251(QByteArray(1, char(b)));
    QRandomGenerator random(20240611);
    for (int i = 0; i < 5000; ++i) {
        QList<QStringList> rows(random.bounded(6));
        for (QStringList& row : rows)
            for (int f = random.bounded(1, 6); f > 0; --f) {
                row << QString();
                for (int n = random.bounded(4) == 0 ? 0 : random.bounded(1, 12); n > 0; --n)
                    row.last() += alphabet[random.bounded(int(alphabet.size()))];
            }
        const QByteArray wire = ToCp1251(QORProtocol::TopListReply(rows));
        const QORProtocol::Reply reply = QORProtocol::ParseReply(FromCp1251(wire));
        ASSERT_EQ(reply.What, QORProtocol::Reply::TopListRows) << "case " << i;
        ASSERT_EQ(reply.Rows, rows) << "case " << i << ": " << wire.toPercentEncoding().data();
    }
}
