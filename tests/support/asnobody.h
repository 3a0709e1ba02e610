#pragma once
// Permission bits do not stop root, and CI runs as root: for its scope this makes the test
// process an ordinary user ("nobody"), so that unreadable files and read-only folders are
// what they are for a player. The folders it works in must be open to that user.

#include <QFile>
#include <QString>

#include <unistd.h>

class AsNobody {
public:
    explicit AsNobody(const QString& openFolder = QString()) : WasRoot(geteuid() == 0) {
        if (!openFolder.isEmpty())
            QFile::setPermissions(openFolder, QFileDevice::Permissions(0x7777));
        // Real and effective ids both: access checks go by the real one. The saved id stays
        // root, so the scope can end as root again.
        if (WasRoot && (setresgid(65534, 65534, 0) != 0 || setresuid(65534, 65534, 0) != 0))
            WasRoot = false;
    }
    ~AsNobody() {
        if (WasRoot && setresuid(0, 0, 0) == 0) {
            [[maybe_unused]] const int ignored = setresgid(0, 0, 0);
        }
    }
    AsNobody(const AsNobody&) = delete;
    AsNobody& operator=(const AsNobody&) = delete;

private:
    bool WasRoot;
};
