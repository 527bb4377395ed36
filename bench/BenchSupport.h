// What the scanning benchmarks share: a generated corpus in a scratch folder, the lines-per-
// second figure and a main that removes the scratch folders after the run.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace lumbra::bench {

// A scratch folder of this process, made now: the temporary folder's "lumbra-<name>-<pid>".
inline std::filesystem::path MakeScratchDir(const std::string& name) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                      ("lumbra-" + name + "-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    return dir;
}

// Generated source files and their total line count.
struct Corpus {
    std::filesystem::path dir;
    std::vector<std::string> files;
    long lines = 0;
};

// `files` files "unit<f><extension>" in the scratch folder `name`, each written by write(out, f).
inline Corpus MakeCorpus(const std::string& name, int files, const std::string& extension,
                         const std::function<void(std::ofstream&, int)>& write) {
    Corpus made;
    made.dir = MakeScratchDir(name);
    for (int f = 0; f < files; ++f) {
        const std::filesystem::path path = made.dir / ("unit" + std::to_string(f) + extension);
        std::ofstream out(path);
        write(out, f);
        out.close();
        made.files.push_back(path.string());
    }
    for (const std::string& p : made.files) {
        std::ifstream in(p);
        made.lines +=
            std::count(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>(), '\n');
    }
    return made;
}

// The figure of a scanning benchmark: `lines` source lines per iteration, as lines per second.
inline void ReportLineRate(benchmark::State& state, long lines) {
    state.counters["lines"] = static_cast<double>(lines);
    state.counters["lines/s"] =
        benchmark::Counter(static_cast<double>(lines) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}

// Runs the benchmarks chosen on the command line, then removes the scratch folders.
inline int RunBenchmarks(int argc, char** argv,
                         const std::function<std::vector<std::filesystem::path>()>& scratch) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    for (const std::filesystem::path& dir : scratch())
        std::filesystem::remove_all(dir, ec);
    return 0;
}

} // namespace lumbra::bench
