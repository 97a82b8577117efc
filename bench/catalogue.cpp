// catalogue::LoadCatalogue on the shipped data, as the program runs it at
// start-up; each load timed alone with a steady clock, the figure the median.
// The file cache is warm after the first load, as it is for a learner who
// starts the program a second time.
//
// Usage: bench_catalogue [--runs N] [data folder]   (default 1000, the shipped data)

#include "table.h"

#include "catalogue/load_error.h"
#include "catalogue/loaders.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string_view>
#include <vector>

int main(int argc, char* argv[])
{
    const long runs = std::max(1L, bench::Option(argc, argv, "--runs", 1000));
    std::filesystem::path data = QUELVANE_SHIPPED_DATA;
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--runs")
            ++i;
        else
            data = argv[i];
    }

    std::vector<double> millis;
    millis.reserve(static_cast<std::size_t>(runs));
    std::size_t sink = 0; // keeps the loads from being optimised away
    try {
        for (int i = 0; i < 20; ++i)
            sink += catalogue::LoadCatalogue(data).symbol(0, 0).name.size();
        for (long i = 0; i < runs; ++i) {
            const auto start = std::chrono::steady_clock::now();
            const catalogue::KanaCatalogue loaded = catalogue::LoadCatalogue(data);
            const auto end = std::chrono::steady_clock::now();
            sink += loaded.symbol(0, 0).name.size();
            millis.push_back(std::chrono::duration<double, std::milli>(end - start).count());
        }
    } catch (const catalogue::LoadError& error) {
        std::fprintf(stderr, "bench_catalogue: %s\n", error.what());
        return 1;
    }
    if (sink == 0)
        return 1;

    const double median = bench::Median(millis);
    bench::Row("LoadCatalogue, shipped data", bench::Format("%.3f ms", median),
               bench::Format("p10 %.3f", bench::Percentile(millis, 0.1)) +
                   bench::Format(" – p90 %.3f", bench::Percentile(millis, 0.9)),
               millis.size(), "< 2 ms", bench::Verdict(median < 2.0));
    return 0;
}
