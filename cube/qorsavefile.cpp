#include "cube/qorsavefile.h"

#include "cube/qorbigcube.h"

#include <QFile>
#include <QSaveFile>
#include <QtEndian>

#include <cmath>
#include <cstring>

namespace {

void SetError(QString* error, const QString& text) {
    if (error)
        *error = text;
}

} // namespace

QString ProposedGameFileName(const QDateTime& when) {
    return when.toString(QStringLiteral("dd-MM-yyyy--HH-mm-ss")) + QStringLiteral(".cube");
}

bool QORBigCube::Save(const QString& fileName, QString* error) const {
    QByteArray bytes(GameFileSize, Qt::Uninitialized);
    char* out = bytes.data();
    for (const QORSmallCube& c : Cubies)
        for (const Vec3& p : c.Points)
            for (float v : {p.x, p.y, p.z}) {
                uint32_t bits = 0;
                std::memcpy(&bits, &v, 4);
                qToLittleEndian(bits, out);
                out += 4;
            }
    // A temporary file renamed over the target: a failed save never destroys the old one.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        SetError(error, file.errorString());
        return false;
    }
    return true;
}

bool QORBigCube::Load(const QString& fileName, QString* error) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        SetError(error, file.errorString());
        return false;
    }
    // One byte more than a game file tells a longer file without reading all of it.
    const QByteArray bytes = file.read(GameFileSize + 1);
    if (bytes.size() != GameFileSize) {
        SetError(error, QStringLiteral("wrong size"));
        return false;
    }
    std::array<std::array<Vec3, QORSmallCube::PointCount>, CubieCount> points;
    const char* in = bytes.constData();
    for (auto& cubie : points)
        for (Vec3& p : cubie)
            for (float* v : {&p.x, &p.y, &p.z}) {
                const uint32_t bits = qFromLittleEndian<uint32_t>(in);
                std::memcpy(v, &bits, 4);
                in += 4;
                if (!std::isfinite(*v)) {
                    SetError(error, QStringLiteral("not a number"));
                    return false;
                }
            }
    for (int c = 0; c < CubieCount; ++c)
        Cubies[c].Points = points[c];
    return true;
}
