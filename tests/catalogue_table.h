// The twenty-four conversions as the user reads them in the list, by category
// in list order.
#pragma once

#include <string_view>
#include <utility>
#include <vector>

#include "conversion_catalogue.h"

namespace mensora::testing {

inline const std::vector<std::pair<Category, std::vector<std::u16string_view>>> listedCaptions{
    {Category::Distance,
     {u"Centimeters to Inches", u"Inches to Centimeters", u"Feet to Meters", u"Meters to Feet",
      u"Miles to Kilometers", u"Kilometers to Miles"}},
    {Category::Volume,
     {u"Cubic Centimeters to Cubic Inches", u"Cubic Inches to Cubic Centimeters", u"Litres to Pints",
      u"Pints to Litres"}},
    {Category::Temperature,
     {u"Centigrade (Celsius) to Fahrenheit", u"Fahrenheit to Centigrade (Celsius)", u"Centigrade (Celsius) to Kelvin",
      u"Kelvin to Centigrade (Celsius)", u"Kelvin to Fahrenheit", u"Fahrenheit to Kelvin"}},
    {Category::Area,
     {u"Square Centimeters to Square Inches", u"Square Inches to Square Centimeters", u"Acres to Square Meters",
      u"Square Metres to Acres"}},
    {Category::Weight, {u"Pounds to Kilograms", u"Kilograms to Pounds", u"Ounces to Grams", u"Grams to Ounces"}},
};

}  // namespace mensora::testing
