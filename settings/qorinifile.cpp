#include "settings/qorinifile.h"

#include "net/qorcp1251.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

bool IsHeader(const QString& line, QString* name = nullptr) {
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return false;
    if (name) {
        const int close = t.indexOf(QLatin1Char(']'));
        *name = t.mid(1, close < 0 ? -1 : close - 1).trimmed();
    }
    return true;
}

// The key of a "key=value" line, or an empty string for anything else.
QString KeyOf(const QString& line) {
    const QString t = line.trimmed();
    if (t.startsWith(QLatin1Char(';')) || t.startsWith(QLatin1Char('#')))
        return {};
    const int eq = t.indexOf(QLatin1Char('='));
    return eq <= 0 ? QString() : t.left(eq).trimmed();
}

bool Same(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// A line break inside a written name or value would split it into two lines of the file.
QString OneLine(QString text) {
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

} // namespace

bool QORIniFile::Load(const QString& path, QString* error) {
    Text.clear();
    Eol = QStringLiteral("\r\n");
    QFile file(path);
    if (!file.exists())
        return true;
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        return false;
    }
    const QString all = FromCp1251(bytes);
    if (!all.contains(QLatin1String("\r\n")) && all.contains(QLatin1Char('\n')))
        Eol = QStringLiteral("\n");
    Text = all.split(QLatin1Char('\n'));
    if (!Text.isEmpty() && Text.last().isEmpty())
        Text.removeLast();
    for (QString& line : Text)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    return true;
}

bool QORIniFile::Save(const QString& path, QString* error, bool ownerOnly) const {
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath())) {
        if (error)
            *error = QStringLiteral("cannot create folder %1").arg(info.absolutePath());
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    // Otherwise the new file keeps the old one's permissions.
    if (ownerOnly && !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    QString all;
    for (const QString& line : Text)
        all += line + Eol;
    const QByteArray bytes = ToCp1251(all);
    if (file.write(bytes) != bytes.size()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

int QORIniFile::FindSection(const QString& section) const {
    const QString wanted = section.trimmed();
    QString name;
    for (int i = 0; i < Text.size(); ++i)
        if (IsHeader(Text[i], &name) && Same(name, wanted))
            return i;
    return -1;
}

int QORIniFile::SectionEnd(int header) const {
    int i = header + 1;
    while (i < Text.size() && !IsHeader(Text[i]))
        ++i;
    return i;
}

int QORIniFile::FindKey(int header, const QString& key) const {
    const QString wanted = key.trimmed();
    const int end = SectionEnd(header);
    for (int i = header + 1; i < end; ++i)
        if (Same(KeyOf(Text[i]), wanted))
            return i;
    return -1;
}

QString QORIniFile::ReadString(const QString& section, const QString& key,
                               const QString& def) const {
    const int header = FindSection(section);
    const int line = header < 0 ? -1 : FindKey(header, key);
    if (line < 0)
        return def;
    const QString& t = Text[line];
    return t.mid(t.indexOf(QLatin1Char('=')) + 1).trimmed().left(MaxValueLength);
}

void QORIniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    const QString name = OneLine(key.trimmed());
    const QString text = OneLine(value);
    const int header = FindSection(section);
    if (header < 0) {
        Text << QLatin1Char('[') + OneLine(section.trimmed()) + QLatin1Char(']');
        Text << name + QLatin1Char('=') + text;
        return;
    }
    const int line = FindKey(header, name);
    if (line >= 0) {
        // Only the value changes; the key keeps the spelling and spacing the file gave it.
        QString& old = Text[line];
        old = old.left(old.indexOf(QLatin1Char('=')) + 1) + text;
        return;
    }
    // After the section's last key, so trailing blank lines and comments stay below it.
    int after = header;
    const int end = SectionEnd(header);
    for (int i = header + 1; i < end; ++i)
        if (!KeyOf(Text[i]).isEmpty())
            after = i;
    Text.insert(after + 1, name + QLatin1Char('=') + text);
}
