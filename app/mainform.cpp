#include "app/mainform.h"

#include "app/qordaily.h"
#include "app/qordrawpanel.h"
#include "app/qorhelp.h"
#include "app/qorhint.h"
#include "app/qorkeyboard.h"
#include "app/qorresults.h"
#include "app/qorscoreclient.h"
#include "app/qorverifiedgame.h"
#include "app/qorviewcontroller.h"
#include "app/qorwindowstate.h"
#include "dialogs/about.h"
#include "dialogs/login.h"
#include "dialogs/options.h"
#include "dialogs/players.h"
#include "dialogs/qorfiledialog.h"
#include "dialogs/qorfont.h"
#include "dialogs/qorplayerchoices.h"
#include "dialogs/qorprogram.h"
#include "dialogs/stats.h"
#include "game/qorgame.h"
#include "game/qorreplay.h"
#include "history/qorhistory.h"
#include "net/qorprotocol.h"
#include "solver/qorsolverservice.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>

#include <cfenv>

TMainForm::TMainForm(const QString& exePath, QWidget* parent)
    : QMainWindow(parent),
      ExePath(exePath.isEmpty() ? QCoreApplication::applicationFilePath() : exePath),
      SettingsFile(ExePath) {
    MessageBox = [this](QMessageBox::Icon icon, const QString& caption, const QString& text) {
        QMessageBox box(icon, caption, text, QMessageBox::Ok, isVisible() ? this : nullptr);
        box.exec();
    };
    AskOpenFileName = [this] {
        const auto dialog = MakeFileDialog(this, QORFileKind::Game, QFileDialog::AcceptOpen);
        return AskFile(*dialog, QORFileKind::Game);
    };
    AskSaveFileName = [this](const QString& proposed) {
        const auto dialog =
            MakeFileDialog(this, QORFileKind::Game, QFileDialog::AcceptSave, proposed);
        return AskFile(*dialog, QORFileKind::Game);
    };
    setFont(Tahoma(FormFontPixels));
    CreateMenu();
    CreateButtons();
    CreateDrawPanel();
    CreateStatusBar();
    resize(478, 399);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    RestoreWindowState(this);

    FormCreate();

    OptionsForm = new TOptionsForm(Settings, *Choices, this);
    AboutForm = new TAboutForm(this);
    AboutForm->ShowSite = [this] { Help->ShowHelp(); };
    LoginForm = new TLoginForm(Settings, this);
    PlayersForm = new TPlayersForm(this);
    StatsForm = new TStatsForm(Results->History, *Replay, this);
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
        StartProblems << tr("Не удалось прочитать файл настроек %1: %2.\nИгра начата с настройками "
                            "по умолчанию и не станет перезаписывать этот файл при выходе. "
                            "Проверьте права на файл и перезапустите игру.")
                             .arg(QDir::toNativeSeparators(SettingsFile.ReadPath()), why);
    Game = new QORGame(Settings, this);
    View = new QORViewController(*Game, Settings, this);
    Keyboard = new QORKeyboard(*Game, *View, this);
    Help = new QORHelp(ExePath, this);
    View->Renderer.ErrorBox = [this](const QString& text, const QString& caption) {
        MessageBox(QMessageBox::Critical, caption, text);
    };
    View->Renderer.CloseRequest = [this] {
        QMetaObject::invokeMethod(this, "close", Qt::QueuedConnection);
    };
    View->Init(DrawPanel);
    Client = new QORScoreClient(Settings, this);
    Results = new QORResults(*Game, *Client, this);
    QString problem;
    if (!Results->Open(QORSolveHistory::DefaultPath(), &problem))
        StartProblems << problem;
    Replay = new QORReplay(*Game, this);
    Solver = new QORSolverService(QORSolverService::DefaultCacheFolder(), this);
    Choices = std::make_unique<QORPlayerChoices>(UserStatePath());
    Game->WantsInspection = [this] { return Choices->On(QORPlayerChoices::Inspection); };
    Verified = new QORVerifiedGame(*Game, *Client, Settings, *Choices, *Solver, this);
    Hint = new QORHint(*Game, *Solver, this);
    Analysis = new QORAnalysis(Results->History, *Solver, this);
    Daily = new QORDailyChallenge(*Game, *Client, Results->History, this);
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
    connect(Game, &QORGame::ClockChanged, this, [this](const QString& text) {
        // A verified win's hundredths need more room than the running clock's seconds.
        TimerPanel->setText(text);
        QPalette palette = TimerPanel->palette();
        palette.setColor(QPalette::WindowText,
                         Game->ClockWarns() ? QColor(Qt::red) : QColor(ClockColour));
        TimerPanel->setPalette(palette);
        TimerPanel->setFixedWidth(
            std::max(ClockWidth, TimerPanel->fontMetrics().horizontalAdvance(text) + 12));
        PlaceTimerPanel();
    });
    // The clock's text changes as a game starts, stops or is won: so does the move count's.
    connect(Game, &QORGame::ClockChanged, this, &TMainForm::ShowMoves);
    connect(Game, &QORGame::MovesChanged, this, &TMainForm::ShowMoves);
    connect(Game, &QORGame::Won, this, &TMainForm::GameWon);
    connect(Game, &QORGame::DidNotFinish, this, &TMainForm::GameDidNotFinish);
    connect(Game, &QORGame::GameFileChanged, this,
            [this](const QString& path) { setWindowTitle(CaptionWithFile(path)); });
    connect(Game, &QORGame::GameFileForgotten, this, [this] { setWindowTitle(ProgramCaption()); });
    connect(Client, &QORScoreClient::StatusChanged, StatusPanels[1], &QLabel::setText);
    connect(Client, &QORScoreClient::StatusChanged, this, &TMainForm::FitStatusPanels);
    connect(Client, &QORScoreClient::LoginWanted, this, [this] { AskLogin(); });
    connect(Client, &QORScoreClient::TopListReceived, this, [this](const QList<QStringList>& rows) {
        PlayersForm->Clear();
        for (const QStringList& row : rows)
            PlayersForm->AddRow(row.first(), row.mid(1));
    });
    connect(Client, &QORScoreClient::VerifiedTopListReceived, PlayersForm,
            &TPlayersForm::SetVerified);
    connect(Client, &QORScoreClient::LoginRefused, this,
            [this] { Tell(tr("Ошибка: неверный логин или пароль! Зарегистрируйтесь...")); });
    Client->RegisterChosen = [this] { return LoginForm->CheckBoxFirst->isChecked(); };
    const auto reloadStats = [this] {
        if (StatsForm->isVisible())
            StatsForm->Reload();
    };
    connect(Results, &QORResults::Changed, this, reloadStats);
    connect(Analysis, &QORAnalysis::Changed, this, reloadStats);
    connect(Hint, &QORHint::Refused, this, &TMainForm::Tell);
    connect(Daily, &QORDailyChallenge::Refused, this, &TMainForm::Tell);
    connect(Daily, &QORDailyChallenge::StatusChanged, StatusPanels[1], &QLabel::setText);
    // The daily try takes the place of any game still being dealt.
    connect(&Daily->StartAction, &QAction::triggered, this, [this] {
        Keyboard->Clear();
        Verified->Cancel();
    });
    connect(Daily, &QORDailyChallenge::Placed, this, [this] {
        if (Client->RequestTopList2(QORProtocol::DailyKind))
            PlayersForm->ShowDaily();
    });
    // The daily items follow "Стоп!" in the file menu.
    if (auto* file = qobject_cast<QMenu*>(N5->parent())) {
        const QList<QAction*> items = file->actions();
        file->insertActions(items.value(items.indexOf(N5) + 1),
                            {&Daily->StartAction, &Daily->CopyAction});
    }
    addActions({&Daily->StartAction, &Daily->CopyAction});
    connect(OptionsForm, &TOptionsForm::ApplyColors, this, [this] {
        Game->Cube.ApplyColors();
        View->Animation.ApplyColors();
        View->Wake();
    });
    // The renderer draws from a plain flag, taken afresh whenever an option changes.
    const auto takeSymbols = [this] {
        View->Renderer.StickerSymbols = Choices->On(QORPlayerChoices::StickerSymbols);
    };
    takeSymbols();
    connect(OptionsForm, &TOptionsForm::Changed, this, takeSymbols);
    connect(OptionsForm, &TOptionsForm::Changed, View, &QORViewController::Wake);
}

void TMainForm::FormDestroy() {
    SaveWindowState(this);
    View->Release();
    if (!SettingsFile.ReadFailed() && !SettingsFile.Write(Settings))
        MessageBox(QMessageBox::Critical, QLatin1String(ProgramTitle),
                   tr("Unable to write to %1.").arg(SettingsFile.WritePath()));
}

void TMainForm::PlaceTimerPanel() {
    TimerPanel->move(DrawPanelFrame->width() - 4 - TimerPanel->width(), 6);
    TimerPanel->raise();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
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
    DrawPanelKeyDown(event);
    if (!event->isAccepted())
        QMainWindow::keyPressEvent(event);
}

void TMainForm::ShowMoves() {
    N22->setEnabled(Game->History.CanUndo());
    N23->setEnabled(Game->History.CanRedo());
    QString moves, notes;
    if (Game->Running()) {
        moves = tr("Ходов: %1").arg(Game->Moves);
    } else if (Game->Solved) {
        // Hundredths cut, not rounded, as the clock and the verified list show them.
        const double seconds = std::max<qint64>(Game->ElapsedMs() / 10, 1) / 100.0;
        moves = tr("Время: %1 с, ходов: %2, %3 ход/с")
                    .arg(QLocale().toString(seconds, 'f', 2))
                    .arg(Game->Moves)
                    .arg(QLocale().toString(Game->Moves / seconds, 'f', 1));
        QStringList said;
        if (Results->NewRecord())
            said << tr("Новый рекорд!");
        // The server leaves such a solve out of its list; the player should not have to guess.
        if (Game->HintUsed)
            said << tr("С подсказкой: в «Топ» не идёт.");
        else if (Game->RandomState && !Game->Verified())
            said << tr("Сборка случайного состояния без проверки сервером в «Топ» не идёт.");
        else if (!Game->RandomState && Game->GameShuffles < QORProtocol::DefaultMinShuffles)
            said << tr("В «Топ» идут сборки от %1 ходов перемешивания.")
                        .arg(QORProtocol::DefaultMinShuffles);
        notes = said.join(QLatin1Char(' '));
    }
    StatusPanels[0]->setText(moves);
    StatusPanels[2]->setText(notes);
    FitStatusPanels();
}

void TMainForm::FitStatusPanels() {
    // The window is never narrower than its status panels need to show their texts whole. The
    // bar's own hint lags behind texts set in this event, so the panels' hints are summed, with
    // room for the bar's margins and the gaps between panels.
    int needed = 16;
    for (const QLabel* panel : StatusPanels)
        needed += panel->sizeHint().width() + 8;
    setMinimumWidth(needed);
}

void TMainForm::FormShow() {
    for (const QString& problem : StartProblems)
        MessageBox(QMessageBox::Warning, QLatin1String(ProgramTitle), problem);
    Client->Start();
}
