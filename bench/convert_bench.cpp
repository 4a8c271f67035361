// What a conversion costs.
//
//  convert/...   the whole text-to-text conversion of one entry (convertText)
//                for typical inputs, beside a naive pair in the same run:
//                narrow to ASCII, strtod, the same arithmetic, "%.15G", widen
//                back. The naive pair checks nothing and knows one notation.
//  check/...     the input check (isRejectedInput) of long pasted texts of
//                1 KiB, 1 MiB and 10 MiB (UTF-16 storage): ASCII digits, grouped
//                digits, and Arabic-Indic digits grouped as in Egypt, with bytes/second
//                and seconds/byte counters: the time per byte should not grow
//                with the size.
//  read/...      readStrict of the same texts, the step a long accepted
//                input goes through next.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "conversion_catalogue.h"
#include "convert_command.h"
#include "number_text.h"

namespace {

using mensora::Entry;
using mensora::NumberSettings;

constexpr std::array<std::u16string_view, 6> typicalInputs{
    u"1", u"300", u"12.5", u"1,000", u"0.393700787401575", u"1E+15"};

// One of each kind of formula: a multiplication, a true division, and a
// two-stage formula with its round trip through text.
constexpr std::array<std::size_t, 3> benchEntries{
    1,   // Inches to Centimeters
    0,   // Centimeters to Inches
    10,  // Centigrade (Celsius) to Fahrenheit
};

std::string narrowName(std::u16string_view text)
{
    std::string out;
    for (const char16_t c : text) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return out;
}

void BM_ConvertOurs(benchmark::State& state, const Entry* entry, std::u16string_view input)
{
    for (auto _ : state) {
        auto result = mensora::convertText(*entry, input, mensora::usSettings);
        benchmark::DoNotOptimize(result);
    }
}

// The naive pair: only as much work as the arithmetic itself needs, group
// separators dropped while narrowing so that "1,000" means the same.
double naiveApply(mensora::Step step, double x)
{
    switch (step.op) {
    case mensora::Op::Multiply: return x * step.k;
    case mensora::Op::Divide: return x / step.k;
    case mensora::Op::Add: return x + step.k;
    case mensora::Op::Subtract: return x - step.k;
    case mensora::Op::None: break;
    }
    return x;
}

std::u16string naiveConvert(const Entry& entry, std::u16string_view input, NumberSettings settings)
{
    std::string ascii;
    ascii.reserve(input.size());
    for (const char16_t c : input) {
        if (c == settings.group) continue;
        ascii.push_back(c == settings.decimal ? '.' : static_cast<char>(c));
    }
    double x = std::strtod(ascii.c_str(), nullptr);
    x = naiveApply(entry.second, naiveApply(entry.first, x));
    char buf[40];
    if (entry.twoStage()) {
        std::snprintf(buf, sizeof buf, "%.15G", x);
        x = naiveApply(entry.last, std::strtod(buf, nullptr));
    }
    const int n = std::snprintf(buf, sizeof buf, "%.15G", x);
    std::u16string out;
    out.reserve(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k) out.push_back(buf[k] == '.' ? settings.decimal : static_cast<char16_t>(buf[k]));
    return out;
}

void BM_ConvertNaive(benchmark::State& state, const Entry* entry, std::u16string_view input)
{
    for (auto _ : state) {
        auto result = naiveConvert(*entry, input, mensora::usSettings);
        benchmark::DoNotOptimize(result);
    }
}

// Long pasted texts: a run of digits, and digits grouped in threes. Both are
// numbers, so the check reads them to the end.
std::u16string longDigits(std::size_t units)
{
    std::u16string text;
    text.reserve(units);
    for (std::size_t k = 0; k < units; ++k) text.push_back(static_cast<char16_t>(u'1' + k % 9));
    return text;
}

std::u16string longGrouped(std::size_t units)
{
    std::u16string text = u"1";
    text.reserve(units);
    while (text.size() + 4 <= units) text += u",234";
    return text;
}

// The same in Arabic-Indic digits, grouped as in Egypt: every character goes
// through the script lookup.
std::u16string longArabicGrouped(std::size_t units)
{
    std::u16string text = u"\u0661";
    text.reserve(units);
    while (text.size() + 4 <= units) text += u"\u066C\u0662\u0663\u0664";
    return text;
}

constexpr mensora::NumberSettings egyptian{u'\u066B', u'\u066C', 3, 3, U'\u0660'};

constexpr std::array<std::int64_t, 3> pastedBytes{1 << 10, 1 << 20, 10 << 20};

void setByteCounters(benchmark::State& state, std::size_t units)
{
    const auto bytes = static_cast<std::int64_t>(units * sizeof(char16_t));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * bytes);
    state.counters["s_per_byte"] = benchmark::Counter(static_cast<double>(bytes),
                                                      benchmark::Counter::kIsIterationInvariantRate |
                                                          benchmark::Counter::kInvert);
}

template <std::u16string (*Make)(std::size_t), const mensora::NumberSettings& Settings = mensora::usSettings>
void BM_CheckPasted(benchmark::State& state)
{
    const std::u16string text = Make(static_cast<std::size_t>(state.range(0)) / sizeof(char16_t));
    if (mensora::isRejectedInput(text, Settings)) state.SkipWithError("the pasted text was rejected");
    for (auto _ : state) {
        bool rejected = mensora::isRejectedInput(text, Settings);
        benchmark::DoNotOptimize(rejected);
    }
    setByteCounters(state, text.size());
}

template <std::u16string (*Make)(std::size_t)>
void BM_ReadPasted(benchmark::State& state)
{
    const std::u16string text = Make(static_cast<std::size_t>(state.range(0)) / sizeof(char16_t));
    for (auto _ : state) {
        auto value = mensora::readStrict(text, mensora::usSettings);
        benchmark::DoNotOptimize(value);
    }
    setByteCounters(state, text.size());
}

// With --benchmark_repetitions, the fastest repetition is the figure least
// disturbed by whatever else the machine runs.
double fastest(const std::vector<double>& times)
{
    return *std::min_element(times.begin(), times.end());
}

void registerAll()
{
    for (const std::size_t index : benchEntries) {
        const Entry* entry = &mensora::allEntries()[index];
        for (const std::u16string_view input : typicalInputs) {
            const std::string suffix = narrowName(entry->caption) + "/\"" + narrowName(input) + "\"";
            benchmark::RegisterBenchmark(("convert/ours/" + suffix).c_str(), BM_ConvertOurs, entry, input)
                ->ComputeStatistics("min", fastest);
            benchmark::RegisterBenchmark(("convert/naive/" + suffix).c_str(), BM_ConvertNaive, entry, input)
                ->ComputeStatistics("min", fastest);
        }
    }
    for (const std::int64_t bytes : pastedBytes) {
        benchmark::RegisterBenchmark("check/digits", BM_CheckPasted<longDigits>)->Arg(bytes)->ComputeStatistics("min", fastest);
        benchmark::RegisterBenchmark("check/grouped", BM_CheckPasted<longGrouped>)->Arg(bytes)->ComputeStatistics("min", fastest);
        benchmark::RegisterBenchmark("check/arabic-grouped", BM_CheckPasted<longArabicGrouped, egyptian>)
            ->Arg(bytes)
            ->ComputeStatistics("min", fastest);
    }
    for (const std::int64_t bytes : pastedBytes) {
        benchmark::RegisterBenchmark("read/digits", BM_ReadPasted<longDigits>)->Arg(bytes)->ComputeStatistics("min", fastest);
        benchmark::RegisterBenchmark("read/grouped", BM_ReadPasted<longGrouped>)->Arg(bytes)->ComputeStatistics("min", fastest);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    registerAll();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
