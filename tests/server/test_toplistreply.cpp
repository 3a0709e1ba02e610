#include "app/qorcp1251.h"
#include "net/qorprotocol.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

// Every character cp1251 has, with the ones that mean something to the client's splitter
// (blanks, quotes, both delimiters) drawn far more often than their share.
class FieldSource {
public:
    explicit FieldSource(quint32 seed) : Random(seed) {
        QByteArray all;
        for (int b = 1; b < 256; ++b) {
            if (b != 0x98)
                all.append(char(b));
        }
        Alphabet = FromCp1251(all);
    }

    QString Field() {
        const int length = Random.bounded(4) == 0 ? 0 : Random.bounded(1, 12);
        QString field;
        for (int i = 0; i < length; ++i) {
            if (Random.bounded(3) == 0)
                field += Meaningful[Random.bounded(int(sizeof Meaningful - 1))];
            else
                field += Alphabet[Random.bounded(int(Alphabet.size()))];
        }
        return field;
    }

    QList<QStringList> Rows() {
        QList<QStringList> rows;
        const int count = Random.bounded(6);
        for (int r = 0; r < count; ++r) {
            QStringList row;
            const int fields = Random.bounded(1, 6);
            for (int f = 0; f < fields; ++f)
                row << Field();
            rows << row;
        }
        return rows;
    }

private:
    static constexpr char Meaningful[] = " \t\r\n\"\";;##\x01 ";
    QRandomGenerator Random;
    QString Alphabet;
};

} // namespace

TEST(TopListReply, randomRowsComeBackExactlyThroughTheClientsParser) {
    FieldSource source(20240611);
    for (int i = 0; i < 5000; ++i) {
        const QList<QStringList> rows = source.Rows();
        // Through the wire bytes as well, as the client receives them.
        const QByteArray wire = ToCp1251(QORProtocol::TopListReply(rows));
        const QORProtocol::Reply reply = QORProtocol::ParseReply(FromCp1251(wire));
        ASSERT_EQ(reply.What, QORProtocol::Reply::TopListRows) << "case " << i;
        ASSERT_EQ(reply.Rows, rows) << "case " << i << ": " << wire.toPercentEncoding().data();
    }
}

TEST(TopListReply, rowsOfTheServersShapeWithRussianNamesComeBack) {
    const QList<QStringList> rows = {
        {QString::fromUtf8("Игрок \"Ёж\"; #1"), "00:01:15", "25", "07.12.2024"},
        {QString(), "00:00:00", "0", "01.01.2025"},
        {QString::fromUtf8("  пробелы  "), "8760:00:00", "1000", "31.12.2025"}};
    const QByteArray wire = ToCp1251(QORProtocol::TopListReply(rows));
    EXPECT_EQ(QORProtocol::ParseReply(FromCp1251(wire)).Rows, rows);
}
