#include "model/qorsavefile.h"

#include "model/qorbigcube.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>

#include <array>
#include <cmath>
#include <cstring>
#include <optional>
#include <utility>

namespace {

void SetError(QString* error, const QString& text) {
    if (error)
        *error = text;
}

using CubePoints = std::array<std::array<Vec3, QORSmallCube::PointCount>, QORBigCube::CubieCount>;

// Saves of older builds, whose turns were many small rotations, carry rounding error in their
// points; thousands of such turns stay well within this.
constexpr float Drift = 1e-3f;

// The whole number of steps v lies from zero, when that is -1, 0 or 1 within the tolerance.
std::optional<int> GridStep(float v, float step, float tolerance) {
    const float n = std::round(v / step);
    if (std::abs(n) > 1 || std::abs(v - n * step) > tolerance)
        return std::nullopt;
    return int(n);
}

// A cube that turns can have made: every centre on its own place of the 3×3×3 grid, and every
// face of a cubie pointing along an axis at the cubie's half-width. Anything else would be drawn
// as nonsense and could count as solved.
bool FormsCube(const CubePoints& points) {
    std::array<bool, QORBigCube::CubieCount> taken{};
    for (const auto& cubiePoints : points) {
        QORSmallCube cubie;
        cubie.Points = cubiePoints;
        const Vec3& c = cubie.Points[0];
        int place = 0;
        for (float v : {c.x, c.y, c.z}) {
            const std::optional<int> n = GridStep(v, QORBigCube::Spacing, Drift);
            if (!n)
                return false;
            place = 3 * place + *n + 1;
        }
        if (std::exchange(taken[place], true))
            return false;
        for (int face = 1; face <= 6; ++face) {
            const Vec3 f = cubie.FaceCentre(face);
            int along = 0;
            for (float v : {f.x - c.x, f.y - c.y, f.z - c.z}) {
                // A unit direction, within the drift, once divided by the half-width.
                const float half = QORBigCube::CubieSize + QORBigCube::CubieBevel;
                const std::optional<int> n = GridStep(v, half, Drift * half);
                if (!n)
                    return false;
                along += std::abs(*n);
            }
            if (along != 1)
                return false;
        }
    }
    return true;
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
    const QFileInfo info(fileName);
    if (info.isDir() || !file.open(QIODevice::ReadOnly)) {
        SetError(error,
                 !info.exists() ? QCoreApplication::translate("QORBigCube", "такого файла нет")
                 : info.isDir() ? QCoreApplication::translate("QORBigCube", "это папка, а не файл")
                                : QCoreApplication::translate(
                                      "QORBigCube", "файл не читается, проверьте права на него"));
        return false;
    }
    // One byte more than a game file tells a longer file without reading all of it.
    const QByteArray bytes = file.read(GameFileSize + 1);
    if (bytes.size() != GameFileSize) {
        SetError(error, QCoreApplication::translate(
                            "QORBigCube", "это не сохранённая игра: в сохранённой игре ровно %1 "
                                          "байт, а в этом файле %2")
                            .arg(GameFileSize)
                            .arg(file.size()));
        return false;
    }
    CubePoints points;
    const char* in = bytes.constData();
    for (auto& cubie : points)
        for (Vec3& p : cubie)
            for (float* v : {&p.x, &p.y, &p.z}) {
                const uint32_t bits = qFromLittleEndian<uint32_t>(in);
                std::memcpy(v, &bits, 4);
                in += 4;
                if (!std::isfinite(*v)) {
                    SetError(error, QCoreApplication::translate(
                                        "QORBigCube", "это не сохранённая игра: в ней есть "
                                                      "значения, которые не являются числами"));
                    return false;
                }
            }
    if (!FormsCube(points)) {
        SetError(error, QCoreApplication::translate(
                            "QORBigCube", "это не сохранённая игра: кубики в ней не складываются "
                                          "в куб 3×3×3"));
        return false;
    }
    for (int c = 0; c < CubieCount; ++c)
        Cubies[c].Points = points[c];
    return true;
}
