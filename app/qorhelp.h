#pragma once
// Opens the help page with the desktop's own handler, and shows it in a window of the game
// when the desktop cannot: no browser, no handler, no opener at all.

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class THelpForm;
class QWidget;

class QORHelp : public QObject {
    Q_OBJECT
public:
    QORHelp(const QString& exePath, QWidget* parent);

    // readme.htm in the current folder, else the installed copy's page; empty when neither is.
    // In English, readme_en.htm comes first, from either place.
    QString Page() const;
    // Opens the page, when there is one.
    void ShowHelp();
    void Open(const QString& file);

    // The desktop's opener; it exits with a failure when it found nothing to open with.
    QString Opener = QStringLiteral("xdg-open");
    // Shows the page in the game; tests see what would be shown.
    std::function<void(const QString& file)> ShowInGame;

signals:
    // The page is open, by the desktop or in the game.
    void Shown(bool byDesktop);

private:
    QString ExePath;
    QPointer<THelpForm> Window;
};
