#pragma once
// An INI text file edited in place, as the desktop's INI functions do it: a write changes or
// adds one key and keeps every other section, key, comment and blank line. On disk it is code
// page 1251; saving replaces the file atomically.

#include <QString>
#include <QStringList>

class QORIniFile {
public:
    // Longest value a read returns; longer ones are cut.
    static constexpr int MaxValueLength = 2047;

    // A missing file reads as empty; false, with the reason, when an existing one cannot be read.
    bool Load(const QString& path, QString* error = nullptr);
    // Writes a temporary file and renames it over path, so a failure leaves the old file.
    // An ownerOnly file is readable by its owner alone from the first byte written.
    bool Save(const QString& path, QString* error = nullptr, bool ownerOnly = false) const;

    // Section and key match without regard to letter case; blanks around both are ignored.
    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    void WriteString(const QString& section, const QString& key, const QString& value);

    const QStringList& Lines() const { return Text; }

private:
    int FindSection(const QString& section) const;
    int SectionEnd(int header) const;
    int FindKey(int header, const QString& key) const;

    QStringList Text;
    QString Eol = QStringLiteral("\r\n");
};
