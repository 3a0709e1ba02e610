#pragma once
// A colour drop-down: named colours with swatches, and a first entry that opens the
// desktop's colour chooser for any other colour and then shows that colour.

#include <QColor>
#include <QComboBox>

#include <cstdint>
#include <functional>
#include <optional>

class QORColorBox : public QComboBox {
    Q_OBJECT
public:
    explicit QORColorBox(QWidget* parent = nullptr);

    // Colours are 0x00BBGGRR values.
    uint32_t Selected() const;
    // Selects the named colour, or shows the value in the first entry.
    void Select(uint32_t value);

    // The colour chooser; nothing when the player cancels. Tests replace it.
    std::function<std::optional<QColor>(const QColor& initial)> AskColor;

signals:
    // The player chose a colour, named or not.
    void Changed(uint32_t value);

private:
    void ItemActivated(int index);
    int Shown = 0;
};
