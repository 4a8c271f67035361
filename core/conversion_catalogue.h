// The fixed table of the twenty-four conversions: the one source of the list
// captions and of the arithmetic. The list index within a category is the key.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "number_text.h"

namespace mensora {

// In the order of the option buttons, top to bottom, which is also the order
// in which Convert tests them.
enum class Category : std::uint8_t { Distance, Volume, Temperature, Area, Weight };

inline constexpr std::array<Category, 5> allCategories{
    Category::Distance, Category::Volume, Category::Temperature, Category::Area, Category::Weight};

enum class Op : std::uint8_t { None, Multiply, Divide, Add, Subtract };

struct Step {
    Op op = Op::None;
    double k = 0.0;
};

// One conversion. A one-operation formula is `first` alone. A two-stage
// formula computes `first` then `second` as its first stage, rounds that value
// through text, then applies `last`.
struct Entry {
    std::u16string_view caption;
    Step first;
    Step second{};
    Step last{};

    [[nodiscard]] constexpr bool twoStage() const noexcept { return last.op != Op::None; }
};

namespace catalogue_detail {
using enum Op;
inline constexpr std::array<Entry, 24> entries{{
    // Distance
    {u"Centimeters to Inches", {Divide, 2.54}},
    {u"Inches to Centimeters", {Multiply, 2.54}},
    {u"Feet to Meters", {Multiply, 0.3048}},
    {u"Meters to Feet", {Divide, 0.3048}},
    {u"Miles to Kilometers", {Multiply, 1.6093}},
    {u"Kilometers to Miles", {Divide, 1.6093}},
    // Volume
    {u"Cubic Centimeters to Cubic Inches", {Divide, 16.387064}},
    {u"Cubic Inches to Cubic Centimeters", {Multiply, 16.387064}},
    {u"Litres to Pints", {Divide, 0.56826125}},
    {u"Pints to Litres", {Multiply, 0.56826125}},
    // Temperature
    {u"Centigrade (Celsius) to Fahrenheit", {Multiply, 9}, {Divide, 5}, {Add, 32}},
    {u"Fahrenheit to Centigrade (Celsius)", {Subtract, 32}, {Multiply, 5}, {Divide, 9}},
    {u"Centigrade (Celsius) to Kelvin", {Add, 273.15}},
    {u"Kelvin to Centigrade (Celsius)", {Subtract, 273.15}},
    {u"Kelvin to Fahrenheit", {Subtract, 273.15}, {Multiply, 1.8}, {Add, 32}},
    {u"Fahrenheit to Kelvin", {Subtract, 32}, {Multiply, 0.5555}, {Add, 273.15}},
    // Area
    {u"Square Centimeters to Square Inches", {Multiply, 0.15500031}},
    {u"Square Inches to Square Centimeters", {Divide, 0.15500031}},
    {u"Acres to Square Meters", {Multiply, 4046.873}},
    {u"Square Metres to Acres", {Divide, 4046.873}},
    // Weight
    {u"Pounds to Kilograms", {Divide, 2.21}},
    {u"Kilograms to Pounds", {Multiply, 2.21}},
    {u"Ounces to Grams", {Multiply, 28.349}},
    {u"Grams to Ounces", {Divide, 28.349}},
}};

struct Span {
    std::uint8_t first;
    std::uint8_t count;
};
inline constexpr std::array<Span, 5> spans{{{0, 6}, {6, 4}, {10, 6}, {16, 4}, {20, 4}}};
}  // namespace catalogue_detail

// The entries of one category, in list order.
[[nodiscard]] constexpr std::span<const Entry> entriesOf(Category category) noexcept
{
    const auto s = catalogue_detail::spans[static_cast<std::size_t>(category)];
    return std::span<const Entry>(catalogue_detail::entries).subspan(s.first, s.count);
}

// All twenty-four entries, by category in category order.
[[nodiscard]] constexpr std::span<const Entry> allEntries() noexcept { return catalogue_detail::entries; }

// The entry at a list index, or nullptr when the index is negative or beyond
// the category's entries.
[[nodiscard]] constexpr const Entry* findEntry(Category category, int index) noexcept
{
    const auto entries = entriesOf(category);
    if (index < 0 || static_cast<std::size_t>(index) >= entries.size()) return nullptr;
    return &entries[static_cast<std::size_t>(index)];
}

// The two unit names of a caption: the text before " to " and the text after
// it, as the unit labels show them.
struct UnitNames {
    std::u16string_view source;
    std::u16string_view target;
};
[[nodiscard]] UnitNames splitCaption(std::u16string_view caption) noexcept;

// Applies the entry's formula to x, with the floating-point check after each
// stage and the round trip through text between the stages of a two-stage
// formula.
[[nodiscard]] Outcome<double> applyFormula(const Entry& entry, double x);

}  // namespace mensora
