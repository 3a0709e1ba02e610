#pragma once
// Small helpers shared by the test files.

#include "model/qorbigcube.h"
#include "history/qorhistory.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>

// Failures show texts as text.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

// Unit outward direction of each face 1..6 as built: +z, -z, -x, +x, +y, -y.
inline const Vec3 FaceOut[7] = {{},        {0, 0, 1}, {0, 0, -1}, {-1, 0, 0},
                                {1, 0, 0}, {0, 1, 0}, {0, -1, 0}};

inline float Dot(const Vec3& a, const Vec3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

inline bool operator==(const RGBTriple& a, const RGBTriple& b) {
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

inline void ExpectVec(const Vec3& v, float x, float y, float z, float eps = 1e-5f) {
    EXPECT_NEAR(v.x, x, eps);
    EXPECT_NEAR(v.y, y, eps);
    EXPECT_NEAR(v.z, z, eps);
}

// Bit for bit: the puzzle is only its points.
inline bool SamePoints(const QORSmallCube& a, const QORSmallCube& b) {
    return std::memcmp(&a.Points, &b.Points, sizeof(a.Points)) == 0;
}
inline bool SamePoints(const QORBigCube& a, const QORBigCube& b) {
    for (int k = 0; k < QORBigCube::CubieCount; ++k)
        if (!SamePoints(a.Cubies[k], b.Cubies[k]))
            return false;
    return true;
}

inline QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A solve of two moves, finished at a fixed moment an hour east of UTC.
inline QORSolve MadeSolve(double seconds, int shuffles, const QString& scramble = "U R'",
                          const QString& solution = "R U'") {
    QORSolve s;
    s.FinishedAt = QDateTime(QDate(2026, 12, 7), QTime(10, 30, 15, 250), QTimeZone(3600));
    s.Seconds = seconds;
    s.ClockSeconds = int(seconds);
    s.Shuffles = shuffles;
    s.Moves = 2;
    s.Scramble = scramble;
    s.Solution = solution;
    return s;
}
