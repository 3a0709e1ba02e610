#include "model/qormove.h"

#include <QStringList>

#include <cmath>

namespace {

// Letters by axis and layer (-1, 0, +1), and the sense each letter alone turns in.
constexpr char Letters[3][3] = {{'L', 'M', 'R'}, {'D', 'E', 'U'}, {'B', 'S', 'F'}};
constexpr int LetterSense[3][3] = {{-1, -1, +1}, {-1, -1, +1}, {-1, +1, +1}};

float Along(const Vec3& v, int axis) {
    return axis == 0 ? v.x : axis == 1 ? v.y : v.z;
}

// The cube axis nearest to v, leaving out one axis.
QORFace Nearest(const Vec3& v, int except = -1) {
    QORFace best{-1, 1};
    for (int axis = 0; axis < 3; ++axis)
        if (axis != except && (best.Axis < 0 || std::fabs(Along(v, axis)) >
                                                    std::fabs(Along(v, best.Axis))))
            best = {axis, Along(v, axis) < 0 ? -1 : 1};
    return best;
}

QORMove Outer(const QORFace& face, int sense) {
    return {face.Axis, face.Sign, face.Sign * sense};
}

} // namespace

QString MoveName(const QORMove& m) {
    const QChar letter = QLatin1Char(Letters[m.Axis][m.Layer + 1]);
    return m.Sense == LetterSense[m.Axis][m.Layer + 1] ? QString(letter)
                                                        : letter + QStringLiteral("'");
}

QString MovesText(const QList<QORMove>& moves) {
    QStringList names;
    for (const QORMove& m : moves)
        names << MoveName(m);
    return names.join(QLatin1Char(' '));
}

std::optional<QList<QORMove>> ParseMoves(const QString& text) {
    QList<QORMove> moves;
    for (const QString& name : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const bool reversed = name.size() == 2 && name[1] == QLatin1Char('\'');
        if (name.size() != (reversed ? 2 : 1))
            return std::nullopt;
        bool known = false;
        for (int axis = 0; axis < 3 && !known; ++axis)
            for (int layer = -1; layer <= 1 && !known; ++layer)
                if (name[0] == QLatin1Char(Letters[axis][layer + 1])) {
                    const int sense = LetterSense[axis][layer + 1];
                    moves << QORMove{axis, layer, reversed ? -sense : sense};
                    known = true;
                }
        if (!known)
            return std::nullopt;
    }
    return moves;
}

QORViewFaces FacesSeenFrom(const Vec3& eye, const Vec3& up) {
    QORViewFaces faces;
    faces.Front = Nearest(eye);
    faces.Up = Nearest(up, faces.Front.Axis);
    // Right is up crossed with towards the viewer, so the three always make a proper frame.
    const int axis = 3 - faces.Front.Axis - faces.Up.Axis;
    const int even = (faces.Up.Axis + 1) % 3 == faces.Front.Axis ? 1 : -1;
    faces.Right = {axis, even * faces.Up.Sign * faces.Front.Sign};
    return faces;
}

bool IsMoveKey(QChar key) {
    return QStringLiteral("FBUDLRMESXYZ").contains(key.toUpper());
}

std::optional<QList<QORMove>> KeyTurns(QChar key, bool reversed, const QORViewFaces& faces) {
    const int sense = reversed ? -1 : 1;
    const QORFace& f = faces.Front;
    const QORFace& u = faces.Up;
    const QORFace& r = faces.Right;
    auto opposite = [](const QORFace& face) { return QORFace{face.Axis, -face.Sign}; };
    auto slice = [sense](const QORFace& like) {
        return QORMove{like.Axis, 0, like.Sign * sense};
    };
    auto whole = [sense](const QORFace& like) {
        QList<QORMove> turns;
        for (int layer = -1; layer <= 1; ++layer)
            turns << QORMove{like.Axis, layer, like.Sign * sense};
        return turns;
    };
    switch (key.toUpper().toLatin1()) {
    case 'F': return QList<QORMove>{Outer(f, sense)};
    case 'B': return QList<QORMove>{Outer(opposite(f), sense)};
    case 'U': return QList<QORMove>{Outer(u, sense)};
    case 'D': return QList<QORMove>{Outer(opposite(u), sense)};
    case 'R': return QList<QORMove>{Outer(r, sense)};
    case 'L': return QList<QORMove>{Outer(opposite(r), sense)};
    case 'M': return QList<QORMove>{slice(opposite(r))};
    case 'E': return QList<QORMove>{slice(opposite(u))};
    case 'S': return QList<QORMove>{slice(f)};
    case 'X': return whole(r);
    case 'Y': return whole(u);
    case 'Z': return whole(f);
    default: return std::nullopt;
    }
}

bool TurnsWholeCube(const QList<QORMove>& turns) {
    return turns.size() == 3 && turns[0].Axis == turns[1].Axis && turns[1].Axis == turns[2].Axis &&
           turns[0].Sense == turns[1].Sense && turns[1].Sense == turns[2].Sense &&
           turns[0].Layer + turns[1].Layer + turns[2].Layer == 0 &&
           turns[0].Layer != turns[1].Layer && turns[1].Layer != turns[2].Layer;
}
