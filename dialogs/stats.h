#pragma once
// The statistics window: every stored solve in a table, the current and best single, mean of
// 3 and averages of 5 and 12, a chart of the times with their rolling average of 5, for all
// shuffle lengths or one; a solve can be deleted, all exported, or one watched again at the
// pace it was solved or faster. A damaged record is shown as such and counts nowhere.

#include <QList>
#include <QWidget>

#include <functional>
#include <optional>

class QChartView;
class QComboBox;
class QLabel;
class QLineSeries;
class QORReplay;
class QORSolveHistory;
class QPushButton;
class QTableView;
struct QORFigures;
struct QORSolve;

class TStatsForm : public QWidget {
    Q_OBJECT
public:
    TStatsForm(QORSolveHistory& history, QORReplay& replay, QWidget* parent = nullptr);
    ~TStatsForm() override;

    QComboBox *ComboBoxShuffles = nullptr, *ComboBoxSpeed = nullptr;
    QTableView* Table = nullptr;
    QLabel* LabelFigures = nullptr;
    QChartView* Chart = nullptr;
    QPushButton *ButtonReplay = nullptr, *ButtonPause = nullptr, *ButtonStep = nullptr,
                *ButtonDelete = nullptr, *ButtonExport = nullptr;

    // What the window asks and tells through the desktop; tests answer instead.
    std::function<bool(const QString& question)> Ask;
    std::function<QString(const QString& proposed)> AskExportFile;
    std::function<void(const QString& text)> Tell;

    // Reads the solves again and shows the window in front; the first time beside the main
    // window, so that a replay's cube shows too.
    void ShowStats();
    // Reads the solves again: after a win, a delete, a change of filter.
    void Reload();
    void ButtonReplayClick();
    void ButtonPauseClick();
    void ButtonDeleteClick();
    void ButtonExportClick();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    class Model;
    void ShowFigures(const QORFigures& figures, qsizetype solved, qsizetype damaged);
    // Every solve's result as the history gives it, and the average of 5 ending with each
    // sound one.
    void ShowChart(const QList<std::optional<double>>& results,
                   const QList<std::optional<double>>& soundLine);
    void ShowReplay();
    // The solve of the table's current row, or -1.
    int CurrentIndex() const;

    QORSolveHistory& History;
    QORReplay& Replay;
    Model* Rows;
    QLineSeries *Times = nullptr, *Average = nullptr;
    bool Placed = false;
};
