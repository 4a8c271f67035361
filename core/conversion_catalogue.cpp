#include "conversion_catalogue.h"

#include "decimal_rounding.h"

namespace mensora {

namespace {

// Carried out exactly as written: x ÷ k is a true division, never a
// multiplication by the reciprocal.
double apply(Step step, double x) noexcept
{
    switch (step.op) {
    case Op::Multiply: return x * step.k;
    case Op::Divide: return x / step.k;
    case Op::Add: return addWithoutNoise(x, step.k);
    case Op::Subtract: return addWithoutNoise(x, -step.k);
    case Op::None: break;
    }
    return x;
}

}  // namespace

UnitNames splitCaption(std::u16string_view caption) noexcept
{
    constexpr std::u16string_view separator = u" to ";
    const auto at = caption.find(separator);
    if (at == std::u16string_view::npos) return {caption, {}};
    const auto rest = caption.substr(at + separator.size());
    // only the piece straight after the separator names the target
    return {caption.substr(0, at), rest.substr(0, rest.find(separator))};
}

Outcome<double> applyFormula(const Entry& entry, double x)
{
    const double stage = apply(entry.second, apply(entry.first, x));
    if (const RunError e = checkFloatStatus(stage); e != RunError::None) return {0.0, e};
    if (!entry.twoStage()) return {stage, RunError::None};

    const Outcome<double> rounded = roundThroughText(stage);
    if (!rounded.ok()) return rounded;
    const double result = apply(entry.last, rounded.value);
    if (const RunError e = checkFloatStatus(result); e != RunError::None) return {0.0, e};
    return {result, RunError::None};
}

}  // namespace mensora
