// A box that shows its text whole: its font, a face of its own, steps down
// from the window's size until the text fits the box, never below a floor,
// and steps back up as the text gets shorter, as a calculator's display does.
// Both hosts follow this rule, each measuring the text as its own box draws
// it; a text too long even at the floor scrolls as in any box.
#pragma once

#include <span>
#include <string_view>

namespace mensora {

struct FontSteps {
    std::span<const std::u16string_view> faces;  // the first installed one is used
    bool bold;
    double floorPointSize;  // the smallest size the box's font takes
    double stepPointSize;   // how much smaller each step is
};

// The largest of the sizes from `full` down to the floor, a step apart, at
// which the text fits(size); the floor where none is.
template <class Fits>
double fittedPointSize(double full, FontSteps steps, Fits fits)
{
    double size = full;
    for (int step = 1; full - step * steps.stepPointSize >= steps.floorPointSize && !fits(size); ++step) {
        size = full - step * steps.stepPointSize;
    }
    return size;
}

}  // namespace mensora
