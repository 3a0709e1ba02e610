#pragma once
// Whether a new game deals a uniformly random state instead of a number of shuffle turns. The
// choice is the player's own and is kept in the per-user state beside the window's place, never
// in the settings file, whose keys stay as they are. The window and the options dialog share
// this one value.

#include <QString>

class QORRandomStateChoice {
public:
    // Reads the kept choice from the state file at path; off when none was kept.
    explicit QORRandomStateChoice(const QString& path);

    bool On() const { return Value; }
    // Takes the choice and keeps it at once, so a crash does not lose it.
    void Set(bool on);

private:
    QString Path;
    bool Value = false;
};
