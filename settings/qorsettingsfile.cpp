#include "settings/qorsettingsfile.h"

#include "settings/qorinifile.h"
#include "settings/qorinstalled.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QORSettingsFile::QORSettingsFile(const QString& exePath, const QString& userIniPath) {
    const QString beside = IniPathForExecutable(exePath);
    const QFileInfo folder(QFileInfo(beside).absolutePath());
    // An installed copy never writes beside itself, even for root, who may write anywhere.
    const bool installed = !InstalledHelpPage(exePath).isEmpty();
    const bool besideWritable = !installed && folder.isDir() && folder.isWritable();
    const bool besideExists = QFileInfo(beside).isFile();
    Write_ = besideWritable ? beside : userIniPath;
    // An installed copy keeps the player's own changes; a tree build's own file wins.
    const bool readBeside = besideExists && (besideWritable || !QFileInfo::exists(userIniPath));
    Read_ = readBeside ? beside : userIniPath;
}

QString QORSettingsFile::IniPathForExecutable(const QString& exePath) {
    const QFileInfo info(exePath);
    QString name = info.fileName();
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0)
        name.truncate(dot);
    return info.dir().filePath(name + QStringLiteral(".ini"));
}

QString QORSettingsFile::UserIniPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/quelmora/quelmora.ini");
}

QORSettings QORSettingsFile::Read(QString* error) {
    QORIniFile ini;
    QString why;
    Unreadable = !ini.Load(Read_, &why);
    if (Unreadable && error)
        *error = why;
    return ReadSettings(ini);
}

bool QORSettingsFile::Write(const QORSettings& settings, QString* error) {
    if (Unreadable) {
        if (error)
            *error = QStringLiteral("%1 could not be read").arg(Read_);
        return false;
    }
    // Start from the file as it is so foreign sections, keys and comments survive.
    QORIniFile ini;
    const QString base = QFileInfo::exists(Write_) ? Write_ : Read_;
    QString why;
    if (!ini.Load(base, &why)) {
        if (error)
            *error = why;
        return false;
    }
    WriteSettings(ini, settings);
    // A stored password is for the player's eyes only.
    const bool secret = settings.SavePassword && !settings.Password.isEmpty();
    return ini.Save(Write_, error, secret);
}
