#include "app/mainform.h"

#include "app/qordrawpanel.h"
#include "app/qorscoreclient.h"
#include "app/qorviewcontroller.h"
#include "cube/qorgame.h"
#include "dialogs/about.h"
#include "dialogs/login.h"
#include "dialogs/options.h"
#include "dialogs/players.h"
#include "dialogs/qorfont.h"
#include "dialogs/qorprogram.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <cfenv>

namespace {

// Image slots: 0 new game, 1 open, 2 save, 3 stop, 4 options, 5 help, 6 exit. One scalable
// image serves the 16-pixel menu and the 32-pixel tool bar.
QIcon Image(int slot) {
    static const char* const Files[7] = {"newgame", "open", "save", "stop",
                                         "options", "help", "exit"};
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(Files[slot])));
}

} // namespace

TMainForm::TMainForm(const QString& exePath, QWidget* parent)
    : QMainWindow(parent),
      SettingsFile(exePath.isEmpty() ? QCoreApplication::applicationFilePath() : exePath) {
    MessageBox = [this](QMessageBox::Icon icon, const QString& caption, const QString& text) {
        QMessageBox box(icon, caption, text, QMessageBox::Ok, isVisible() ? this : nullptr);
        box.exec();
    };
    AskOpenFileName = [this] { return QFileDialog::getOpenFileName(this); };
    AskSaveFileName = [this](const QString& proposed) {
        return QFileDialog::getSaveFileName(this, QString(), proposed, QString(), nullptr,
                                            QFileDialog::DontConfirmOverwrite);
    };
    OpenUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    setFont(Tahoma(FormFontPixels));
    CreateMenu();
    CreateButtons();
    CreateDrawPanel();
    CreateStatusBar();
    resize(478, 399);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    FormCreate();

    OptionsForm = new TOptionsForm(Settings, this);
    AboutForm = new TAboutForm(this);
    LoginForm = new TLoginForm(Settings, this);
    PlayersForm = new TPlayersForm(this);
    AskLogin = [this] { LoginForm->exec(); };
    ConnectParts();
}

TMainForm::~TMainForm() {
    FormDestroy();
}

void TMainForm::FormCreate() {
    // No floating-point operation of ours or of the GL driver may trap.
    fedisableexcept(FE_ALL_EXCEPT);
    setWindowTitle(ProgramCaption());
    QString why;
    Settings = SettingsFile.Read(&why);
    if (SettingsFile.ReadFailed())
        SettingsProblem =
            QStringLiteral("Не удалось прочитать файл настроек %1: %2.\nИгра начата с настройками "
                           "по умолчанию и не станет перезаписывать этот файл при выходе. "
                           "Проверьте права на файл и перезапустите игру.")
                .arg(QDir::toNativeSeparators(SettingsFile.ReadPath()), why);
    Game = new QORGame(Settings, this);
    View = new QORViewController(Game->Cube, Settings, this);
    View->Renderer.ErrorBox = [this](const QString& text, const QString& caption) {
        MessageBox(QMessageBox::Critical, caption, text);
    };
    View->Renderer.CloseRequest = [this] {
        QMetaObject::invokeMethod(this, "close", Qt::QueuedConnection);
    };
    View->Init(DrawPanel);
    Client = new QORScoreClient(Settings, this);
}

void TMainForm::ConnectParts() {
    connect(DrawPanel, &QORDrawPanel::MouseDown, this, &TMainForm::DrawPanelMouseDown);
    connect(DrawPanel, &QORDrawPanel::MouseMove, this, &TMainForm::DrawPanelMouseMove);
    connect(DrawPanel, &QORDrawPanel::MouseUp, this, &TMainForm::DrawPanelMouseUp);
    connect(DrawPanel, &QORDrawPanel::Resized, this, &TMainForm::DrawPanelResize);
    connect(DrawPanel, &QORDrawPanel::Exposed, this, &TMainForm::DrawPanelExpose);
    connect(DrawPanel, &QORDrawPanel::KeyDown, this, &TMainForm::DrawPanelKeyDown);
    connect(&Game->GameTimer, &QTimer::timeout, this, &TMainForm::GameTimerTimer);
    connect(&View->DrawTimer, &QTimer::timeout, this, &TMainForm::DrawTimerTimer);
    connect(Game, &QORGame::ClockChanged, TimerPanel, &QLabel::setText);
    connect(Game, &QORGame::Won, this, &TMainForm::GameWon);
    connect(Game, &QORGame::GameFileChanged, this,
            [this](const QString& path) { setWindowTitle(CaptionWithFile(path)); });
    connect(Game, &QORGame::GameFileForgotten, this, [this] { setWindowTitle(ProgramCaption()); });
    connect(Client, &QORScoreClient::StatusChanged, StatusPanels[1], &QLabel::setText);
    connect(Client, &QORScoreClient::LoginWanted, this, [this] { AskLogin(); });
    connect(Client, &QORScoreClient::TopListReceived, this, [this](const QList<QStringList>& rows) {
        PlayersForm->Clear();
        for (const QStringList& row : rows)
            PlayersForm->AddRow(row.first(), row.mid(1));
    });
    connect(Client, &QORScoreClient::LoginRefused, this, [this] {
        Tell(QStringLiteral("Ошибка: неверный логин или пароль! Зарегистрируйтесь..."));
    });
    Client->RegisterChosen = [this] { return LoginForm->CheckBoxFirst->isChecked(); };
    connect(OptionsForm, &TOptionsForm::ApplyColors, this, [this] { Game->Cube.ApplyColors(); });
}

void TMainForm::FormDestroy() {
    View->Release();
    if (!SettingsFile.ReadFailed() && !SettingsFile.Write(Settings))
        MessageBox(QMessageBox::Critical, QLatin1String(ProgramTitle),
                   QStringLiteral("Unable to write to %1.").arg(SettingsFile.WritePath()));
}

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
    QMenu* file = addMenu(QStringLiteral("Файл"));
    N4 = item(file, QStringLiteral("Начать заново"), &TMainForm::N4Click, 0);
    N5 = item(file, QStringLiteral("Стоп!"), &TMainForm::N5Click, 3);
    file->addSeparator();
    N7 = item(file, QStringLiteral("Открыть..."), &TMainForm::N7Click, 1);
    N8 = item(file, QStringLiteral("Сохранить"), &TMainForm::N8Click, 2);
    N9 = item(file, QStringLiteral("Сохранить как..."), &TMainForm::N9Click, 2);
    file->addSeparator();
    N11 = item(file, QStringLiteral("Параметры..."), &TMainForm::N11Click, 4);
    file->addSeparator();
    N13 = item(file, QStringLiteral("Выход"), &TMainForm::N13Click, 6);
    QMenu* view = addMenu(QStringLiteral("Вид"));
    N14 = item(view, QStringLiteral("Кнопки"), &TMainForm::N14Click);
    N15 = item(view, QStringLiteral("Строка состояния"), &TMainForm::N15Click);
    for (QAction* toggle : {N14, N15}) {
        toggle->setCheckable(true);
        toggle->setChecked(true);
    }
    QMenu* top = addMenu(QStringLiteral("Топ игроков"));
    N20 = item(top, QStringLiteral("Авторизация..."), &TMainForm::N20Click);
    N21 = item(top, QStringLiteral("Топ"), &TMainForm::N21Click);
    QMenu* help = addMenu(QStringLiteral("Помощь"));
    N16 = item(help, QStringLiteral("Справка"), &TMainForm::N16Click, 5);
    help->addSeparator();
    N18 = item(help, QStringLiteral("О программе..."), &TMainForm::N18Click);
    URL = ToolBarMenu->addAction(QUrl(QLatin1String(ProgramWebAddress)).host());
    connect(URL, &QAction::triggered, this, &TMainForm::URLClick);
    for (QAction* a : ToolBarMenu->actions())
        if (QWidget* w = ToolBarMenu->widgetForAction(a))
            w->installEventFilter(this);
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
    auto button = [this](int image, void (TMainForm::*handler)()) {
        auto* b = new QToolButton(ToolBarButton);
        b->setIcon(Image(image));
        b->setIconSize(QSize(32, 32));
        b->setFixedSize(39, 38);
        b->setAutoRaise(true);
        // The buttons carry no tool tips.
        b->installEventFilter(this);
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
    button(0, &TMainForm::ToolButton1Click);
    button(1, &TMainForm::ToolButton2Click);
    button(2, &TMainForm::ToolButton3Click);
    button(3, &TMainForm::ToolButton4Click);
    gap(13);
    button(4, &TMainForm::ToolButton6Click);
    button(5, &TMainForm::ToolButton7Click);
    gap(14);
    button(6, &TMainForm::ToolButton9Click);
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
    TimerPanel->setFixedSize(90, 29);
    TimerPanel->setAlignment(Qt::AlignCenter);
    TimerPanel->setFont(Tahoma(19));
    TimerPanel->setAutoFillBackground(true);
    QPalette palette = TimerPanel->palette();
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::WindowText, QColor(0xA6, 0xCA, 0xF0));
    TimerPanel->setPalette(palette);
    DrawPanelFrame->installEventFilter(this);
    PlaceTimerPanel();
}

void TMainForm::PlaceTimerPanel() {
    TimerPanel->move(DrawPanelFrame->width() - 4 - TimerPanel->width(), 6);
    TimerPanel->raise();
}

void TMainForm::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setFixedHeight(19);
    bar->setSizeGripEnabled(false);
    const int widths[3] = {200, 150, 50};
    for (int i = 0; i < 3; ++i) {
        StatusPanels[i] = new QLabel(bar);
        StatusPanels[i]->setFixedWidth(widths[i]);
        StatusPanels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        bar->addWidget(StatusPanels[i]);
    }
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ToolTip)
        return true;
    if (watched == DrawPanelFrame && event->type() == QEvent::Resize)
        PlaceTimerPanel();
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!Shown) {
        Shown = true;
        // After the window has been drawn, so a login dialog opens over a finished window.
        QMetaObject::invokeMethod(this, &TMainForm::FormShow, Qt::QueuedConnection);
    }
}

void TMainForm::closeEvent(QCloseEvent* event) {
    // A shuffle or turn under way stops at its next frame, so the program ends at once.
    View->StopAnimations = true;
    QMainWindow::closeEvent(event);
}

void TMainForm::keyPressEvent(QKeyEvent* event) {
    DrawPanelKeyDown();
    QMainWindow::keyPressEvent(event);
}
void TMainForm::FormShow() {
    if (!SettingsProblem.isEmpty())
        MessageBox(QMessageBox::Warning, QLatin1String(ProgramTitle), SettingsProblem);
    Client->Start();
}
