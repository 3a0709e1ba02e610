// The main window's widgets: the menu shown as a tool bar, the button tool bar, the drawing
// panel with the clock on it, and the status bar.

#include "app/mainform.h"

#include "app/qordrawpanel.h"
#include "dialogs/qorfont.h"
#include "dialogs/qorprogram.h"

#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

// Image slots: 0 new game, 1 open, 2 save, 3 stop, 4 options, 5 help, 6 exit. One scalable
// image serves the 16-pixel menu and the 32-pixel tool bar.
QIcon Image(int slot) {
    static const char* const Files[7] = {"newgame", "open", "save", "stop",
                                         "options", "help", "exit"};
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(Files[slot])));
}

// A status bar panel: at least as wide as it starts, and never narrower than its text, so the
// window widens rather than cut what the panel says.
class StatusPanel : public QLabel {
public:
    StatusPanel(int width, QWidget* parent) : QLabel(parent), Width(width) {
        setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Preferred);
    }
    QSize sizeHint() const override { return QLabel::sizeHint().expandedTo({Width, 0}); }
    QSize minimumSizeHint() const override { return sizeHint(); }

private:
    const int Width;
};

} // namespace

void TMainForm::CreateMenu() {
    // The menu is a row of text buttons on a tool bar of its own.
    ToolBarMenu = new QToolBar(this);
    ToolBarMenu->setMovable(false);
    ToolBarMenu->setFloatable(false);
    ToolBarMenu->toggleViewAction()->setVisible(false);
    // Plain text buttons, as a menu bar shows them.
    ToolBarMenu->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; }"));
    setContextMenuPolicy(Qt::NoContextMenu);
    addToolBar(Qt::TopToolBarArea, ToolBarMenu);
    auto addMenu = [this](const QString& caption) {
        auto* menu = new QMenu(caption, this);
        QAction* action = menu->menuAction();
        ToolBarMenu->addAction(action);
        if (auto* button = qobject_cast<QToolButton*>(ToolBarMenu->widgetForAction(action))) {
            button->setPopupMode(QToolButton::InstantPopup);
            button->setFixedHeight(21);
        }
        return menu;
    };
    auto item = [this](QMenu* menu, const QString& caption, void (TMainForm::*handler)(),
                       int image = -1) {
        QAction* a = menu->addAction(caption);
        if (image >= 0)
            a->setIcon(Image(image));
        if (handler)
            connect(a, &QAction::triggered, this, handler);
        a->setEnabled(handler != nullptr);
        return a;
    };
    QMenu* file = addMenu(tr("Файл"));
    N4 = item(file, tr("Начать заново"), &TMainForm::N4Click, 0);
    N5 = item(file, tr("Стоп!"), &TMainForm::N5Click, 3);
    file->addSeparator();
    N22 = item(file, tr("Отменить ход"), &TMainForm::N22Click);
    N23 = item(file, tr("Повторить ход"), &TMainForm::N23Click);
    N25 = item(file, tr("Подсказка"), &TMainForm::N25Click);
    file->addSeparator();
    N7 = item(file, tr("Открыть..."), &TMainForm::N7Click, 1);
    N8 = item(file, tr("Сохранить"), &TMainForm::N8Click, 2);
    N9 = item(file, tr("Сохранить как..."), &TMainForm::N9Click, 2);
    file->addSeparator();
    N11 = item(file, tr("Параметры..."), &TMainForm::N11Click, 4);
    file->addSeparator();
    N13 = item(file, tr("Выход"), &TMainForm::N13Click, 6);
    QMenu* view = addMenu(tr("Вид"));
    N14 = item(view, tr("Кнопки"), &TMainForm::N14Click);
    N15 = item(view, tr("Строка состояния"), &TMainForm::N15Click);
    for (QAction* toggle : {N14, N15}) {
        toggle->setCheckable(true);
        toggle->setChecked(true);
    }
    QMenu* top = addMenu(tr("Топ игроков"));
    N20 = item(top, tr("Авторизация..."), &TMainForm::N20Click);
    N21 = item(top, tr("Топ"), &TMainForm::N21Click);
    N24 = item(top, tr("Статистика"), &TMainForm::N24Click);
    QMenu* help = addMenu(tr("Помощь"));
    N16 = item(help, tr("Справка"), &TMainForm::N16Click, 5);
    help->addSeparator();
    N18 = item(help, tr("О программе..."), &TMainForm::N18Click);
    URL = ToolBarMenu->addAction(QUrl(QLatin1String(ProgramWebAddress)).host());
    connect(URL, &QAction::triggered, this, &TMainForm::URLClick);
    const std::pair<QAction*, QList<QKeySequence>> shortcuts[] = {
        {N4, {Qt::CTRL | Qt::Key_N}},
        {N7, {Qt::CTRL | Qt::Key_O}},
        {N8, {Qt::CTRL | Qt::Key_S}},
        {N9, {Qt::CTRL | Qt::SHIFT | Qt::Key_S}},
        {N13, {Qt::CTRL | Qt::Key_Q}},
        {N16, {Qt::Key_F1}},
        {N24, {Qt::Key_F2}},
        // No move letter: the move keys are F, B, U, D, L, R, M, E, S, X, Y and Z.
        {N25, {Qt::Key_H}},
        {N22, {Qt::CTRL | Qt::Key_Z}},
        {N23, {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, Qt::CTRL | Qt::Key_Y}}};
    for (const auto& [action, keys] : shortcuts) {
        action->setShortcuts(keys);
        // Menus shown from a tool bar belong to no window; the keys must work in this one.
        addAction(action);
    }
    N22->setEnabled(false);
    N23->setEnabled(false);
}

void TMainForm::CreateButtons() {
    addToolBarBreak(Qt::TopToolBarArea);
    ToolBarButton = new QToolBar(this);
    ToolBarButton->setMovable(false);
    ToolBarButton->setFloatable(false);
    ToolBarButton->toggleViewAction()->setVisible(false);
    ToolBarButton->setIconSize(QSize(32, 32));
    ToolBarButton->setToolButtonStyle(Qt::ToolButtonIconOnly);
    ToolBarButton->setMinimumHeight(38);
    addToolBar(Qt::TopToolBarArea, ToolBarButton);
    auto button = [this](int image, void (TMainForm::*handler)(), const QAction* same) {
        auto* b = new QToolButton(ToolBarButton);
        b->setIcon(Image(image));
        b->setIconSize(QSize(32, 32));
        b->setFixedSize(39, 38);
        b->setAutoRaise(true);
        b->setToolTip(same->text());
        if (handler)
            connect(b, &QToolButton::clicked, this, handler);
        b->setEnabled(handler != nullptr);
        ToolBarButton->addWidget(b);
    };
    auto gap = [this](int width) {
        auto* w = new QWidget(ToolBarButton);
        w->setFixedWidth(width);
        ToolBarButton->addWidget(w);
    };
    button(0, &TMainForm::ToolButton1Click, N4);
    button(1, &TMainForm::ToolButton2Click, N7);
    button(2, &TMainForm::ToolButton3Click, N8);
    button(3, &TMainForm::ToolButton4Click, N5);
    gap(13);
    button(4, &TMainForm::ToolButton6Click, N11);
    button(5, &TMainForm::ToolButton7Click, N16);
    gap(14);
    button(6, &TMainForm::ToolButton9Click, N13);
}

void TMainForm::CreateDrawPanel() {
    DrawPanelFrame = new QFrame(this);
    DrawPanelFrame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* layout = new QVBoxLayout(DrawPanelFrame);
    layout->setContentsMargins(1, 1, 1, 1);
    DrawPanel = new QORDrawPanel;
    QWidget* host = QWidget::createWindowContainer(DrawPanel, DrawPanelFrame);
    host->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(host);
    setCentralWidget(DrawPanelFrame);

    // The clock sits on top of the GL picture, which is a native window: so is the clock.
    TimerPanel = new QLabel(QStringLiteral("00:00:00"), DrawPanelFrame);
    TimerPanel->setAttribute(Qt::WA_NativeWindow);
    TimerPanel->setFixedSize(ClockWidth, 29);
    TimerPanel->setAlignment(Qt::AlignCenter);
    TimerPanel->setFont(Tahoma(19));
    TimerPanel->setAutoFillBackground(true);
    QPalette palette = TimerPanel->palette();
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::WindowText, QColor(ClockColour));
    TimerPanel->setPalette(palette);
    DrawPanelFrame->installEventFilter(this);
    PlaceTimerPanel();
}

void TMainForm::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setFixedHeight(19);
    bar->setSizeGripEnabled(false);
    const int widths[3] = {200, 150, 50};
    for (int i = 0; i < 3; ++i) {
        StatusPanels[i] = new StatusPanel(widths[i], bar);
        StatusPanels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        bar->addWidget(StatusPanels[i]);
    }
}

