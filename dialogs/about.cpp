#include "dialogs/about.h"

#include "dialogs/qorfont.h"
#include "dialogs/qorprogram.h"

#include <QEvent>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>

namespace {

const QColor TextColor(0xD2, 0xDA, 0xE8);
const QColor HoverColor(0xFF, 0x80, 0x00);

void SetTextColor(QLabel* label, const QColor& color) {
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, color);
    label->setPalette(p);
}

} // namespace

TAboutForm::TAboutForm(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("О программе..."));
    setFixedSize(286, 114);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(0x5B, 0x74, 0xA8));
    setPalette(palette);

    Image = new QLabel(this);
    Image->setGeometry(6, 7, 102, 99);

    setFont(Tahoma(FormFontPixels, true));
    LabelTitle = new QLabel(ProgramCaption(), this);
    LabelTitle->setGeometry(118, 12, 162, 18);
    SetTextColor(LabelTitle, TextColor);
    LabelWeb = Link(QUrl(QLatin1String(ProgramWebAddress)).host(), 36);
    LabelMail = Link(QLatin1String(ProgramMailAddress), 54);

    ButtonOK = new QPushButton(tr("ОК"), this);
    ButtonOK->setGeometry(286 - 75 - 8, 114 - 21 - 8, 75, 21);
    ButtonOK->setDefault(true);
    connect(ButtonOK, &QPushButton::clicked, this, &TAboutForm::ButtonOKClick);
}

QLabel* TAboutForm::Link(const QString& text, int top) {
    auto* label = new QLabel(text, this);
    QFont f = font();
    f.setUnderline(true);
    label->setFont(f);
    label->setGeometry(118, top, 162, 16);
    label->setCursor(Qt::PointingHandCursor);
    SetTextColor(label, TextColor);
    label->installEventFilter(this);
    return label;
}

void TAboutForm::showEvent(QShowEvent* event) {
    // Drawn at the screen's pixel density, so the picture stays sharp.
    Image->setPixmap(
        QIcon(QStringLiteral(":/icons/logo.svg")).pixmap(QSize(102, 99), devicePixelRatio()));
    if (parentWidget())
        move(parentWidget()->geometry().center() - rect().center());
    QDialog::showEvent(event);
}

bool TAboutForm::eventFilter(QObject* watched, QEvent* event) {
    auto* label = qobject_cast<QLabel*>(watched);
    if (label && (label == LabelWeb || label == LabelMail)) {
        if (event->type() == QEvent::Enter)
            SetTextColor(label, HoverColor);
        else if (event->type() == QEvent::Leave)
            SetTextColor(label, TextColor);
        else if (event->type() == QEvent::MouseButtonRelease &&
                 static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            if (label == LabelWeb)
                LabelWebClick();
            else
                LabelMailClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TAboutForm::LabelWebClick() {
    ShowSite();
}

void TAboutForm::LabelMailClick() {
    ShowSite();
}
