#pragma once

#include <QString>
#include <functional>
#include <vector>

// One line of the benchmark table: a measured operation beside a baseline measured in the same
// run, and the ratio the operation should stay within (0 when there is none).
struct BenchRow {
    QString what;
    double milliseconds;
    QString baseline;
    double baselineMilliseconds;
    double allowedRatio;
};

using BenchFunction = std::function<std::vector<BenchRow>(bool quick)>;

struct BenchRegistrar {
    BenchRegistrar(const char* group, BenchFunction function);
};

#define QRB_BENCH(Group, Function) static const BenchRegistrar qrbBench##Group(#Group, Function);

// A script-like text of `bytes` characters: lines of code with CR LF breaks.
QString scriptLikeText(int bytes);

// The median of `runs` timings of `work`, in milliseconds.
double medianMilliseconds(int runs, const std::function<void()>& work);
