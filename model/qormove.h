#pragma once
// Quarter turns of one layer, in the cube's fixed frame (+x right, +y up, +z front as the cube
// starts, whatever the view), their written names, and the faces as the player sees them.
//
// Written names: R, M and L are the layers at x = +1.6, 0 and -1.6; U, E and D at y; F, S and
// B at z. A letter alone is clockwise as seen from outside that face, M turning like L, E like
// D and S like F; a trailing apostrophe is the other sense. Names are separated by blanks.

#include "model/qormath.h"

#include <QList>
#include <QString>

#include <optional>

struct QORMove {
    int Axis = 0;  // 0 x, 1 y, 2 z
    int Layer = 0; // -1, 0 or +1: the layer at -1.6, 0 or +1.6 along the axis
    int Sense = 1; // +1: MatRotation's positive angle, clockwise seen from the axis tip

    QORMove Inverse() const { return {Axis, Layer, -Sense}; }
    bool operator==(const QORMove& o) const {
        return Axis == o.Axis && Layer == o.Layer && Sense == o.Sense;
    }
};

QString MoveName(const QORMove& move);
QString MovesText(const QList<QORMove>& moves);
// Nothing when any name is not one of the eighteen.
std::optional<QList<QORMove>> ParseMoves(const QString& text);

// A face as a signed axis: the axis its outward direction runs along, and which way.
struct QORFace {
    int Axis = 0;
    int Sign = 1;
};

// The outer layers the player calls F, U and R from a view: F faces the viewer most, U the
// screen's up most, R is to the right of both.
struct QORViewFaces {
    QORFace Front, Up, Right;
};
QORViewFaces FacesSeenFrom(const Vec3& eye, const Vec3& up);

// F, B, U, D, L, R, M, E, S, X, Y and Z, in either case.
bool IsMoveKey(QChar key);
// The turns a key of the player's notation makes from that view: F, B, U, D, L, R, M, E, S as
// one layer, X, Y, Z as all three layers about one axis; reversed makes them the other way.
// Nothing for any other letter.
std::optional<QList<QORMove>> KeyTurns(QChar key, bool reversed, const QORViewFaces& faces);
// Whether the turns turn the whole cube, which changes no sticker against another.
bool TurnsWholeCube(const QList<QORMove>& turns);
