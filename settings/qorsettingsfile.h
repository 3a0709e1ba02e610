#pragma once
// Where the settings file lies, read once at start and written once at exit. A file that exists
// but cannot be read is never written over: that would replace the player's sections and
// comments with defaults.

#include "settings/qorsettings.h"

#include <QString>

class QORSettingsFile {
public:
    // Beside the executable when its folder is writable and it is not an installed copy, else
    // the per-user file. The file beside
    // the executable is read when it is also the one written, or while no per-user file exists;
    // otherwise the per-user file is read.
    explicit QORSettingsFile(const QString& exePath, const QString& userIniPath = UserIniPath());

    // The settings, or the defaults with the reason in error when the file cannot be read.
    QORSettings Read(QString* error = nullptr);
    // Writes every setting and keeps the file's other lines. Refuses, with the reason, when the
    // file could not be read or the new one cannot be written.
    bool Write(const QORSettings& settings, QString* error = nullptr);

    bool ReadFailed() const { return Unreadable; }
    QString ReadPath() const { return Read_; }
    QString WritePath() const { return Write_; }

    // The executable's path with the file name's extension replaced by ".ini".
    static QString IniPathForExecutable(const QString& exePath);
    // quelmora/quelmora.ini in the per-user configuration folder.
    static QString UserIniPath();

private:
    QString Read_;
    QString Write_;
    bool Unreadable = false;
};
