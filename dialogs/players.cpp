#include "dialogs/players.h"

#include "dialogs/qorcolor.h"
#include "dialogs/qorfont.h"
#include "dialogs/qortoolwindow.h"
#include "net/qorclocktext.h"
#include "net/qorprotocol.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

class PlayersList : public QTreeWidget {
public:
    PlayersList(TPlayersForm* form) : QTreeWidget(form), Form(form) {}

protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override {
        QStyleOptionViewItem row = option;
        Form->ListViewCustomDrawItem(index.row(), row);
        if (row.backgroundBrush.style() != Qt::NoBrush)
            painter->fillRect(row.rect, row.backgroundBrush);
        QTreeWidget::drawRow(painter, row, index);
    }
    void resizeEvent(QResizeEvent* event) override {
        QTreeWidget::resizeEvent(event);
        Form->ListViewResize();
    }

private:
    TPlayersForm* Form;
};

// A verified list's table: read-only rows in alternating colours.
QTreeWidget* VerifiedList(QWidget* parent, const QPalette& palette) {
    auto* view = new QTreeWidget(parent);
    view->setHeaderLabels({TPlayersForm::tr("Место"), TPlayersForm::tr("Ник"),
                           TPlayersForm::tr("Время"), TPlayersForm::tr("Ходов"),
                           TPlayersForm::tr("Перемешивание"), TPlayersForm::tr("Дата")});
    view->setRootIsDecorated(false);
    view->setUniformRowHeights(true);
    view->setAlternatingRowColors(true);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setPalette(palette);
    return view;
}

} // namespace

TPlayersForm::TPlayersForm(QWidget* mainForm) : QWidget(mainForm, Qt::Window) {
    setWindowTitle(tr("Топ игроков"));
    setFont(Tahoma(FormFontPixels));
    resize(510, 239);
    ListView = new PlayersList(this);
    ListView->setHeaderLabels(
        {tr("Ник"), tr("Время"), tr("Количество оборотов при перемешивании"), tr("Дата")});
    ListView->setRootIsDecorated(false);
    ListView->setUniformRowHeights(true);
    ListView->setSortingEnabled(false);
    ListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView->header()->setSectionsMovable(false);
    ListView->header()->setStretchLastSection(false);
    ListView->header()->setSectionResizeMode(QHeaderView::Fixed);
    QPalette palette = ListView->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    ListView->setPalette(palette);
    // Rows the server checked by replaying them; their time is to the hundredth.
    palette.setColor(QPalette::AlternateBase, ColorFromValue(OddRowColor));
    VerifiedView = VerifiedList(this, palette);
    RandomStateView = VerifiedList(this, palette);
    DailyView = VerifiedList(this, palette);
    Tabs = new QTabWidget(this);
    Tabs->addTab(ListView, tr("Все"));
    Tabs->addTab(VerifiedView, tr("Проверенные"));
    Tabs->addTab(RandomStateView, tr("Случайное состояние"));
    Tabs->addTab(DailyView, tr("Задача дня"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Tabs);
}

void TPlayersForm::SetVerified(const QList<QORProtocol::VerifiedRow>& rows, const QString& kind) {
    QTreeWidget* view = kind == QORProtocol::RandomKind ? RandomStateView
                         : kind.startsWith(QORProtocol::DailyKind) ? DailyView
                                                                   : VerifiedView;
    view->clear();
    int place = 0;
    for (const QORProtocol::VerifiedRow& row : rows)
        new QTreeWidgetItem(view,
                            {QString::number(++place), row.Nick, ClockTextMs(row.Ms),
                             QString::number(row.Moves), QString::number(row.Shuffles),
                             row.Date.toString(QORProtocol::ListDateForm)});
    for (int c = 0; c < view->columnCount(); ++c)
        view->resizeColumnToContents(c);
}

void TPlayersForm::ShowList() {
    ShowInFront(*this, Placed);
}

void TPlayersForm::ShowDaily() {
    Tabs->setCurrentWidget(DailyView);
    ShowList();
}

void TPlayersForm::keyPressEvent(QKeyEvent* event) {
    if (!ClosedByEscape(*this, event))
        QWidget::keyPressEvent(event);
}

void TPlayersForm::Clear() {
    ListView->clear();
}

void TPlayersForm::AddRow(const QString& caption, const QStringList& texts) {
    QStringList columns = {caption};
    columns << texts.mid(0, 3);
    auto* item = new QTreeWidgetItem(ListView, columns);
    if (texts.size() > 3)
        item->setData(0, ExtraTextsRole, texts.mid(3));
}

void TPlayersForm::ListViewCustomDrawItem(int row, QStyleOptionViewItem& option) const {
    if (row % 2 == 1)
        option.backgroundBrush = ColorFromValue(OddRowColor);
}

void TPlayersForm::ListViewResize() {
    const int columns = ListView->columnCount();
    const int width = ListView->viewport()->width();
    const int each = width / columns;
    ListView->header()->resizeSection(0, width - each * (columns - 1));
    for (int c = 1; c < columns; ++c)
        ListView->header()->resizeSection(c, each);
}
