#include "settings/qorsettings.h"

#include "settings/qorinifile.h"

#include <algorithm>
#include <limits>

namespace {

QString Key(const char* key) {
    return QString::fromLatin1(key);
}
QString Section() {
    return QString::fromLatin1(SettingsSection);
}

int Read(const QORIniFile& ini, const QORIntSetting& setting) {
    const QString text = ini.ReadString(Section(), Key(setting.Key), QString());
    return setting.Valid(ParseIniInt(text).value_or(setting.Default));
}

void Write(QORIniFile& ini, const char* key, int value) {
    ini.WriteString(Section(), Key(key), QString::number(value));
}

} // namespace

bool IsIdleChoice(int milliseconds) {
    const auto& list = QORSettingTable::IdleChoices;
    return std::any_of(list.begin(), list.end(),
                       [&](const QORIdleChoice& c) { return c.Milliseconds == milliseconds; });
}


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

uint32_t ParseColor(const QString& text, uint32_t def) {
    for (const QORNamedColor& c : QORSettingTable::NamedColors)
        if (text.trimmed().compare(QLatin1String(c.Name), Qt::CaseInsensitive) == 0)
            return c.Value;
    const std::optional<int> value = ParseIniInt(text);
    return value ? uint32_t(*value) & 0x00FFFFFF : def;
}

QString FormatColor(uint32_t value) {
    for (const QORNamedColor& c : QORSettingTable::NamedColors)
        if (c.Value == value)
            return QString::fromLatin1(c.Name);
    return QStringLiteral("0x") +
           QStringLiteral("%1").arg(value, 8, 16, QLatin1Char('0')).toUpper();
}

QORSettings ReadSettings(const QORIniFile& ini) {
    namespace T = QORSettingTable;
    QORSettings s;
    for (const QORColorSetting& c : T::Colors) {
        const QString text = ini.ReadString(Section(), Key(c.Key), FormatColor(c.Default));
        s.ColorTable[std::size_t(c.Slot)] = RGBFromColorValue(ParseColor(text, c.Default));
    }
    s.DrawQuality = Read(ini, T::DrawQuality);
    s.RotateStep = Read(ini, T::RotateSpeed);
    s.ShuffleCount = Read(ini, T::ShuffleRotateCount);
    s.IdleTimeout = Read(ini, T::PlayerIdleTimeout);
    s.HostPort = Read(ini, T::HostPort);
    s.HostName = ini.ReadString(Section(), Key(T::HostNameKey), s.HostName);
    s.UserName = ini.ReadString(Section(), Key(T::UserNameKey), QString());
    s.Password = ini.ReadString(Section(), Key(T::PasswordKey), QString());
    s.SavePassword = !s.Password.isEmpty();
    s.ShowLogin = Read(ini, T::ShowLogin) != 0;
    s.UpdateTopList = Read(ini, T::UpdateTopList) != 0;
    return s;
}

void WriteSettings(QORIniFile& ini, const QORSettings& s) {
    namespace T = QORSettingTable;
    for (const QORColorSetting& c : T::Colors)
        ini.WriteString(Section(), Key(c.Key),
                        FormatColor(ColorValueFromRGB(s.ColorTable[std::size_t(c.Slot)])));
    Write(ini, T::DrawQuality.Key, s.DrawQuality);
    Write(ini, T::RotateSpeed.Key, s.RotateStep);
    Write(ini, T::ShuffleRotateCount.Key, s.ShuffleCount);
    Write(ini, T::PlayerIdleTimeout.Key, s.IdleTimeout);
    Write(ini, T::HostPort.Key, s.HostPort);
    ini.WriteString(Section(), Key(T::HostNameKey), s.HostName);
    ini.WriteString(Section(), Key(T::UserNameKey), s.UserName);
    Write(ini, T::ShowLogin.Key, s.ShowLogin ? 1 : 0);
    Write(ini, T::UpdateTopList.Key, s.UpdateTopList ? 1 : 0);
    ini.WriteString(Section(), Key(T::PasswordKey), s.SavePassword ? s.Password : QString());
}
