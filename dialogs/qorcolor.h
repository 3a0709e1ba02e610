#pragma once
// Colours as the settings and the cube keep them, 0x00BBGGRR, and as Qt draws them.

#include <QColor>

#include <cstdint>

inline QColor ColorFromValue(uint32_t v) {
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

inline uint32_t ValueFromColor(const QColor& c) {
    return uint32_t(c.red()) | uint32_t(c.green()) << 8 | uint32_t(c.blue()) << 16;
}
