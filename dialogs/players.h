#pragma once
// The top-list window: the server's list of best players as a read-only table, filled
// whether or not it is shown, and only hidden when closed. A second tab shows the verified
// list, whose times the server replayed, to the hundredth; a third the verified list of
// random-state solves, kept apart from the numbered ones; a fourth today's daily challenge.

#include "net/qorverified.h"

#include <QStringList>
#include <QWidget>

class QStyleOptionViewItem;
class QTabWidget;
class QTreeWidget;

class TPlayersForm : public QWidget {
    Q_OBJECT
public:
    // Texts of a row kept beyond the shown columns.
    static constexpr int ExtraTextsRole = Qt::UserRole;
    static constexpr unsigned OddRowColor = 0x00F0EBE8;

    explicit TPlayersForm(QWidget* mainForm);

    QTabWidget* Tabs = nullptr;
    QTreeWidget* ListView = nullptr;
    QTreeWidget* VerifiedView = nullptr;
    QTreeWidget* RandomStateView = nullptr;
    QTreeWidget* DailyView = nullptr;

    // Makes the window visible and brings it to the front without waiting for it.
    void ShowList();
    // The same, on the daily challenge's tab.
    void ShowDaily();
    void Clear();
    void AddRow(const QString& caption, const QStringList& texts);
    // Fills the verified tab of the list's kind anew (the numbered one when empty, else
    // RandomKind or a daily one), in the server's order: place, nick, time, moves, shuffle
    // length (the scramble's quarter turns for a random state), date.
    void SetVerified(const QList<QORProtocol::VerifiedRow>& rows, const QString& kind = {});
    // Before each row is drawn: odd rows get the second background colour.
    void ListViewCustomDrawItem(int row, QStyleOptionViewItem& option) const;
    // Shares the list's width equally among the columns, the remainder to the first.
    void ListViewResize();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool Placed = false;
};
