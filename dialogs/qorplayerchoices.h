#pragma once
// The player's own choices that the settings file has no key for: how a new game is dealt and
// timed, and how the stickers are drawn. They are kept in the per-user state beside the
// window's place, never in the settings file, whose keys stay as they are. The window, its
// controllers and the options dialog share this one value.

#include <QString>

class QORPlayerChoices {
public:
    enum Choice {
        // A new game deals a uniformly random state instead of a number of shuffle turns.
        RandomState,
        // A new game begins with the competition's 15 seconds of inspection.
        Inspection,
        // Every sticker carries its face's symbol as well as its colour.
        StickerSymbols,
    };

    // Reads the kept choices from the state file at path; each is off when none was kept.
    explicit QORPlayerChoices(const QString& path);

    bool On(Choice choice) const { return Values[choice]; }
    // Takes the choice and keeps it at once, so a crash does not lose it.
    void Set(Choice choice, bool on);

private:
    static constexpr int Count = StickerSymbols + 1;
    QString Path;
    bool Values[Count] = {};
};
