#pragma once
// The game's settings: their keys, value forms, defaults and the file they live in.

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

class QORIniFile;

inline constexpr char SettingsSection[] = "QuelmoraSettings";

// Every setting as read from or written to the file. Colours are 0x00BBGGRR values indexed
// like the cube's ColorTable: 0 body, 1 front, 2 back, 3 left, 4 right, 5 top, 6 bottom,
// 7 background.
struct QORSettings {
    std::array<uint32_t, 8> Colors = {0x00483535, 0x00FFFFFF, 0x00FF1A8C, 0x0080FF80,
                                      0x00FF8000, 0x0055FFFF, 0x005151FF, 0x00000000};
    int DrawQuality = 1;
    int RotateSpeed = 5;
    int ShuffleRotateCount = 30;
    int PlayerIdleTimeout = 60000;
    int HostPort = 8844;
    QString HostName = QStringLiteral("localhost");
    QString UserName;
    QString Password;
    bool ShowLogin = true;
    bool UpdateTopList = true;
    bool SavePassword = false;
};

QORSettings ReadSettings(const QORIniFile& ini);
void WriteSettings(QORIniFile& ini, const QORSettings& settings);

// Integer text: blanks, a sign, then decimal or hex after "0x" or "$"; nothing when invalid.
std::optional<int> ParseIniInt(const QString& text);
int ParseIniInt(const QString& text, int def);
// A colour name (any letter case) or an integer; def when it is neither.
uint32_t ParseColor(const QString& text, uint32_t def);
// The colour's name when it has one, else "0x" and eight upper-case hex digits.
QString FormatColor(uint32_t value);

// Where the settings are read and written.
struct QORSettingsLocation {
    QString ReadPath;
    QString WritePath;
};
// The executable's path with the file name's extension replaced by ".ini".
QString IniPathForExecutable(const QString& exePath);
// The per-user file, used when the folder beside the executable cannot be written.
QString UserIniPath();
// Beside the executable when its folder is writable, else the per-user file. The file beside
// the executable is read when it exists and is the one written, or while no per-user file
// exists; otherwise the per-user file is read.
QORSettingsLocation SettingsLocation(const QString& exePath);
QORSettingsLocation SettingsLocation(const QString& exePath, const QString& userIniPath);

// The text shown when the settings cannot be saved to path.
QString WriteFailedMessage(const QString& path);
