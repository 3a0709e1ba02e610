#include "app/qorhelp.h"

#include "settings/qorinstalled.h"
#include "dialogs/help.h"

#include <QFileInfo>
#include <QLocale>
#include <QPointer>
#include <QProcess>
#include <QWidget>

QORHelp::QORHelp(const QString& exePath, QWidget* parent) : QObject(parent), ExePath(exePath) {
    ShowInGame = [this, parent](const QString& file) {
        // One window for the run: asking again brings it back to the front.
        if (!Window)
            Window = new THelpForm(parent);
        Window->ShowPage(file);
    };
}

QString QORHelp::Page() const {
    // The English page while the game speaks English, as long as there is one.
    QStringList names{QStringLiteral("readme.htm")};
    if (QLocale().language() == QLocale::English)
        names.prepend(QStringLiteral("readme_en.htm"));
    for (const QString& name : names) {
        const QFileInfo here(name);
        const QString page =
            here.isFile() ? here.absoluteFilePath() : InstalledHelpPage(ExePath, name);
        if (!page.isEmpty())
            return page;
    }
    return QString();
}

void QORHelp::ShowHelp() {
    const QString page = Page();
    if (!page.isEmpty())
        Open(page);
}

void QORHelp::Open(const QString& file) {
    auto* opener = new QProcess(this);
    connect(opener, &QProcess::errorOccurred, this, [this, opener, file](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart) {
            ShowInGame(file);
            opener->deleteLater();
            emit Shown(false);
        }
    });
    connect(opener, &QProcess::finished, this,
            [this, opener, file](int code, QProcess::ExitStatus status) {
                const bool byDesktop = status == QProcess::NormalExit && code == 0;
                if (!byDesktop)
                    ShowInGame(file);
                opener->deleteLater();
                emit Shown(byDesktop);
            });
    opener->start(Opener, {file});
}
