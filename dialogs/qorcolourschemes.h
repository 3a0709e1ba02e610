#pragma once
// Ready-made sets of the six face colours, among them sets a player with red–green colour
// blindness can tell apart, and the drop-down that offers them. Only the colours are kept, in
// the settings as ever; the drop-down works out from them which set they make.

#include "model/qormath.h"

#include <QComboBox>

#include <array>
#include <cstdint>

struct QORColourScheme {
    const char* Name; // the source text of its caption
    // 0x00BBGGRR values for the ColorTable slots 1 to 6: front, back, left, right, top, bottom.
    std::array<uint32_t, 6> Faces;
};

namespace QORColourSchemes {

extern const std::array<QORColourScheme, 3> All;

// The scheme whose six face colours the table holds, or -1.
int Find(const QORColorTable& table);

} // namespace QORColourSchemes

class QORSchemeBox : public QComboBox {
    Q_OBJECT
public:
    explicit QORSchemeBox(QWidget* parent = nullptr);

    // Shows the scheme the table's face colours make, or the last entry when they make none.
    void Show(const QORColorTable& table);

signals:
    // The player picked a scheme, an index of QORColourSchemes::All.
    void Picked(int scheme);
};
