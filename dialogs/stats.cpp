#include "dialogs/stats.h"

#include "history/qorhistory.h"
#include "game/qorreplay.h"
#include "history/qorstats.h"
#include "dialogs/qorfiledialog.h"
#include "dialogs/qorfont.h"
#include "dialogs/qorprogram.h"
#include "dialogs/qortoolwindow.h"

#include <QAbstractTableModel>
#include <QCoreApplication>
#include <QChartView>
#include <QColor>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineSeries>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

// A screenful and more; the view asks for the next page as the player scrolls down.
constexpr int PageRows = 100;

QString DateText(const QORSolve& s) {
    return s.FinishedAt.toLocalTime().toString(QStringLiteral("dd.MM.yyyy HH:mm"));
}

// Beside the main window, the first side with room (slid along it to stay on the screen), or
// centred over it when no side has room.
QPoint Beside(const QRect& main, const QSize& size, const QRect& room) {
    const int gap = 8;
    const auto onScreen = [&](QPoint p) {
        p.setX(std::max(room.left(), std::min(p.x(), room.right() + 1 - size.width())));
        p.setY(std::max(room.top(), std::min(p.y(), room.bottom() + 1 - size.height())));
        return p;
    };
    for (const QPoint& p : {QPoint(main.right() + 1 + gap, main.top()),
                            QPoint(main.left() - gap - size.width(), main.top()),
                            QPoint(main.left(), main.bottom() + 1 + gap),
                            QPoint(main.left(), main.top() - gap - size.height())})
        if (!QRect(onScreen(p), size).intersects(main))
            return onScreen(p);
    return onScreen(main.center() - QPoint(size.width() / 2, size.height() / 2));
}

// A time with the inspection's penalty, and a DNF, as cubers write them.
QString PenaltyText(const QORSolve& s) {
    return s.Dnf ? SolveTimeText(s.Result()) : SolveTimeText(s.Seconds) + QStringLiteral(" +2");
}

QString PenaltyTip(const QORSolve& s) {
    return s.Dnf ? QCoreApplication::translate(
                       "TStatsForm", "Осмотр дольше 17 секунд: сборка не засчитана (DNF).")
                 : QCoreApplication::translate(
                       "TStatsForm", "Первый ход после 15 секунд осмотра: к времени добавлены "
                                     "2 секунды.");
}

} // namespace

// The solves of the chosen shuffle length, newest first, read from the file a page at a time:
// a history of a hundred thousand solves opens as fast as one of ten.
class TStatsForm::Model : public QAbstractTableModel {
public:
    Model(QORSolveHistory& history, QObject* parent)
        : QAbstractTableModel(parent), History(history) {}
    QORSolveHistory& History;
    int Length = -1;
    // Every solve of the length, damaged ones too, though only Loaded are read yet.
    qsizetype Total = 0;
    QList<QORSolve> Loaded;

    void Set(int length, qsizetype total) {
        beginResetModel();
        Length = length;
        Total = total;
        Loaded.clear();
        endResetModel();
        fetchMore({});
    }
    bool canFetchMore(const QModelIndex& parent) const override {
        return !parent.isValid() && Loaded.size() < Total;
    }
    void fetchMore(const QModelIndex& parent) override {
        if (!canFetchMore(parent))
            return;
        const QList<QORSolve> page =
            History.Page(Length, Loaded.isEmpty() ? 0 : Loaded.last().Id, PageRows);
        if (page.isEmpty()) { // deleted meanwhile
            Total = Loaded.size();
            return;
        }
        beginInsertRows({}, int(Loaded.size()), int(Loaded.size() + page.size() - 1));
        Loaded += page;
        endInsertRows();
    }
    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : int(Loaded.size());
    }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 7; }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        static const char* const Headers[7] = {QT_TRANSLATE_NOOP("TStatsForm", "Дата"),
                                               QT_TRANSLATE_NOOP("TStatsForm", "Время"),
                                               QT_TRANSLATE_NOOP("TStatsForm", "Перемешивание"),
                                               QT_TRANSLATE_NOOP("TStatsForm", "Ходов"),
                                               QT_TRANSLATE_NOOP("TStatsForm", "Решатель"),
                                               QT_TRANSLATE_NOOP("TStatsForm", "Эффективность"),
                                               QT_TRANSLATE_NOOP("TStatsForm", "Ход/с")};
        if (role != Qt::DisplayRole)
            return {};
        // A row is numbered as the chart counts it, from the first solve.
        return orientation == Qt::Horizontal ? QVariant(TStatsForm::tr(Headers[section]))
                                             : QVariant(Total - section);
    }
    QVariant data(const QModelIndex& index, int role) const override {
        const QORSolve& s = Loaded[index.row()];
        if (role == Qt::TextAlignmentRole && index.column() > 0)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        if (s.Damaged && role == Qt::ForegroundRole)
            return QColor(Qt::gray);
        if (s.Damaged && role == Qt::ToolTipRole)
            return TStatsForm::tr("Запись повреждена: в ней невозможные числа. Она не входит "
                                  "ни в средние, ни в график.");
        if (role == Qt::ToolTipRole && index.column() == 5)
            return TStatsForm::tr("Ходов решателя на каждые сто ходов сборки");
        if ((s.PlusTwo || s.Dnf) && role == Qt::ToolTipRole)
            return PenaltyTip(s);
        if (s.Hinted && role == Qt::ToolTipRole)
            return TStatsForm::tr("В этой сборке была подсказка: она не отправляется в «Топ».");
        if (s.DailyDay.isValid() && role == Qt::ToolTipRole)
            return TStatsForm::tr("Задача дня %1").arg(s.DailyDay.toString(Qt::ISODate));
        if (role != Qt::DisplayRole)
            return {};
        if (s.Damaged && index.column() > 0)
            return index.column() == 1 ? QVariant(TStatsForm::tr("повреждена")) : QVariant();
        const std::optional<double> efficiency = s.Efficiency();
        switch (index.column()) {
        case 0: return DateText(s);
        case 1:
            if (s.PlusTwo || s.Dnf)
                return PenaltyText(s);
            if (s.Hinted)
                return TStatsForm::tr("%1 с подсказкой").arg(SolveTimeText(s.Seconds));
            if (s.DailyDay.isValid())
                return TStatsForm::tr("%1, задача дня").arg(SolveTimeText(s.Seconds));
            return SolveTimeText(s.Seconds);
        case 2: return s.Shuffles;
        case 3: return s.Moves;
        case 4: return s.SolverMoves ? QVariant(*s.SolverMoves) : QVariant();
        case 5:
            return efficiency ? QVariant(QStringLiteral("%1 %").arg(std::lround(*efficiency * 100)))
                              : QVariant();
        default: return QString::number(s.Moves / std::max(s.Seconds, 0.001), 'f', 1);
        }
    }
};

TStatsForm::TStatsForm(QORSolveHistory& history, QORReplay& replay, QWidget* parent)
    : QWidget(parent, Qt::Window), History(history), Replay(replay),
      Rows(new Model(history, this)) {
    setWindowTitle(tr("Статистика"));
    setFont(Tahoma(FormFontPixels));
    // Room for every column beside the figures, and for a chart that reads.
    resize(900, 600);
    Ask = [this](const QString& question) {
        return QMessageBox::question(this, QLatin1String(ProgramTitle), question) ==
               QMessageBox::Yes;
    };
    AskExportFile = [this](const QString& proposed) {
        const auto dialog =
            MakeFileDialog(this, QORFileKind::Export, QFileDialog::AcceptSave, proposed);
        return AskFile(*dialog, QORFileKind::Export);
    };
    Tell = [this](const QString& text) {
        QMessageBox::warning(this, QLatin1String(ProgramTitle), text);
    };
    ComboBoxShuffles = new QComboBox(this);
    Table = new QTableView(this);
    Table->setModel(Rows);
    Table->setSelectionBehavior(QAbstractItemView::SelectRows);
    Table->setSelectionMode(QAbstractItemView::SingleSelection);
    // Every column as wide as its header and the rows read so far; the last takes the rest.
    Table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    Table->horizontalHeader()->setStretchLastSection(true);
    Table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    LabelFigures = new QLabel(this);
    LabelFigures->setTextFormat(Qt::RichText);
    LabelFigures->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    Times = new QLineSeries(this);
    Times->setName(tr("Время"));
    Average = new QLineSeries(this);
    Average->setName(tr("Среднее из 5"));
    auto* chart = new QChart;
    chart->addSeries(Times);
    chart->addSeries(Average);
    auto* x = new QValueAxis, *y = new QValueAxis;
    // Whole solve numbers only: ticks every so many solves, from the first.
    x->setLabelFormat(QStringLiteral("%d"));
    x->setTickType(QValueAxis::TicksDynamic);
    x->setTickAnchor(0);
    y->setTitleText(tr("секунды"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QLineSeries* series : {Times, Average}) {
        series->attachAxis(x);
        series->attachAxis(y);
    }
    Chart = new QChartView(chart, this);
    Chart->setRenderHint(QPainter::Antialiasing);
    ButtonReplay = new QPushButton(tr("Смотреть"), this);
    ButtonPause = new QPushButton(this);
    ButtonStep = new QPushButton(tr("Шаг"), this);
    ComboBoxSpeed = new QComboBox(this);
    const std::pair<const char*, int> speeds[] = {
        {QT_TR_NOOP("как собирали"), 1}, {"×2", 2}, {"×4", 4}, {QT_TR_NOOP("без пауз"), 0}};
    for (const auto& [name, times] : speeds)
        ComboBoxSpeed->addItem(tr(name), times);
    ComboBoxSpeed->setToolTip(tr("С какой скоростью показывать ходы сборки"));
    Replay.SetSpeed(1);
    ButtonDelete = new QPushButton(tr("Удалить..."), this);
    ButtonExport = new QPushButton(tr("Экспорт в CSV..."), this);

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(tr("Перемешивание:"), this), 0, 0);
    layout->addWidget(ComboBoxShuffles, 0, 1);
    layout->addWidget(Table, 1, 0, 1, 3);
    layout->addWidget(LabelFigures, 1, 3);
    layout->addWidget(Chart, 2, 0, 1, 4);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {ButtonReplay, ButtonPause, ButtonStep})
        buttons->addWidget(b);
    buttons->addWidget(new QLabel(tr("Скорость:"), this));
    buttons->addWidget(ComboBoxSpeed);
    for (QPushButton* b : {ButtonDelete, ButtonExport})
        buttons->addWidget(b);
    buttons->addStretch();
    layout->addLayout(buttons, 3, 0, 1, 4);
    layout->setColumnStretch(2, 1);
    layout->setRowStretch(1, 3);
    layout->setRowStretch(2, 2);

    connect(ComboBoxShuffles, &QComboBox::activated, this, &TStatsForm::Reload);
    connect(ButtonReplay, &QPushButton::clicked, this, &TStatsForm::ButtonReplayClick);
    connect(ButtonPause, &QPushButton::clicked, this, &TStatsForm::ButtonPauseClick);
    connect(ButtonStep, &QPushButton::clicked, &Replay, &QORReplay::Step);
    connect(ComboBoxSpeed, &QComboBox::activated, this,
            [this] { Replay.SetSpeed(ComboBoxSpeed->currentData().toInt()); });
    connect(ButtonDelete, &QPushButton::clicked, this, &TStatsForm::ButtonDeleteClick);
    connect(ButtonExport, &QPushButton::clicked, this, &TStatsForm::ButtonExportClick);
    connect(&Replay, &QORReplay::Progress, this, &TStatsForm::ShowReplay);
    ShowReplay();
}

TStatsForm::~TStatsForm() = default;

void TStatsForm::ShowStats() {
    Reload();
    if (!Placed && parentWidget() && screen()) {
        Placed = true;
        move(Beside(parentWidget()->window()->frameGeometry(), frameGeometry().size(),
                    screen()->availableGeometry()));
    }
    show();
    raise();
    activateWindow();
}

void TStatsForm::Reload() {
    // The filter offers every shuffle length there is, and keeps the one chosen.
    const QVariant chosen = ComboBoxShuffles->currentData();
    ComboBoxShuffles->clear();
    ComboBoxShuffles->addItem(tr("все"), -1);
    for (int n : History.Lengths())
        ComboBoxShuffles->addItem(n == QORSolveHistory::RandomStateLength
                                      ? tr("случайное состояние")
                                  : n == QORSolveHistory::DailyLength ? tr("задача дня")
                                                                      : tr("%1 поворотов").arg(n),
                                  n);
    ComboBoxShuffles->setCurrentIndex(std::max(0, ComboBoxShuffles->findData(chosen)));
    const int length = ComboBoxShuffles->currentData().toInt();
    // One read of the times for the figures and the chart; the table reads its own pages.
    const QList<std::optional<double>> times = History.Times(length);
    Rows->Set(length, times.size());
    Table->scrollToTop();
    QList<double> sound;
    for (const std::optional<double>& time : times)
        if (time)
            sound << *time;
    const QORFigures figures = FiguresOf(sound);
    const qsizetype finished = std::count_if(sound.begin(), sound.end(),
                                             [](double t) { return !std::isinf(t); });
    ShowFigures(figures, finished, times.size() - sound.size());
    ShowChart(times, figures.Line);
}

void TStatsForm::ShowFigures(const QORFigures& figures, qsizetype solved, qsizetype damaged) {
    auto text = [](const std::optional<double>& t) { return t ? SolveTimeText(*t) : QString("—"); };
    QString html = QStringLiteral("<table cellspacing=4><tr><th></th><th>%1</th><th>%2</th></tr>")
                       .arg(tr("текущее"), tr("лучшее"));
    const char* const names[4] = {QT_TR_NOOP("Время"), QT_TR_NOOP("Среднее из 3"),
                                  QT_TR_NOOP("Среднее из 5"), QT_TR_NOOP("Среднее из 12")};
    for (int k = 0; k < 4; ++k)
        html += QStringLiteral("<tr><td>%1</td><td align=right>%2</td><td align=right>%3</td></tr>")
                    .arg(tr(names[k]), text(figures.Of[k].Current), text(figures.Of[k].Best));
    html += QStringLiteral("</table><p>%1</p>").arg(tr("Решено: %1").arg(solved));
    if (damaged)
        html += QStringLiteral("<p>%1</p>")
                    .arg(tr("Повреждённых записей: %1, они не учтены.").arg(damaged));
    LabelFigures->setText(html);
}

int TStatsForm::CurrentIndex() const {
    const QModelIndex index = Table->currentIndex();
    return index.isValid() ? index.row() : -1;
}

void TStatsForm::ButtonReplayClick() {
    const int row = CurrentIndex();
    if (row < 0) {
        Tell(tr("Выберите в таблице сборку, которую хотите посмотреть."));
        return;
    }
    const QORSolve& s = Rows->Loaded[row];
    if (!Replay.Start(s.Scramble, s.Solution, s.Damaged ? 0 : s.Seconds))
        Tell(tr("Эту сборку нельзя показать: записанные ходы повреждены."));
}

void TStatsForm::ButtonPauseClick() {
    if (Replay.Paused())
        Replay.Resume();
    else
        Replay.Pause();
}

void TStatsForm::ShowReplay() {
    const bool paused = Replay.Active() && Replay.Paused();
    ButtonPause->setText(paused ? tr("Дальше") : tr("Пауза"));
    ButtonPause->setEnabled(Replay.Active());
    ButtonStep->setEnabled(Replay.Active());
}

void TStatsForm::ButtonDeleteClick() {
    const int row = CurrentIndex();
    if (row < 0)
        return;
    const QORSolve s = Rows->Loaded[row];
    const QString question =
        s.Damaged
            ? tr("Удалить повреждённую запись от %1? Её нельзя будет вернуть.").arg(DateText(s))
            : tr("Удалить сборку от %1 со временем %2? Её нельзя будет вернуть.")
                  .arg(DateText(s), SolveTimeText(s.Seconds));
    if (!Ask(question))
        return;
    if (!History.Remove(s.Id))
        Tell(tr("Не удалось удалить сборку из файла истории."));
    Reload();
}

void TStatsForm::ButtonExportClick() {
    const QString path = AskExportFile(QDir::home().filePath(QStringLiteral("quelmora.csv")));
    QString error;
    if (!path.isEmpty() && !History.ExportCsv(path, &error))
        Tell(tr("Не удалось сохранить файл %1: %2").arg(QDir::toNativeSeparators(path), error));
}

void TStatsForm::keyPressEvent(QKeyEvent* event) {
    if (!ClosedByEscape(*this, event))
        QWidget::keyPressEvent(event);
}
