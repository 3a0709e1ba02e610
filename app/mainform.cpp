#include "app/mainform.h"

#include "app/qordrawpanel.h"
#include "app/qorinifile.h"
#include "app/qorsettings.h"
#include "render/qorgl.h"

#include "app/qorfont.h"
#include "app/qorgameclock.h"
#include "dialogs/about.h"
#include "dialogs/options.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QStatusBar>
#include <QTcpSocket>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <cfenv>
#include <chrono>

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
      ExePath(exePath.isEmpty() ? QCoreApplication::applicationFilePath() : exePath) {
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
    IdleClock = [] {
        using namespace std::chrono;
        return int64_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    };
    IdleRotation.Input(IdleClock());
    setFont(Tahoma(FormFontPixels));
    CreateMenu();
    CreateButtons();
    CreateDrawPanel();
    CreateStatusBar();
    resize(478, 399);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    FormCreate();

    DrawTimer = new QTimer(this);
    DrawTimer->setInterval(10);
    connect(DrawTimer, &QTimer::timeout, this, &TMainForm::DrawTimerTimer);
    DrawTimer->start();
    GameTimer = new QTimer(this);
    GameTimer->setInterval(1000);
    connect(GameTimer, &QTimer::timeout, this, &TMainForm::GameTimerTimer);
    OptionsForm = new TOptionsForm(this);
    AboutForm = new TAboutForm(this);
    CreateClient();
}

TMainForm::~TMainForm() {
    // The socket closes as the window's children go; the status bar may be gone by then.
    ClientSocket->disconnect(this);
    FormDestroy();
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
    DrawPanelHost = QWidget::createWindowContainer(DrawPanel, DrawPanelFrame);
    DrawPanelHost->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(DrawPanelHost);
    setCentralWidget(DrawPanelFrame);
    connect(DrawPanel, &QORDrawPanel::MouseDown, this, &TMainForm::DrawPanelMouseDown);
    connect(DrawPanel, &QORDrawPanel::MouseMove, this, &TMainForm::DrawPanelMouseMove);
    connect(DrawPanel, &QORDrawPanel::MouseUp, this, &TMainForm::DrawPanelMouseUp);
    connect(DrawPanel, &QORDrawPanel::Resized, this, &TMainForm::DrawPanelResize);
    connect(DrawPanel, &QORDrawPanel::Exposed, this, &TMainForm::DrawPanelExpose);
    connect(DrawPanel, &QORDrawPanel::KeyDown, this, &TMainForm::DrawPanelKeyDown);

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

void TMainForm::keyPressEvent(QKeyEvent* event) {
    DrawPanelKeyDown();
    QMainWindow::keyPressEvent(event);
}

void TMainForm::FormShow() {
    if (!UpdateTopList) {
        SetStatus(QStringLiteral("OFFLINE"));
        return;
    }
    if (ShowLogin && (UserName.isEmpty() || Password.isEmpty()))
        AskLogin();
    ConnectToServer();
}

void TMainForm::FormCreate() {
    // No floating-point operation of ours or of the GL driver may trap.
    fedisableexcept(FE_ALL_EXCEPT);
    setWindowTitle(ProgramCaption());
    GameSeconds = 0;
    Renderer = new QORGL;
    Renderer->ErrorBox = [this](const QString& text, const QString& caption) {
        MessageBox(QMessageBox::Critical, caption, text);
    };
    Renderer->CloseRequest = [this] {
        QMetaObject::invokeMethod(this, "close", Qt::QueuedConnection);
    };

    const QORSettingsLocation where = SettingsLocation(ExePath);
    ReadPath = where.ReadPath;
    WritePath = where.WritePath;
    QORIniFile ini;
    ini.Load(ReadPath);
    ApplySettings(ReadSettings(ini));

    Renderer->InitGL(DrawPanel);
    const QSize s = DrawPanel->size() * DrawPanel->devicePixelRatio();
    Renderer->Resize(s.width(), s.height());
}

void TMainForm::ApplySettings(const QORSettings& s) {
    QORBigCube& cube = *Renderer->Cube;
    for (int i = 0; i < 8; ++i)
        cube.ColorTable[i] = RGBFromColorValue(s.Colors[i]);
    Renderer->DrawQuality = s.DrawQuality;
    cube.RotateStep = s.RotateSpeed;
    cube.ShuffleCount = s.ShuffleRotateCount;
    cube.IdleTimeout = s.PlayerIdleTimeout;
    HostPort = s.HostPort;
    HostName = s.HostName;
    UserName = s.UserName;
    Password = s.Password;
    SavePassword = s.SavePassword;
    ShowLogin = s.ShowLogin;
    UpdateTopList = s.UpdateTopList;
}

QORSettings TMainForm::CollectSettings() const {
    QORSettings s;
    const QORBigCube& cube = *Renderer->Cube;
    for (int i = 0; i < 8; ++i)
        s.Colors[i] = ColorValueFromRGB(cube.ColorTable[i]);
    s.DrawQuality = Renderer->DrawQuality;
    s.RotateSpeed = cube.RotateStep;
    s.ShuffleRotateCount = cube.ShuffleCount;
    s.PlayerIdleTimeout = cube.IdleTimeout;
    s.HostPort = HostPort;
    s.HostName = HostName;
    s.UserName = UserName;
    s.Password = Password;
    s.SavePassword = SavePassword;
    s.ShowLogin = ShowLogin;
    s.UpdateTopList = UpdateTopList;
    return s;
}

bool TMainForm::WriteSettingsFile() {
    // Start from the file as it is so foreign sections, keys and comments survive.
    QORIniFile ini;
    ini.Load(QFileInfo::exists(WritePath) ? WritePath : ReadPath);
    const QORSettings settings = CollectSettings();
    WriteSettings(ini, settings);
    // A stored password is for the player's eyes only.
    if (ini.Save(WritePath, nullptr, !settings.Password.isEmpty() && settings.SavePassword))
        return true;
    MessageBox(QMessageBox::Critical, QLatin1String(ProgramTitle), WriteFailedMessage(WritePath));
    return false;
}

void TMainForm::FormDestroy() {
    DrawTimer->stop();
    WriteSettingsFile();
    Renderer->Release();
    delete Renderer;
    Renderer = nullptr;
}

void TMainForm::DrawTimerTimer() {
    DrawTimer->stop();
    const QORBigCube* cube = Renderer->Cube;
    if (cube) {
        const float degrees =
            IdleRotation.Tick(IdleClock(), cube->IdleTimeout, cube->Busy || PanelPressed);
        if (degrees > 0)
            Renderer->Orbit(degrees);
    }
    if (cube && Renderer->NeedsFrame())
        Renderer->DrawFrame();
    DrawTimer->start();
}

void TMainForm::DrawPanelResize(int width, int height) {
    Renderer->Resize(width, height);
}

void TMainForm::DrawPanelExpose() {
    Renderer->InvalidateFrame();
}

void TMainForm::DrawPanelKeyDown() {
    IdleRotation.Input(IdleClock());
}

void TMainForm::DrawPanelMouseDown(int, int, int) {
    PressStoppedRotation = IdleRotation.Active();
    PanelPressed = true;
    IdleRotation.Input(IdleClock());
    Renderer->PassCount = 1;
}

void TMainForm::DrawPanelMouseMove(int x, int y, int shift) {
    const bool stopsRotation = IdleRotation.Active();
    IdleRotation.Input(IdleClock());
    if (stopsRotation)
        return;
    if (PressStoppedRotation)
        shift &= ~QORGL::ShiftLeft;
    Renderer->MouseMove(x, y, shift);
}
