#include "dialogs/stats.h"

#include "cube/qorhistory.h"
#include "cube/qorreplay.h"
#include "cube/qorstats.h"
#include "dialogs/qorfiledialog.h"
#include "dialogs/qorfont.h"
#include "dialogs/qorprogram.h"
#include "dialogs/qortoolwindow.h"

#include <QAbstractTableModel>
#include <QChartView>
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

class TStatsForm::Model : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;
    QList<QORSolve> Solves;

    void Set(QList<QORSolve> solves) {
        beginResetModel();
        Solves = std::move(solves);
        endResetModel();
    }
    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : int(Solves.size());
    }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 5; }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        static const char* const Headers[5] = {"Дата", "Время", "Перемешивание", "Ходов", "Ход/с"};
        if (role != Qt::DisplayRole)
            return {};
        return orientation == Qt::Horizontal ? QVariant(QString::fromUtf8(Headers[section]))
                                             : QVariant(section + 1);
    }
    QVariant data(const QModelIndex& index, int role) const override {
        const QORSolve& s = Solves[index.row()];
        if (role == Qt::TextAlignmentRole && index.column() > 0)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        if (role != Qt::DisplayRole)
            return {};
        switch (index.column()) {
        case 0: return s.FinishedAt.toLocalTime().toString(QStringLiteral("dd.MM.yyyy HH:mm"));
        case 1: return SolveTimeText(s.Seconds);
        case 2: return s.Shuffles;
        case 3: return s.Moves;
        default: return QString::number(s.Moves / std::max(s.Seconds, 0.001), 'f', 1);
        }
    }
};

TStatsForm::TStatsForm(QORSolveHistory& history, QORReplay& replay, QWidget* parent)
    : QWidget(parent, Qt::Window), History(history), Replay(replay), Rows(new Model(this)) {
    setWindowTitle(QStringLiteral("Статистика"));
    setFont(Tahoma(FormFontPixels));
    resize(680, 520);
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
    Table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    // The date is the longest text; it must show whole.
    Table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    Table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    LabelFigures = new QLabel(this);
    LabelFigures->setTextFormat(Qt::RichText);
    LabelFigures->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    Times = new QLineSeries(this);
    Times->setName(QStringLiteral("Время"));
    Average = new QLineSeries(this);
    Average->setName(QStringLiteral("Среднее из 5"));
    auto* chart = new QChart;
    chart->addSeries(Times);
    chart->addSeries(Average);
    auto* x = new QValueAxis, *y = new QValueAxis;
    // Whole solve numbers only: ticks every so many solves, from the first.
    x->setLabelFormat(QStringLiteral("%d"));
    x->setTickType(QValueAxis::TicksDynamic);
    x->setTickAnchor(1);
    y->setTitleText(QStringLiteral("секунды"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QLineSeries* series : {Times, Average}) {
        series->attachAxis(x);
        series->attachAxis(y);
    }
    Chart = new QChartView(chart, this);
    Chart->setRenderHint(QPainter::Antialiasing);
    ButtonReplay = new QPushButton(QStringLiteral("Смотреть"), this);
    ButtonPause = new QPushButton(this);
    ButtonStep = new QPushButton(QStringLiteral("Шаг"), this);
    ButtonDelete = new QPushButton(QStringLiteral("Удалить..."), this);
    ButtonExport = new QPushButton(QStringLiteral("Экспорт в CSV..."), this);

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Перемешивание:"), this), 0, 0);
    layout->addWidget(ComboBoxShuffles, 0, 1);
    layout->addWidget(Table, 1, 0, 1, 3);
    layout->addWidget(LabelFigures, 1, 3);
    layout->addWidget(Chart, 2, 0, 1, 4);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {ButtonReplay, ButtonPause, ButtonStep, ButtonDelete, ButtonExport})
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
    connect(ButtonDelete, &QPushButton::clicked, this, &TStatsForm::ButtonDeleteClick);
    connect(ButtonExport, &QPushButton::clicked, this, &TStatsForm::ButtonExportClick);
    connect(&Replay, &QORReplay::Progress, this, &TStatsForm::ShowReplay);
    ShowReplay();
}

TStatsForm::~TStatsForm() = default;

const QList<QORSolve>& TStatsForm::Shown() const {
    return Rows->Solves;
}

void TStatsForm::ShowStats() {
    Reload();
    // The first time, beside the main window rather than over the cube a replay turns.
    if (!Placed && parentWidget() && screen()) {
        Placed = true;
        const QRect main = parentWidget()->window()->frameGeometry();
        const QRect room = screen()->availableGeometry();
        const int right = main.right() + 8, left = main.left() - 8 - width();
        if (right + width() <= room.right())
            move(right, main.top());
        else if (left >= room.left())
            move(left, main.top());
    }
    show();
    raise();
    activateWindow();
}

void TStatsForm::Reload() {
    const QList<QORSolve> all = History.All();
    // The filter offers every shuffle length there is, and keeps the one chosen.
    QList<int> lengths;
    for (const QORSolve& s : all)
        if (!lengths.contains(s.Shuffles))
            lengths << s.Shuffles;
    std::sort(lengths.begin(), lengths.end());
    const QVariant chosen = ComboBoxShuffles->currentData();
    ComboBoxShuffles->clear();
    ComboBoxShuffles->addItem(QStringLiteral("все"), -1);
    for (int n : lengths)
        ComboBoxShuffles->addItem(QStringLiteral("%1 поворотов").arg(n), n);
    ComboBoxShuffles->setCurrentIndex(std::max(0, ComboBoxShuffles->findData(chosen)));
    const int length = ComboBoxShuffles->currentData().toInt();
    QList<QORSolve> shown;
    for (const QORSolve& s : all)
        if (length < 0 || s.Shuffles == length)
            shown << s;
    Rows->Set(shown);
    Table->scrollToBottom();
    ShowFigures();
    ShowChart();
}

void TStatsForm::ShowFigures() {
    QList<double> times;
    for (const QORSolve& s : Rows->Solves)
        times << s.Seconds;
    auto text = [](const std::optional<double>& t) { return t ? SolveTimeText(*t) : QString("—"); };
    QString html = QStringLiteral("<table cellspacing=4><tr><th></th><th>текущее</th>"
                                  "<th>лучшее</th></tr>");
    const std::pair<const char*, int> figures[] = {
        {"Время", 1}, {"Среднее из 3", 3}, {"Среднее из 5", 5}, {"Среднее из 12", 12}};
    for (const auto& [name, n] : figures) {
        const QORRunningFigure f = Figure(times, n);
        html += QStringLiteral("<tr><td>%1</td><td align=right>%2</td><td align=right>%3</td></tr>")
                    .arg(QString::fromUtf8(name), text(f.Current), text(f.Best));
    }
    LabelFigures->setText(html + QStringLiteral("</table><p>Решено: %1</p>").arg(times.size()));
}

void TStatsForm::ShowChart() {
    QList<QPointF> times, average;
    double slowest = 1;
    const QList<QORSolve>& solves = Rows->Solves;
    QList<double> seconds;
    for (const QORSolve& s : solves)
        seconds << s.Seconds;
    const QList<std::optional<double>> line = RollingAverageOf5(seconds);
    for (qsizetype i = 0; i < solves.size(); ++i) {
        times << QPointF(double(i + 1), seconds[i]);
        if (line[i])
            average << QPointF(double(i + 1), *line[i]);
        slowest = std::max(slowest, seconds[i]);
    }
    // One call each: a point at a time would redraw the chart ten thousand times.
    Times->replace(times);
    Average->replace(average);
    // Points show while there are few enough to tell apart.
    Times->setPointsVisible(solves.size() <= 50);
    QList<QAbstractAxis*> axes = Chart->chart()->axes();
    const qsizetype last = std::max<qsizetype>(2, solves.size());
    axes[0]->setRange(1, double(last));
    static_cast<QValueAxis*>(axes[0])->setTickInterval(std::max<qsizetype>(1, last / 8));
    axes[1]->setRange(0, slowest * 1.05);
}

int TStatsForm::CurrentIndex() const {
    const QModelIndex index = Table->currentIndex();
    return index.isValid() ? index.row() : -1;
}

void TStatsForm::ButtonReplayClick() {
    const int row = CurrentIndex();
    if (row < 0) {
        Tell(QStringLiteral("Выберите в таблице сборку, которую хотите посмотреть."));
        return;
    }
    const QORSolve& s = Rows->Solves[row];
    if (!Replay.Start(s.Scramble, s.Solution))
        Tell(QStringLiteral("Эту сборку нельзя показать: записанные ходы повреждены."));
}

void TStatsForm::ButtonPauseClick() {
    if (Replay.Paused())
        Replay.Resume();
    else
        Replay.Pause();
}

void TStatsForm::ShowReplay() {
    const bool paused = Replay.Active() && Replay.Paused();
    ButtonPause->setText(paused ? QStringLiteral("Дальше") : QStringLiteral("Пауза"));
    ButtonPause->setEnabled(Replay.Active());
    ButtonStep->setEnabled(Replay.Active());
}

void TStatsForm::ButtonDeleteClick() {
    const int row = CurrentIndex();
    if (row < 0)
        return;
    const QORSolve s = Rows->Solves[row];
    const QString question =
        QStringLiteral("Удалить сборку от %1 со временем %2? Её нельзя будет вернуть.")
            .arg(s.FinishedAt.toLocalTime().toString(QStringLiteral("dd.MM.yyyy HH:mm")),
                 SolveTimeText(s.Seconds));
    if (!Ask(question))
        return;
    if (!History.Remove(s.Id))
        Tell(QStringLiteral("Не удалось удалить сборку из файла истории."));
    Reload();
}

void TStatsForm::ButtonExportClick() {
    const QString path = AskExportFile(QDir::home().filePath(QStringLiteral("quelmora.csv")));
    QString error;
    if (!path.isEmpty() && !History.ExportCsv(path, &error))
        Tell(QStringLiteral("Не удалось сохранить файл %1: %2")
                 .arg(QDir::toNativeSeparators(path), error));
}

void TStatsForm::keyPressEvent(QKeyEvent* event) {
    if (!ClosedByEscape(*this, event))
        QWidget::keyPressEvent(event);
}
