#pragma once
// The help page in a window of the game, for a desktop that has nothing to open it with. Its
// links work: those within the page here, the others with the desktop.

#include <QWidget>

class QTextBrowser;

class THelpForm : public QWidget {
    Q_OBJECT
public:
    explicit THelpForm(QWidget* parent = nullptr);

    QTextBrowser* Browser = nullptr;

    // Shows the page and brings the window to the front.
    void ShowPage(const QString& file);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool Placed = false;
};
