#include "render/qorcubedraw.h"

#include <GL/gl.h>

namespace {

struct Chamfer {
    int count;
    int points[6];
};

// Eight corner hexagons, then twelve edge rectangles, in drawing order.
constexpr Chamfer Chamfers[20] = {
    {6, {2, 1, 20, 19, 40, 39}},   {6, {4, 3, 38, 37, 27, 28}},   {6, {6, 5, 29, 30, 45, 46}},
    {6, {8, 7, 47, 48, 22, 21}},   {6, {9, 10, 34, 33, 18, 17}},  {6, {12, 11, 35, 36, 26, 25}},
    {6, {16, 15, 42, 41, 23, 24}}, {6, {13, 14, 43, 44, 31, 32}}, {4, {39, 2, 3, 38}},
    {4, {47, 7, 6, 46}},           {4, {4, 28, 29, 5}},           {4, {1, 20, 21, 8}},
    {4, {34, 10, 11, 35}},         {4, {42, 15, 14, 43}},         {4, {12, 25, 32, 13}},
    {4, {9, 17, 24, 16}},          {4, {19, 40, 33, 18}},         {4, {27, 37, 36, 26}},
    {4, {22, 48, 41, 23}},         {4, {30, 45, 44, 31}},
};

void Normal(const Vec3& n) {
    glNormal3f(n.x, n.y, n.z);
}
void Vertex(const Vec3& p) {
    glVertex3f(p.x, p.y, p.z);
}

} // namespace

void Draw(const QORSmallCube& cubie, bool withNames) {
    const auto& points = cubie.Points;
    for (int f = 1; f <= 6; ++f) {
        const RGBTriple& c = cubie.Colors[f];
        glColor3ub(c.r, c.g, c.b);
        const int first = 8 * f - 7;
        const Vec3 n = TriangleNormal(points[first], points[first + 1], points[first + 2]);
        Normal(n);
        if (withNames)
            glLoadName(cubie.Name + 10 * f + 1);
        glBegin(GL_TRIANGLE_FAN);
        for (int p = first; p < first + 8; ++p) {
            Normal(n);
            Vertex(points[p]);
        }
        glEnd();
    }
    if (withNames)
        glLoadName(cubie.Name);
    glColor3ub(cubie.Colors[0].r, cubie.Colors[0].g, cubie.Colors[0].b);
    for (const Chamfer& ch : Chamfers) {
        if (withNames)
            glLoadName(cubie.Name);
        Normal(TriangleNormal(points[ch.points[0]], points[ch.points[1]], points[ch.points[2]]));
        glBegin(GL_POLYGON);
        for (int i = 0; i < ch.count; ++i)
            Vertex(points[ch.points[i]]);
        glEnd();
    }
}

QORSmallCube Posed(const QORSmallCube& cubie, int index, const QORTurnPose* pose) {
    if (!pose || !pose->Turning[std::size_t(index)])
        return cubie;
    Mat3 r;
    MatRotation(r, {float(pose->Axis == 0), float(pose->Axis == 1), float(pose->Axis == 2)},
                pose->Degrees);
    QORSmallCube turned = cubie;
    for (Vec3& p : turned.Points)
        MatVec(p, r, p);
    return turned;
}

void DrawAll(const QORBigCube& cube, bool withNames, const QORTurnPose* pose) {
    for (int i = 0; i < QORBigCube::CubieCount; ++i)
        Draw(Posed(cube.Cubies[std::size_t(i)], i, pose), withNames);
}

std::optional<QORHit> NearestHit(int hitCount, const uint32_t* buffer, int bufferSize) {
    int best = -1;
    uint32_t bestDepth = 0;
    for (int h = 0, at = 0; h < hitCount && at + 3 <= bufferSize; ++h) {
        const uint32_t names = buffer[at];
        if (names > uint32_t(bufferSize - at - 3))
            break;
        if (names > 0 && (best < 0 || buffer[at + 1] < bestDepth)) {
            best = at;
            bestDepth = buffer[at + 1];
        }
        at += 3 + int(names);
    }
    if (best < 0)
        return std::nullopt;
    const uint32_t name = buffer[best + 3 + int(buffer[best]) - 1];
    const uint32_t q = name / 100, f = (name % 100) / 10, u = name % 10;
    // Chamfers carry face 0 and are never picked.
    if (q < 1 || q > 27 || f < 1 || f > 6 || u < 1)
        return std::nullopt;
    return QORHit{int(q) - 1, int(f)};
}
