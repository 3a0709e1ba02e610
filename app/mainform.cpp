#include "app/mainform.h"

#include "app/qordrawpanel.h"
#include "app/qorinifile.h"
#include "app/qorsettings.h"
#include "render/qorgl.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include <cfenv>

TMainForm::TMainForm(const QString& exePath, QWidget* parent)
    : QMainWindow(parent),
      ExePath(exePath.isEmpty() ? QCoreApplication::applicationFilePath() : exePath) {
    MessageBox = [](const QString& text, const QString& caption) {
        QMessageBox::critical(nullptr, caption, text);
    };
    DrawPanel = new QORDrawPanel;
    DrawPanelHost = QWidget::createWindowContainer(DrawPanel, this);
    DrawPanelHost->setFocusPolicy(Qt::NoFocus);
    setCentralWidget(DrawPanelHost);
    resize(478, 399);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    connect(DrawPanel, &QORDrawPanel::MouseDown, this, &TMainForm::DrawPanelMouseDown);
    connect(DrawPanel, &QORDrawPanel::MouseMove, this, &TMainForm::DrawPanelMouseMove);
    connect(DrawPanel, &QORDrawPanel::MouseUp, this, &TMainForm::DrawPanelMouseUp);
    connect(DrawPanel, &QORDrawPanel::Resized, this, &TMainForm::DrawPanelResize);
    connect(DrawPanel, &QORDrawPanel::Exposed, this, &TMainForm::DrawPanelExpose);

    FormCreate();

    DrawTimer = new QTimer(this);
    DrawTimer->setInterval(10);
    connect(DrawTimer, &QTimer::timeout, this, &TMainForm::DrawTimerTimer);
    DrawTimer->start();
}

TMainForm::~TMainForm() {
    FormDestroy();
}

void TMainForm::FormCreate() {
    // No floating-point operation of ours or of the GL driver may trap.
    fedisableexcept(FE_ALL_EXCEPT);
    setWindowTitle(
        QStringLiteral("%1 %2").arg(QLatin1String(ProgramTitle), QLatin1String(ProgramVersion)));
    GameSeconds = 0;
    Renderer = new QORGL;
    Renderer->ErrorBox = [this](const QString& text, const QString& caption) {
        MessageBox(text, caption);
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
    WriteSettings(ini, CollectSettings());
    QString error;
    if (ini.Save(WritePath, &error))
        return true;
    MessageBox(WriteFailedMessage(WritePath), QLatin1String(ProgramTitle));
    return false;
}

void TMainForm::FormDestroy() {
    if (Destroyed)
        return;
    Destroyed = true;
    DrawTimer->stop();
    WriteSettingsFile();
    Renderer->Release();
    delete Renderer;
    Renderer = nullptr;
}

void TMainForm::DrawTimerTimer() {
    DrawTimer->stop();
    if (Renderer->Cube && Renderer->NeedsFrame())
        Renderer->DrawFrame();
    DrawTimer->start();
}

void TMainForm::DrawPanelResize(int width, int height) {
    Renderer->Resize(width, height);
}

void TMainForm::DrawPanelExpose() {
    Renderer->InvalidateFrame();
}

void TMainForm::DrawPanelMouseDown(int, int, int) {
    Renderer->PassCount = 1;
}

void TMainForm::DrawPanelMouseMove(int x, int y, int shift) {
    Renderer->MouseMove(x, y, shift);
}

void TMainForm::DrawPanelMouseUp(int, int, int) {
    Renderer->MouseUp();
    Renderer->PassCount = Renderer->DrawQuality;
}
