#include "settings/qorinstalled.h"

#include <QDir>
#include <QFileInfo>

QString InstalledHelpPage(const QString& exePath, const QString& name) {
    // The install tree's layout is relative, so the answer holds for any prefix, and for a
    // package that installs under another prefix than the build was configured with.
    const QFileInfo page(QFileInfo(exePath).dir(),
                         QStringLiteral(QUELMORA_DOC_FROM_BIN "/") + name);
    return page.isFile() ? QDir::cleanPath(page.absoluteFilePath()) : QString();
}
