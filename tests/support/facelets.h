#pragma once
// An independent model of the cube for checking the game's turns: 54 stickers as whole-number
// places and outward directions, turned by what cubers know of each face's turn (R carries the
// front's right column up, U the front's top row to the left, F the top's bottom row to the
// right), not by the game's rotation maths.

#include "model/qorbigcube.h"

#include <QString>

#include <array>
#include <functional>
#include <map>

struct Facelets {
    using Vec = std::array<int, 3>;
    // Place and outward direction of a sticker, and the face (1..6 as the game numbers faces:
    // front, back, left, right, top, bottom) it began on.
    using Stickers = std::map<std::pair<Vec, Vec>, int>;
    Stickers Now = Of([] {
        QORBigCube cube;
        cube.Reset();
        return cube;
    }());

    // Letters of the cube's own frame, as the game writes them, "'" for the other sense.
    void Apply(const QString& moves) {
        const auto r = [](const Vec& v) { return Vec{v[0], v[2], -v[1]}; };
        const auto u = [](const Vec& v) { return Vec{-v[2], v[1], v[0]}; };
        const auto f = [](const Vec& v) { return Vec{v[1], -v[0], v[2]}; };
        // Letter, axis, layers, the clockwise map, and how many times: the opposite face and
        // the slice that turns like it are three of the face's quarters.
        const std::tuple<char, int, std::vector<int>, std::function<Vec(const Vec&)>, int> turns[] =
            {{'R', 0, {1}, r, 1},        {'L', 0, {-1}, r, 3},       {'M', 0, {0}, r, 3},
             {'X', 0, {-1, 0, 1}, r, 1}, {'U', 1, {1}, u, 1},        {'D', 1, {-1}, u, 3},
             {'E', 1, {0}, u, 3},        {'Y', 1, {-1, 0, 1}, u, 1}, {'F', 2, {1}, f, 1},
             {'B', 2, {-1}, f, 3},       {'S', 2, {0}, f, 1},        {'Z', 2, {-1, 0, 1}, f, 1}};
        for (const QString& m : moves.split(' ', Qt::SkipEmptyParts))
            for (const auto& [letter, axis, layers, map, times] : turns)
                for (int t = 0; letter == m[0] && t < times * (m.endsWith('\'') ? 3 : 1); ++t) {
                    Stickers turned;
                    for (const auto& [at, face] : Now) {
                        const bool in =
                            std::count(layers.begin(), layers.end(), at.first[size_t(axis)]);
                        turned[in ? std::pair(map(at.first), map(at.second)) : at] = face;
                    }
                    Now = turned;
                }
    }

    // The stickers read off the game's cube.
    static Stickers Of(const QORBigCube& cube) {
        Stickers stickers;
        auto round = [](float v, float unit) { return int(std::lround(v / unit)); };
        for (const QORSmallCube& c : cube.Cubies)
            for (int side = 0; side < 6; ++side)
                if (c.Outer[side]) {
                    const int face = QORSmallCube::FaceOfSide[side];
                    const Vec3 o = c.Points[0], fc = c.FaceCentre(face);
                    stickers[{{round(o.x, 1.6f), round(o.y, 1.6f), round(o.z, 1.6f)},
                              {round(fc.x - o.x, 0.8f), round(fc.y - o.y, 0.8f),
                               round(fc.z - o.z, 0.8f)}}] = face;
                }
        return stickers;
    }
};
