#include "dialogs/qorcolourschemes.h"

#include <QCoreApplication>

namespace QORColourSchemes {

// The second keeps blue, orange, yellow and light against dark, and no red beside a green.
const std::array<QORColourScheme, 3> All = {{
    {QT_TRANSLATE_NOOP("QORSchemeBox", "Обычная"),
     {DefaultColorValues[1], DefaultColorValues[2], DefaultColorValues[3], DefaultColorValues[4],
      DefaultColorValues[5], DefaultColorValues[6]}},
    {QT_TRANSLATE_NOOP("QORSchemeBox", "Для дальтоников"),
     {0x00FFFFFF, 0x00808080, 0x00009FE6, 0x00B27200, 0x0042E4F0, 0x00E9B456}},
    {QT_TRANSLATE_NOOP("QORSchemeBox", "Контрастная"),
     {0x00FFFFFF, 0x00FF0000, 0x0000FF00, 0x00FF00FF, 0x0000FFFF, 0x000000FF}},
}};

int Find(const QORColorTable& table) {
    for (std::size_t s = 0; s < All.size(); ++s) {
        bool same = true;
        for (std::size_t f = 0; f < 6; ++f)
            same = same && ColorValueFromRGB(table[f + 1]) == All[s].Faces[f];
        if (same)
            return int(s);
    }
    return -1;
}

} // namespace QORColourSchemes

QORSchemeBox::QORSchemeBox(QWidget* parent) : QComboBox(parent) {
    for (const QORColourScheme& scheme : QORColourSchemes::All)
        addItem(tr(scheme.Name));
    // Colours the player chose one by one; picking it changes nothing.
    addItem(tr("Своя"));
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (index < int(QORColourSchemes::All.size()))
            emit Picked(index);
    });
}

void QORSchemeBox::Show(const QORColorTable& table) {
    const int scheme = QORColourSchemes::Find(table);
    setCurrentIndex(scheme < 0 ? count() - 1 : scheme);
}
