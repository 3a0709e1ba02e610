#pragma once
// The game's settings: the one live value that the game, the renderer, the score-server client
// and the dialogs all read and edit, the table that owns every setting's key, default and
// accepted values, and the file format they are read from and written to.

#include "model/qormath.h"
#include "net/qorprotocol.h"

#include <QString>

#include <array>
#include <climits>
#include <cstdint>
#include <optional>

class QORIniFile;

inline constexpr char SettingsSection[] = "QuelmoraSettings";

// Rules for values within a setting's range.
constexpr bool DividesQuarterTurn(int degrees) {
    return degrees > 0 && 90 % degrees == 0;
}
bool IsIdleChoice(int milliseconds);

// A setting kept as an integer: its key, its default, and the values a read accepts. Anything
// else reads as the default.
struct QORIntSetting {
    const char* Key;
    int Default;
    int Min = INT_MIN;
    int Max = INT_MAX;
    bool (*Rule)(int value) = nullptr;

    bool Accepts(int value) const {
        return value >= Min && value <= Max && (!Rule || Rule(value));
    }
    int Valid(int value) const { return Accepts(value) ? value : Default; }
};

struct QORColorSetting {
    const char* Key;
    int Slot;          // in ColorTable
    uint32_t Default;  // 0x00BBGGRR
};

// A colour with a name: the settings file's, and the options dialog's.
struct QORNamedColor {
    const char* Name;    // in the settings file, any letter case
    const char* Caption; // UTF-8, as the options dialog offers it, translated in QORSettingTable
    uint32_t Value;      // 0x00BBGGRR
};

struct QORIdleChoice {
    const char* Text; // UTF-8, translated in QORSettingTable
    int Milliseconds;
};

namespace QORSettingTable {

// In the order the file is written. ColorTable slots: 0 body, 1 front, 2 back, 3 left,
// 4 right, 5 top, 6 bottom, 7 background.
inline constexpr std::array<QORColorSetting, 8> Colors = {{
    {"FrontColor", 1, DefaultColorValues[1]},
    {"BackColor", 2, DefaultColorValues[2]},
    {"LeftColor", 3, DefaultColorValues[3]},
    {"RightColor", 4, DefaultColorValues[4]},
    {"TopColor", 5, DefaultColorValues[5]},
    {"BottomColor", 6, DefaultColorValues[6]},
    {"SpaceColor", 0, DefaultColorValues[0]},
    {"BGColor", 7, DefaultColorValues[7]},
}};
// The renderer's jitter table holds one offset per pass up to the maximum.
inline constexpr QORIntSetting DrawQuality{"DrawQuality", 1, 1, 16};
inline constexpr QORIntSetting RotateSpeed{"RotateSpeed", 5, 1, 90, DividesQuarterTurn};
// A longer shuffle would keep the game busy for minutes; the score server takes no more.
inline constexpr QORIntSetting ShuffleRotateCount{"ShuffleRotateCount", 30, 1,
                                                  QORProtocol::MaxShuffles};
inline constexpr QORIntSetting PlayerIdleTimeout{"PlayerIdleTimeout", 60000, 0, INT_MAX,
                                                 IsIdleChoice};
inline constexpr QORIntSetting HostPort{"HostPort", QORProtocol::DefaultPort, 1, 65535};
inline constexpr char HostNameKey[] = "HostName";
inline constexpr char DefaultHostName[] = "localhost";
inline constexpr char UserNameKey[] = "UserName";
inline constexpr QORIntSetting ShowLogin{"ShowLogin", 1};
inline constexpr QORIntSetting UpdateTopList{"UpdateTopList", 1};
inline constexpr char PasswordKey[] = "Password";

// Plain RGB colours only: the standard sixteen and four extended ones.
inline constexpr std::array<QORNamedColor, 20> NamedColors = {{
    {"clBlack", QT_TRANSLATE_NOOP("QORSettingTable", "Чёрный"), 0x00000000},
    {"clMaroon", QT_TRANSLATE_NOOP("QORSettingTable", "Бордовый"), 0x00000080},
    {"clGreen", QT_TRANSLATE_NOOP("QORSettingTable", "Зелёный"), 0x00008000},
    {"clOlive", QT_TRANSLATE_NOOP("QORSettingTable", "Оливковый"), 0x00008080},
    {"clNavy", QT_TRANSLATE_NOOP("QORSettingTable", "Тёмно-синий"), 0x00800000},
    {"clPurple", QT_TRANSLATE_NOOP("QORSettingTable", "Пурпурный"), 0x00800080},
    {"clTeal", QT_TRANSLATE_NOOP("QORSettingTable", "Сине-зелёный"), 0x00808000},
    {"clGray", QT_TRANSLATE_NOOP("QORSettingTable", "Серый"), 0x00808080},
    {"clSilver", QT_TRANSLATE_NOOP("QORSettingTable", "Серебристый"), 0x00C0C0C0},
    {"clRed", QT_TRANSLATE_NOOP("QORSettingTable", "Красный"), 0x000000FF},
    {"clLime", QT_TRANSLATE_NOOP("QORSettingTable", "Лаймовый"), 0x0000FF00},
    {"clYellow", QT_TRANSLATE_NOOP("QORSettingTable", "Жёлтый"), 0x0000FFFF},
    {"clBlue", QT_TRANSLATE_NOOP("QORSettingTable", "Синий"), 0x00FF0000},
    {"clFuchsia", QT_TRANSLATE_NOOP("QORSettingTable", "Фуксия"), 0x00FF00FF},
    {"clAqua", QT_TRANSLATE_NOOP("QORSettingTable", "Голубой"), 0x00FFFF00},
    {"clWhite", QT_TRANSLATE_NOOP("QORSettingTable", "Белый"), 0x00FFFFFF},
    {"clMoneyGreen", QT_TRANSLATE_NOOP("QORSettingTable", "Светло-зелёный"), 0x00C0DCC0},
    {"clSkyBlue", QT_TRANSLATE_NOOP("QORSettingTable", "Небесно-голубой"), 0x00F0CAA6},
    {"clCream", QT_TRANSLATE_NOOP("QORSettingTable", "Кремовый"), 0x00F0FBFF},
    {"clMedGray", QT_TRANSLATE_NOOP("QORSettingTable", "Средне-серый"), 0x00A4A0A0},
}};

// The idle time-outs the player can choose, the first being "never".
inline constexpr std::array<QORIdleChoice, 14> IdleChoices = {{
    {QT_TRANSLATE_NOOP("QORSettingTable", "Никогда"), 0},
    {QT_TRANSLATE_NOOP("QORSettingTable", "Через 5 секунд"), 5000},
    {QT_TRANSLATE_NOOP("QORSettingTable", "Через 10 секунд"), 10000},
    {QT_TRANSLATE_NOOP("QORSettingTable", "Через 20 секунд"), 20000},
    {QT_TRANSLATE_NOOP("QORSettingTable", "Через 30 секунд"), 30000},
    {QT_TRANSLATE_NOOP("QORSettingTable", "Через 45 секунд"), 45000},
    {QT_TRANSLATE_NOOP("QORSettingTable", "Через 1 минуту"), 60000},
    {QT_TRANSLATE_NOOP("QORSettingTable", "Через 2 минуты"), 120000},
    {QT_TRANSLATE_NOOP("QORSettingTable", "Через 3 минуты"), 180000},
    {QT_TRANSLATE_NOOP("QORSettingTable", "Через 4 минуты"), 240000},
    {QT_TRANSLATE_NOOP("QORSettingTable", "Через 5 минут"), 300000},
    {QT_TRANSLATE_NOOP("QORSettingTable", "Через 10 минут"), 600000},
    {QT_TRANSLATE_NOOP("QORSettingTable", "Через 20 минут"), 1200000},
    {QT_TRANSLATE_NOOP("QORSettingTable", "Через 30 минут"), 1800000},
}};

} // namespace QORSettingTable

// Every setting of a run. Fields carry the names of the values they stand for in play:
// RotateStep is the file's RotateSpeed, ShuffleCount its ShuffleRotateCount, IdleTimeout its
// PlayerIdleTimeout.
struct QORSettings {
    std::array<RGBTriple, 8> ColorTable = DefaultColorTable();
    int DrawQuality = QORSettingTable::DrawQuality.Default;
    int RotateStep = QORSettingTable::RotateSpeed.Default;
    int ShuffleCount = QORSettingTable::ShuffleRotateCount.Default;
    int IdleTimeout = QORSettingTable::PlayerIdleTimeout.Default;
    int HostPort = QORSettingTable::HostPort.Default;
    QString HostName = QString::fromLatin1(QORSettingTable::DefaultHostName);
    QString UserName;
    QString Password;
    bool ShowLogin = true;
    bool UpdateTopList = true;
    // Whether Password is written back; set when the file held one.
    bool SavePassword = false;
};

QORSettings ReadSettings(const QORIniFile& ini);
void WriteSettings(QORIniFile& ini, const QORSettings& settings);

// Integer text: blanks, a sign, then decimal or hex after "0x" or "$"; nothing when invalid.
std::optional<int> ParseIniInt(const QString& text);
// A colour name (any letter case) or an integer; def when it is neither.
uint32_t ParseColor(const QString& text, uint32_t def);
// The colour's name when it has one, else "0x" and eight upper-case hex digits.
QString FormatColor(uint32_t value);
