#pragma once
// The game's typeface. Where Tahoma is missing the desktop substitutes its nearest font.

#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QString>

#include <initializer_list>
#include <utility>

inline QFont Tahoma(int pixels, bool bold = false) {
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// The windows' and dialogs' font size, Tahoma 8 points at 96 dpi. Windows do not take their
// parent's font, so each sets it.
inline constexpr int FormFontPixels = 11;

// The font made smaller, down to 8 pixels, until each text fits its width. The layouts have
// fixed widths; a desktop font wider than the one they were made for would clip captions.
inline QFont FittingFont(QFont font, std::initializer_list<std::pair<QString, int>> texts) {
    int pixels = QFontInfo(font).pixelSize();
    auto fits = [&] {
        const QFontMetrics m(font);
        for (const auto& [text, width] : texts)
            if (m.horizontalAdvance(text) > width)
                return false;
        return true;
    };
    while (pixels > 8 && !fits())
        font.setPixelSize(--pixels);
    return font;
}
