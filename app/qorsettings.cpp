#include "app/qorsettings.h"

#include "app/qorinifile.h"
#include "app/qoroptions.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <limits>

namespace {

struct NamedColor {
    const char* Name;
    uint32_t Value;
};

constexpr NamedColor ColorNames[] = {
    {"clBlack", 0x00000000}, {"clMaroon", 0x00000080},     {"clGreen", 0x00008000},
    {"clOlive", 0x00008080}, {"clNavy", 0x00800000},       {"clPurple", 0x00800080},
    {"clTeal", 0x00808000},  {"clGray", 0x00808080},       {"clSilver", 0x00C0C0C0},
    {"clRed", 0x000000FF},   {"clLime", 0x0000FF00},       {"clYellow", 0x0000FFFF},
    {"clBlue", 0x00FF0000},  {"clFuchsia", 0x00FF00FF},    {"clAqua", 0x00FFFF00},
    {"clWhite", 0x00FFFFFF}, {"clMoneyGreen", 0x00C0DCC0}, {"clSkyBlue", 0x00F0CAA6},
    {"clCream", 0x00F0FBFF}, {"clMedGray", 0x00A4A0A0},
};

// Keys of the colours in the order they are read and written, with their ColorTable slot.
struct ColorKey {
    const char* Key;
    int Slot;
};
constexpr ColorKey ColorKeys[] = {{"FrontColor", 1}, {"BackColor", 2}, {"LeftColor", 3},
                                  {"RightColor", 4}, {"TopColor", 5},  {"BottomColor", 6},
                                  {"SpaceColor", 0}, {"BGColor", 7}};

QString Key(const char* key) {
    return QString::fromLatin1(key);
}
QString Section() {
    return QString::fromLatin1(SettingsSection);
}

int ReadInt(const QORIniFile& ini, const char* key, int def) {
    return ParseIniInt(ini.ReadString(Section(), Key(key), QString()), def);
}

void WriteInt(QORIniFile& ini, const char* key, int value) {
    ini.WriteString(Section(), Key(key), QString::number(value));
}

bool DividesQuarterTurn(int step) {
    return step > 0 && 90 % step == 0;
}

} // namespace

std::optional<int> ParseIniInt(const QString& text) {
    int i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        negative = text[i++] == QLatin1Char('-');
    int base = 10;
    if (text.mid(i, 2).compare(QLatin1String("0x"), Qt::CaseInsensitive) == 0) {
        base = 16;
        i += 2;
    } else if (i < text.size() && text[i] == QLatin1Char('$')) {
        base = 16;
        i += 1;
    }
    const QString digits = text.mid(i);
    if (digits.isEmpty())
        return std::nullopt;
    // QString's own parser would take blanks, a second sign or non-ASCII digits.
    for (QChar c : digits) {
        const char a = c.toLatin1();
        const bool hex = (a >= 'a' && a <= 'f') || (a >= 'A' && a <= 'F');
        if (!((a >= '0' && a <= '9') || (base == 16 && hex)))
            return std::nullopt;
    }
    bool ok = false;
    const qulonglong magnitude = digits.toULongLong(&ok, base);
    if (!ok)
        return std::nullopt;
    if (base == 16) {
        // Hexadecimal is a 32-bit pattern: 0xFFFFFFFF is -1, and a sign wraps the same way.
        if (magnitude > 0xFFFFFFFFull)
            return std::nullopt;
        const uint32_t bits = negative ? 0u - uint32_t(magnitude) : uint32_t(magnitude);
        return int32_t(bits);
    }
    const qulonglong limit = qulonglong(std::numeric_limits<int>::max()) + (negative ? 1 : 0);
    if (magnitude > limit)
        return std::nullopt;
    return int(negative ? -qint64(magnitude) : qint64(magnitude));
}

int ParseIniInt(const QString& text, int def) {
    return ParseIniInt(text).value_or(def);
}

uint32_t ParseColor(const QString& text, uint32_t def) {
    for (const NamedColor& c : ColorNames)
        if (text.trimmed().compare(QLatin1String(c.Name), Qt::CaseInsensitive) == 0)
            return c.Value;
    const std::optional<int> value = ParseIniInt(text);
    return value ? uint32_t(*value) & 0x00FFFFFF : def;
}

QString FormatColor(uint32_t value) {
    for (const NamedColor& c : ColorNames)
        if (c.Value == value)
            return QString::fromLatin1(c.Name);
    return QStringLiteral("0x") +
           QStringLiteral("%1").arg(value, 8, 16, QLatin1Char('0')).toUpper();
}

QORSettings ReadSettings(const QORIniFile& ini) {
    QORSettings s;
    for (const ColorKey& c : ColorKeys) {
        const QString text = ini.ReadString(Section(), Key(c.Key), FormatColor(s.Colors[c.Slot]));
        s.Colors[c.Slot] = ParseColor(text, s.Colors[c.Slot]);
    }
    s.DrawQuality = ReadInt(ini, "DrawQuality", 1);
    if (s.DrawQuality < 1 || s.DrawQuality > 16)
        s.DrawQuality = 1;
    s.RotateSpeed = ReadInt(ini, "RotateSpeed", 5);
    if (!DividesQuarterTurn(s.RotateSpeed))
        s.RotateSpeed = 5;
    s.ShuffleRotateCount = ReadInt(ini, "ShuffleRotateCount", 30);
    s.PlayerIdleTimeout = IdleTimeoutOrDefault(ReadInt(ini, "PlayerIdleTimeout", 60000));
    s.HostPort = ReadInt(ini, "HostPort", 8844);
    s.HostName = ini.ReadString(Section(), Key("HostName"), s.HostName);
    s.UserName = ini.ReadString(Section(), Key("UserName"), QString());
    s.Password = ini.ReadString(Section(), Key("Password"), QString());
    s.SavePassword = !s.Password.isEmpty();
    s.ShowLogin = ReadInt(ini, "ShowLogin", 1) != 0;
    s.UpdateTopList = ReadInt(ini, "UpdateTopList", 1) != 0;
    return s;
}

void WriteSettings(QORIniFile& ini, const QORSettings& s) {
    for (const ColorKey& c : ColorKeys)
        ini.WriteString(Section(), Key(c.Key), FormatColor(s.Colors[c.Slot] & 0x00FFFFFF));
    WriteInt(ini, "DrawQuality", s.DrawQuality);
    WriteInt(ini, "RotateSpeed", s.RotateSpeed);
    WriteInt(ini, "ShuffleRotateCount", s.ShuffleRotateCount);
    WriteInt(ini, "PlayerIdleTimeout", s.PlayerIdleTimeout);
    WriteInt(ini, "HostPort", s.HostPort);
    ini.WriteString(Section(), Key("HostName"), s.HostName);
    ini.WriteString(Section(), Key("UserName"), s.UserName);
    WriteInt(ini, "ShowLogin", s.ShowLogin ? 1 : 0);
    WriteInt(ini, "UpdateTopList", s.UpdateTopList ? 1 : 0);
    ini.WriteString(Section(), Key("Password"), s.SavePassword ? s.Password : QString());
}

QString IniPathForExecutable(const QString& exePath) {
    const QFileInfo info(exePath);
    QString name = info.fileName();
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0)
        name.truncate(dot);
    return info.dir().filePath(name + QStringLiteral(".ini"));
}

QString UserIniPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/quelmora/quelmora.ini");
}

QORSettingsLocation SettingsLocation(const QString& exePath) {
    return SettingsLocation(exePath, UserIniPath());
}

QORSettingsLocation SettingsLocation(const QString& exePath, const QString& userIniPath) {
    const QString beside = IniPathForExecutable(exePath);
    const QFileInfo folder(QFileInfo(beside).absolutePath());
    const bool besideWritable = folder.isDir() && folder.isWritable();
    const bool besideExists = QFileInfo(beside).isFile();
    QORSettingsLocation where;
    where.WritePath = besideWritable ? beside : userIniPath;
    // An installed copy keeps the player's own changes; a tree build's own file wins.
    const bool readBeside = besideExists && (besideWritable || !QFileInfo::exists(userIniPath));
    where.ReadPath = readBeside ? beside : userIniPath;
    return where;
}

QString WriteFailedMessage(const QString& path) {
    return QStringLiteral("Unable to write to %1.").arg(path);
}
