#include "app/qoroptions.h"

#include <algorithm>

const std::array<QORIdleChoice, 14> IdleChoices = {{
    {"Никогда", 0},
    {"Через 5 секунд", 5000},
    {"Через 10 секунд", 10000},
    {"Через 20 секунд", 20000},
    {"Через 30 секунд", 30000},
    {"Через 45 секунд", 45000},
    {"Через 1 минуту", 60000},
    {"Через 2 минуты", 120000},
    {"Через 3 минуты", 180000},
    {"Через 4 минуты", 240000},
    {"Через 5 минут", 300000},
    {"Через 10 минут", 600000},
    {"Через 20 минут", 1200000},
    {"Через 30 минут", 1800000},
}};

const std::array<QORNamedColor, 20> NamedColors = {{
    {"Чёрный", 0x00000000},       {"Бордовый", 0x00000080},       {"Зелёный", 0x00008000},
    {"Оливковый", 0x00008080},    {"Тёмно-синий", 0x00800000},    {"Пурпурный", 0x00800080},
    {"Сине-зелёный", 0x00808000}, {"Серый", 0x00808080},          {"Серебристый", 0x00C0C0C0},
    {"Красный", 0x000000FF},      {"Лаймовый", 0x0000FF00},       {"Жёлтый", 0x0000FFFF},
    {"Синий", 0x00FF0000},        {"Фуксия", 0x00FF00FF},         {"Голубой", 0x00FFFF00},
    {"Белый", 0x00FFFFFF},        {"Светло-зелёный", 0x00C0DCC0}, {"Небесно-голубой", 0x00F0CAA6},
    {"Кремовый", 0x00F0FBFF},     {"Средне-серый", 0x00A4A0A0},
}};

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

QString IdleText(int index) {
    return QString::fromUtf8(IdleChoices.at(std::size_t(index)).Text);
}

int IdleTimeoutForIndex(int index) {
    return IdleChoices.at(std::size_t(index)).Milliseconds;
}

std::optional<int> IdleIndexFor(int milliseconds) {
    for (std::size_t i = 0; i < IdleChoices.size(); ++i)
        if (IdleChoices[i].Milliseconds == milliseconds)
            return int(i);
    return std::nullopt;
}

int IdleTimeoutOrDefault(int milliseconds) {
    return IdleIndexFor(milliseconds) ? milliseconds : 60000;
}
