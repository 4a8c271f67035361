// A stand-in for the part of the Google Benchmark API that the benchmarks in
// bench/ use, for targets where the library is not packaged (the Windows
// build). It measures as the library does in outline: a benchmark runs in
// batches of iterations that grow until one batch lasts
// --benchmark_min_time seconds; each of --benchmark_repetitions batches of
// that size is timed (steady clock, and the thread's processor time); the
// console report has the library's columns and aggregate rows (_mean,
// _median, _stddev and the statistics registered with ComputeStatistics), so
// bench/convert-ratios reads either. Times are always in nanoseconds. Rates
// (bytes_per_second, kIsRate counters) are per second of real time: under
// wine the thread's processor time only advances in 10 ms steps.
#pragma once

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <regex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace benchmark {

using IterationCount = std::int64_t;
using StatisticsFunc = double(const std::vector<double>&);

class Counter {
public:
    enum Flags { kDefaults = 0, kIsRate = 1, kIsIterationInvariant = 2, kIsIterationInvariantRate = 3, kInvert = 4 };
    Counter(double v = 0, Flags f = kDefaults) : value(v), flags(f) {}
    double value;
    Flags flags;
};
inline Counter::Flags operator|(Counter::Flags a, Counter::Flags b)
{
    return static_cast<Counter::Flags>(static_cast<int>(a) | static_cast<int>(b));
}

template <class T>
inline __attribute__((always_inline)) void DoNotOptimize(T& value)
{
    asm volatile("" : "+m,r"(value) : : "memory");
}

namespace detail {
inline double threadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}
inline double realSeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}
}  // namespace detail

class State {
public:
    struct __attribute__((unused)) Value {};
    class Iterator {
    public:
        explicit Iterator(State* state) : state_(state), left_(state ? state->loopIterations() : 0) {}
        bool operator!=(const Iterator&) const
        {
            if (left_ != 0) [[likely]]
                return true;
            state_->stopTimer();
            return false;
        }
        void operator++() { --left_; }
        Value operator*() const { return {}; }

    private:
        State* state_;
        IterationCount left_;
    };

    State(IterationCount iterations, std::vector<std::int64_t> args) : max_(iterations), args_(std::move(args)) {}

    Iterator begin()
    {
        realStart_ = detail::realSeconds();
        cpuStart_ = detail::threadSeconds();
        return Iterator(this);
    }
    Iterator end() { return Iterator(nullptr); }

    std::int64_t range(std::size_t index = 0) const { return args_.at(index); }
    IterationCount iterations() const { return done_; }
    void SetBytesProcessed(std::int64_t bytes) { bytes_ = bytes; }
    void SkipWithError(const char* message)
    {
        error_ = message;
        failed_ = true;
    }

    std::map<std::string, Counter> counters;

private:
    friend struct Runner;
    IterationCount loopIterations() const { return failed_ ? 0 : max_; }
    void stopTimer()
    {
        realSeconds_ = detail::realSeconds() - realStart_;
        cpuSeconds_ = detail::threadSeconds() - cpuStart_;
        done_ = loopIterations();
    }

    IterationCount max_;
    IterationCount done_ = 0;
    std::vector<std::int64_t> args_;
    double realStart_ = 0, cpuStart_ = 0, realSeconds_ = 0, cpuSeconds_ = 0;
    std::int64_t bytes_ = -1;
    bool failed_ = false;
    std::string error_;
};

class Benchmark {
public:
    Benchmark(std::string name, std::function<void(State&)> run) : name_(std::move(name)), run_(std::move(run)) {}
    Benchmark* Arg(std::int64_t value)
    {
        args_.push_back(value);
        return this;
    }
    Benchmark* ComputeStatistics(const std::string& name, StatisticsFunc* statistic)
    {
        statistics_.emplace_back(name, statistic);
        return this;
    }

private:
    friend struct Runner;
    std::string name_;
    std::function<void(State&)> run_;
    std::vector<std::int64_t> args_;
    std::vector<std::pair<std::string, StatisticsFunc*>> statistics_;
};

namespace detail {
inline std::vector<std::unique_ptr<Benchmark>>& registry()
{
    static std::vector<std::unique_ptr<Benchmark>> benchmarks;
    return benchmarks;
}
struct Flags {
    std::string filter = ".";
    double minTime = 0.5;
    int repetitions = 1;
    bool aggregatesOnly = false;
};
inline Flags& flags()
{
    static Flags f;
    return f;
}
inline double mean(const std::vector<double>& v)
{
    double sum = 0;
    for (const double x : v) sum += x;
    return sum / static_cast<double>(v.size());
}
inline double median(const std::vector<double>& v)
{
    std::vector<double> s(v);
    std::sort(s.begin(), s.end());
    const std::size_t n = s.size();
    return n % 2 ? s[n / 2] : (s[n / 2 - 1] + s[n / 2]) / 2;
}
inline double stddev(const std::vector<double>& v)
{
    if (v.size() < 2) return 0;
    const double m = mean(v);
    double sum = 0;
    for (const double x : v) sum += (x - m) * (x - m);
    return std::sqrt(sum / static_cast<double>(v.size() - 1));
}
}  // namespace detail

template <class Fn, class... Args>
Benchmark* RegisterBenchmark(const char* name, Fn fn, Args... args)
{
    auto run = [fn, args...](State& state) { fn(state, args...); };
    detail::registry().push_back(std::make_unique<Benchmark>(name, std::move(run)));
    return detail::registry().back().get();
}

inline void Initialize(int* argc, char** argv)
{
    auto& f = detail::flags();
    int kept = 1;
    for (int k = 1; k < *argc; ++k) {
        const std::string_view arg = argv[k];
        auto value = [&](std::string_view flag) -> const char* {
            return arg.substr(0, flag.size()) == flag ? argv[k] + flag.size() : nullptr;
        };
        if (const char* v = value("--benchmark_filter=")) f.filter = v;
        else if (const char* t = value("--benchmark_min_time=")) f.minTime = std::strtod(t, nullptr);
        else if (const char* r = value("--benchmark_repetitions=")) f.repetitions = std::max(1, std::atoi(r));
        else if (const char* a = value("--benchmark_report_aggregates_only="))
            f.aggregatesOnly = std::string_view(a) == "true" || std::string_view(a) == "1";
        else argv[kept++] = argv[k];
    }
    *argc = kept;
}

inline bool ReportUnrecognizedArguments(int argc, char** argv)
{
    for (int k = 1; k < argc; ++k) std::fprintf(stderr, "%s: error: unrecognized command-line flag: %s\n", argv[0], argv[k]);
    return argc > 1;
}

struct Runner {
    struct Row {
        double real, cpu;
        IterationCount iterations;
        std::map<std::string, double> counters;
    };

    static Row measure(const Benchmark& b, const std::vector<std::int64_t>& args, IterationCount n)
    {
        State state(n, args);
        b.run_(state);
        Row row{state.realSeconds_, state.cpuSeconds_, state.done_, {}};
        if (state.failed_) throw state.error_;
        if (state.bytes_ >= 0) row.counters["bytes_per_second"] = static_cast<double>(state.bytes_) / state.realSeconds_;
        for (const auto& [name, c] : state.counters) {
            double v = c.value;
            if (c.flags & Counter::kIsIterationInvariant) v *= static_cast<double>(state.done_);
            if (c.flags & Counter::kIsRate) v /= state.realSeconds_;
            if (c.flags & Counter::kInvert) v = 1 / v;
            row.counters[name] = v;
        }
        return row;
    }

    static void print(int width, const std::string& name, double real, double cpu, IterationCount iterations,
                      const std::map<std::string, double>& counters)
    {
        std::printf("%-*s %13.2f ns %13.2f ns %10lld", width, name.c_str(), real, cpu,
                    static_cast<long long>(iterations));
        for (const auto& [counter, v] : counters) std::printf(" %s=%.4g", counter.c_str(), v);
        std::printf("\n");
    }

    static void run(const Benchmark& b, const std::string& name, const std::vector<std::int64_t>& args, int width)
    {
        const auto& f = detail::flags();
        std::vector<Row> rows;
        try {
            IterationCount n = 1;
            Row row = measure(b, args, n);
            while (row.real < f.minTime && n < 1000000000) {
                double multiplier = f.minTime * 1.4 / std::max(row.real, 1e-9);
                if (row.real / f.minTime <= 0.1) multiplier = 10;
                n = std::min<IterationCount>(
                    1000000000, std::max<IterationCount>(n + 1, std::llround(static_cast<double>(n) * multiplier)));
                row = measure(b, args, n);
            }
            rows.push_back(row);
            while (static_cast<int>(rows.size()) < f.repetitions) rows.push_back(measure(b, args, n));
        } catch (const std::string& error) {
            std::printf("%-*s ERROR OCCURRED: '%s'\n", width, name.c_str(), error.c_str());
            return;
        }
        auto perIteration = [](const Row& r, double seconds) { return seconds * 1e9 / static_cast<double>(r.iterations); };
        if (!(f.aggregatesOnly && rows.size() > 1))
            for (const Row& r : rows) print(width, name, perIteration(r, r.real), perIteration(r, r.cpu), r.iterations, r.counters);
        if (rows.size() < 2) return;
        std::vector<std::pair<std::string, StatisticsFunc*>> statistics{
            {"mean", detail::mean}, {"median", detail::median}, {"stddev", detail::stddev}};
        statistics.insert(statistics.end(), b.statistics_.begin(), b.statistics_.end());
        for (const auto& [suffix, statistic] : statistics) {
            std::vector<double> real, cpu;
            std::map<std::string, std::vector<double>> counters;
            for (const Row& r : rows) {
                real.push_back(perIteration(r, r.real));
                cpu.push_back(perIteration(r, r.cpu));
                for (const auto& [counter, v] : r.counters) counters[counter].push_back(v);
            }
            std::map<std::string, double> aggregated;
            for (const auto& [counter, values] : counters) aggregated[counter] = statistic(values);
            print(width, name + "_" + suffix, statistic(real), statistic(cpu), static_cast<IterationCount>(rows.size()),
                  aggregated);
        }
    }

    static std::size_t runAll()
    {
        const std::regex filter(detail::flags().filter);
        std::vector<std::pair<const Benchmark*, std::vector<std::int64_t>>> chosen;
        std::vector<std::string> names;
        for (const auto& b : detail::registry()) {
            auto choose = [&](std::vector<std::int64_t> args, std::string name) {
                if (!std::regex_search(name, filter)) return;
                chosen.emplace_back(b.get(), std::move(args));
                names.push_back(std::move(name));
            };
            if (b->args_.empty()) choose({}, b->name_);
            for (const std::int64_t a : b->args_) choose({a}, b->name_ + "/" + std::to_string(a));
        }
        int width = 10;
        for (const auto& n : names) width = std::max(width, static_cast<int>(n.size()) + 8);
        std::fprintf(stderr, "(stand-in harness for the benchmark API: bench/minibench; times per iteration, in ns)\n");
        const std::string rule(static_cast<std::size_t>(width) + 52, '-');
        std::printf("%s\n%-*s %16s %16s %10s\n%s\n", rule.c_str(), width, "Benchmark", "Time", "CPU", "Iterations",
                    rule.c_str());
        for (std::size_t k = 0; k < chosen.size(); ++k) Runner::run(*chosen[k].first, names[k], chosen[k].second, width);
        std::fflush(stdout);
        return chosen.size();
    }
};

inline std::size_t RunSpecifiedBenchmarks()
{
    return Runner::runAll();
}

inline void Shutdown() {}

}  // namespace benchmark
