#pragma once
// What an installed copy of the game finds beside itself: the install tree's help page. A
// copy run from its build tree has none, and keeps its settings file beside it.

#include <QString>

// The installed help page of that name for the executable at exePath, or empty when the
// executable is not part of an install tree or the tree has no such page.
QString InstalledHelpPage(const QString& exePath,
                          const QString& name = QStringLiteral("readme.htm"));
