#pragma once
// What the options dialog's controls stand for: slider positions mapped to the values the
// settings keep, and the colours its drop-downs offer. The idle list is the settings' own.

#include "settings/qorsettings.h"

#include <array>
#include <cstdint>
#include <optional>

// Quality slider positions 1..10 as anti-aliasing passes.
inline constexpr std::array<int, 10> QualityPasses = {1, 2, 3, 4, 5, 6, 8, 9, 12, 16};
// Turn-speed slider positions 1..9 as degrees per animation frame; each divides 90.
inline constexpr std::array<int, 9> SpeedSteps = {1, 2, 3, 5, 6, 9, 10, 30, 45};

// Slider positions count from 1; a position outside the slider's range is clamped to it.
int QualityForPosition(int position);
int StepForPosition(int position);
// The position that stands for a value, or nothing when no position does.
std::optional<int> PositionForQuality(int passes);
std::optional<int> PositionForStep(int degrees);

// The colours the drop-downs offer are the settings' named ones.
inline constexpr const auto& NamedColors = QORSettingTable::NamedColors;
