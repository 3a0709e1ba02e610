#include "dialogs/help.h"

#include "dialogs/qorfont.h"
#include "dialogs/qortoolwindow.h"

#include <QKeyEvent>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

THelpForm::THelpForm(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(tr("Справка"));
    setFont(Tahoma(FormFontPixels));
    resize(640, 480);
    Browser = new QTextBrowser(this);
    Browser->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Browser);
}

void THelpForm::ShowPage(const QString& file) {
    Browser->setSource(QUrl::fromLocalFile(file));
    ShowInFront(*this, Placed);
}

void THelpForm::keyPressEvent(QKeyEvent* event) {
    if (!ClosedByEscape(*this, event))
        QWidget::keyPressEvent(event);
}
