// Turns in the player's notation: names, the faces a view shows, and key sequences checked
// against an independent model of the cube.
#include "model/qormove.h"

#include "support/facelets.h"
#include "support/framecounter.h"
#include "support/testutil.h"

#include <gtest/gtest.h>

TEST(Move, everyQuarterTurnHasOneNameAndReadsBackAsItself) {
    QStringList names;
    for (int axis = 0; axis < 3; ++axis)
        for (int layer = -1; layer <= 1; ++layer)
            for (int sense : {-1, 1}) {
                const QORMove move{axis, layer, sense};
                names << MoveName(move);
                EXPECT_EQ(ParseMoves(names.last()), QList<QORMove>{move});
            }
    EXPECT_EQ(names.join(' '), "L L' M M' R' R D D' E E' U' U B B' S' S F' F");
    EXPECT_FALSE(ParseMoves("R Q"));
    EXPECT_FALSE(ParseMoves("R''"));
    EXPECT_EQ(ParseMoves("  R  U' ")->size(), 2);
}

TEST(Move, theFacesFollowTheViewAndAlwaysMakeAProperFrame) {
    // Eye and up of the view, then the signed axes of F, U and R seen from it.
    const std::tuple<Vec3, Vec3, std::vector<int>> cases[] = {
        {{0, 0, 20}, {0, 1, 0}, {2, 1, 1, 1, 0, 1}},
        {{-20, 0, 0}, {0, 1, 0}, {0, -1, 1, 1, 2, 1}},
        {{0, 19, 6}, {0, 0.3f, -0.95f}, {1, 1, 2, -1, 0, 1}},
        {{3, -4, -19}, {0, -1, 0.2f}, {2, -1, 1, -1, 0, 1}},
        {{12, 12, 1}, {-0.7f, 0.7f, 0}, {0, 1, 1, 1, 2, -1}}};
    for (const auto& [eye, up, axes] : cases) {
        const QORViewFaces v = FacesSeenFrom(eye, up);
        EXPECT_EQ(std::vector<int>({v.Front.Axis, v.Front.Sign, v.Up.Axis, v.Up.Sign, v.Right.Axis,
                                    v.Right.Sign}),
                  axes)
            << eye.x << " " << eye.y << " " << eye.z;
    }
}

TEST(Move, keySequencesTurnTheCubeAsAnIndependentModelDoes) {
    // Keys from the starting view, whose faces are the cube's own frame.
    const QORViewFaces start = FacesSeenFrom({0, 0, 20}, {0, 1, 0});
    const char* sequences[] = {"R U R' U'", "U R U' R'", "M E S",   "X Y Z",
                               "Z' Y' X'",  "S' E' M'",  "B D L F", "F' L' D' B'"};
    CountedGame g;
    Facelets model;
    for (const char* sequence : sequences) {
        for (const QString& key : QString(sequence).split(' ')) {
            const auto turns = KeyTurns(key[0], key.endsWith('\''), start);
            ASSERT_TRUE(turns && g.game.PlayerTurns(*turns)) << key.toStdString();
        }
        model.Apply(sequence);
        EXPECT_EQ(Facelets::Of(g.game.Cube), model.Now) << sequence;
    }
    EXPECT_EQ(Facelets::Of(g.game.Cube), Facelets().Now) << "each sequence was turned back";
}
