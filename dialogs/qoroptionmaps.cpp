#include "dialogs/qoroptionmaps.h"

#include "settings/qorsettings.h"

#include <algorithm>

// The sliders offer only values the settings accept, up to the most passes there are.
static_assert(QualityPasses.back() == QORSettingTable::DrawQuality.Max);
static_assert([] {
    for (int step : SpeedSteps)
        if (!DividesQuarterTurn(step))
            return false;
    return true;
}());

namespace {

template <std::size_t N> int AtPosition(const std::array<int, N>& table, int position) {
    return table[std::size_t(std::clamp(position, 1, int(N)) - 1)];
}

template <std::size_t N> std::optional<int> PositionOf(const std::array<int, N>& table, int value) {
    const auto it = std::find(table.begin(), table.end(), value);
    if (it == table.end())
        return std::nullopt;
    return int(it - table.begin()) + 1;
}

} // namespace

int QualityForPosition(int position) {
    return AtPosition(QualityPasses, position);
}

int StepForPosition(int position) {
    return AtPosition(SpeedSteps, position);
}

std::optional<int> PositionForQuality(int passes) {
    return PositionOf(QualityPasses, passes);
}

std::optional<int> PositionForStep(int degrees) {
    return PositionOf(SpeedSteps, degrees);
}
