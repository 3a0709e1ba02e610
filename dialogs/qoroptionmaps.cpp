#include "dialogs/qoroptionmaps.h"

#include "cube/qorsettings.h"

#include <algorithm>

const std::array<QORNamedColor, 20> NamedColors = {{
    {"Чёрный", 0x00000000},       {"Бордовый", 0x00000080},       {"Зелёный", 0x00008000},
    {"Оливковый", 0x00008080},    {"Тёмно-синий", 0x00800000},    {"Пурпурный", 0x00800080},
    {"Сине-зелёный", 0x00808000}, {"Серый", 0x00808080},          {"Серебристый", 0x00C0C0C0},
    {"Красный", 0x000000FF},      {"Лаймовый", 0x0000FF00},       {"Жёлтый", 0x0000FFFF},
    {"Синий", 0x00FF0000},        {"Фуксия", 0x00FF00FF},         {"Голубой", 0x00FFFF00},
    {"Белый", 0x00FFFFFF},        {"Светло-зелёный", 0x00C0DCC0}, {"Небесно-голубой", 0x00F0CAA6},
    {"Кремовый", 0x00F0FBFF},     {"Средне-серый", 0x00A4A0A0},
}};

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
