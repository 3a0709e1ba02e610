#include "dialogs/qorcolorbox.h"

#include "dialogs/qorcolor.h"
#include "dialogs/qoroptionmaps.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QPainter>
#include <QPixmap>

namespace {

QIcon Swatch(uint32_t value) {
    QPixmap pixmap(24, 12);
    pixmap.fill(ColorFromValue(value));
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, pixmap.width() - 1, pixmap.height() - 1);
    return QIcon(pixmap);
}

} // namespace

QORColorBox::QORColorBox(QWidget* parent) : QComboBox(parent) {
    setIconSize(QSize(24, 12));
    setMaxVisibleItems(int(NamedColors.size()) + 1);
    addItem(Swatch(0), tr("Другой..."), 0u);
    for (const QORNamedColor& c : NamedColors)
        addItem(Swatch(c.Value), QCoreApplication::translate("QORSettingTable", c.Caption),
                c.Value);
    AskColor = [this](const QColor& initial) -> std::optional<QColor> {
        const QColor chosen = QColorDialog::getColor(initial, this);
        if (!chosen.isValid())
            return std::nullopt;
        return chosen;
    };
    connect(this, &QComboBox::activated, this, &QORColorBox::ItemActivated);
}

uint32_t QORColorBox::Selected() const {
    return currentData().toUInt();
}

void QORColorBox::Select(uint32_t value) {
    value &= 0x00FFFFFF;
    // The first entry may hold the same value; a named entry wins.
    int index = 1;
    while (index < count() && itemData(index).toUInt() != value)
        ++index;
    if (index == count()) {
        index = 0;
        setItemData(0, value);
        setItemIcon(0, Swatch(value));
    }
    setCurrentIndex(index);
    Shown = index;
}

void QORColorBox::ItemActivated(int index) {
    if (index == 0) {
        const std::optional<QColor> chosen = AskColor(ColorFromValue(itemData(Shown).toUInt()));
        if (!chosen) {
            setCurrentIndex(Shown);
            return;
        }
        Select(ValueFromColor(*chosen));
    } else {
        Shown = index;
    }
    emit Changed(Selected());
}
