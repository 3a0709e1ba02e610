#pragma once
// The program's name, version and the maker's addresses, in one place, and the captions the
// main window and the about box build from them.

#include <QFileInfo>
#include <QString>

inline constexpr char ProgramTitle[] = "Quelmora";
inline constexpr char ProgramVersion[] = "1.10";
// Placeholders shown as the maker's addresses; no one answers there yet, so what they name
// opens the help page instead.
inline constexpr char ProgramWebAddress[] = "https://quelmora.example.org/";
inline constexpr char ProgramMailAddress[] = "quelmora@example.org";

// The program's title and version: the main window's caption at start.
inline QString ProgramCaption() {
    return QStringLiteral("%1 %2").arg(QLatin1String(ProgramTitle), QLatin1String(ProgramVersion));
}

// The caption once a game file has been opened or saved: " >>> " and the file's name.
inline QString CaptionWithFile(const QString& gameFile) {
    return ProgramCaption() + QStringLiteral(" >>> ") + QFileInfo(gameFile).fileName();
}
