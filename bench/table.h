#pragma once

// What every benchmark here prints: rows of one Markdown table, whose header
// bench/run.sh prints once. A missed target is reported, never an error.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace bench {

// The value below which `fraction` of the samples lie (nearest rank).
inline double Percentile(std::vector<double> samples, double fraction)
{
    if (samples.empty())
        return 0.0;
    std::sort(samples.begin(), samples.end());
    const auto rank = static_cast<std::size_t>(fraction * static_cast<double>(samples.size() - 1) + 0.5);
    return samples[std::min(rank, samples.size() - 1)];
}

inline double Median(const std::vector<double>& samples)
{
    if (samples.empty())
        return 0.0;
    std::vector<double> sorted = samples;
    std::sort(sorted.begin(), sorted.end());
    const std::size_t n = sorted.size();
    return n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2.0;
}

inline std::string Format(const char* format, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// | what | median | spread | runs | target | verdict |
inline void Row(const std::string& what, const std::string& median, const std::string& spread, std::size_t runs,
                const std::string& target = "", const char* verdict = "")
{
    std::printf("| %s | %s | %s | %zu | %s | %s |\n", what.c_str(), median.c_str(), spread.c_str(), runs,
                target.c_str(), verdict);
    std::fflush(stdout);
}

inline const char* Verdict(bool met)
{
    return met ? "met" : "**missed**";
}

// The value of "--name N" among the arguments, or `fallback`.
inline long Option(int argc, char* argv[], const char* name, long fallback)
{
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], name) == 0)
            return std::strtol(argv[i + 1], nullptr, 10);
    }
    return fallback;
}

} // namespace bench
