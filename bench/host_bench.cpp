// Host benchmarks of the core, each beside its floor:
//   capture_stdin over generated text   vs  reading the same bytes and copying them once
//   the walk over file arguments        vs  building the same strings by concatenation
// Sizes come from the environment: VANTRELPAD_BENCH_MIB (default 64) and
// VANTRELPAD_BENCH_ARGS (default 10000).
//
// With --peak-heap the program only captures the generated text once,
// streamed, so that a heap profiler sees the capture's own peak.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "arguments.h"
#include "director/command_list.h"
#include "input.h"
#include "options.h"
#include "run_state.h"
#include "runtime.h"
#include "stdin_capture.h"

namespace vantrelpad::bench {
namespace {

std::size_t env_size(const char* name, std::size_t fallback) {
    const char* value = std::getenv(name);
    return value ? std::strtoull(value, nullptr, 10) : fallback;
}

std::size_t input_bytes() { return env_size("VANTRELPAD_BENCH_MIB", 64) << 20; }
std::size_t argument_count() { return env_size("VANTRELPAD_BENCH_ARGS", 10000); }

// A runtime whose standard input is a text in memory, read the way a pipe
// would hand it over; nothing else is used.
class BenchRuntime : public Runtime {
  public:
    explicit BenchRuntime(const std::string* input) : input_(input) {}
    PathStyle path_style() const override { return PathStyle::windows; }
    void show_message(const std::string&) override {}
    [[noreturn]] void exit_process(int code) override { std::exit(code); }
    std::optional<std::string> current_directory() override { return directory; }
    std::string program_file_path() override { return "C:\\Tools\\Vantrelpad.exe"; }
    std::size_t read_stdin(char* buffer, std::size_t capacity) override {
        if (!input_) return 0;
        const std::size_t count = std::min(capacity, input_->size() - position_);
        std::memcpy(buffer, input_->data() + position_, count);
        position_ += count;
        return count;
    }
    std::string directory = "C:\\Users\\someone\\work";

  private:
    const std::string* input_;
    std::size_t position_ = 0;
};

long minor_faults() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

// Page faults per run: fresh memory costs the capture and its floor alike.
class FaultCounter {
  public:
    explicit FaultCounter(benchmark::State& state) : state_(state), start_(minor_faults()) {}
    ~FaultCounter() {
        state_.counters["faults"] = benchmark::Counter(static_cast<double>(minor_faults() - start_),
                                                       benchmark::Counter::kAvgIterations);
    }

  private:
    benchmark::State& state_;
    long start_;
};

const std::string& bench_input() {
    static const std::string input = TextGenerator().text(input_bytes());
    return input;
}

void capture(benchmark::State& state) {
    const std::string& input = bench_input();
    FaultCounter faults(state);
    for (auto _ : state) {
        BenchRuntime runtime(&input);
        CommandList commands;
        capture_stdin(commands, runtime);
        benchmark::DoNotOptimize(commands.size());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
}

// The floor: the same reads, and each byte copied once into memory of its
// own, got fresh for each run as the capture's is.
void capture_floor(benchmark::State& state) {
    const std::string& input = bench_input();
    std::vector<char> buffer(64 * 1024);
    FaultCounter faults(state);
    for (auto _ : state) {
        std::unique_ptr<char[]> copy(new char[input.size()]);
        BenchRuntime runtime(&input);
        std::size_t at = 0;
        while (const std::size_t count = runtime.read_stdin(buffer.data(), buffer.size())) {
            std::memcpy(copy.get() + at, buffer.data(), count);
            at += count;
        }
        benchmark::DoNotOptimize(copy.get());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
}

// Half relative, half absolute, of the lengths file names have.
ArgumentVector file_arguments() {
    ArgumentVector arguments{same_bytes_argument("C:\\Tools\\Vantrelpad.exe")};
    for (std::size_t i = 0; i < argument_count(); ++i) {
        const std::string name = "folder\\file_" + std::to_string(i) + ".txt";
        arguments.push_back(same_bytes_argument(i % 2 ? "D:\\data\\" + name : name));
    }
    return arguments;
}

void walk(benchmark::State& state) {
    const ArgumentVector arguments = file_arguments();
    for (auto _ : state) {
        BenchRuntime runtime(nullptr);
        RunState run_state;
        for (std::size_t i = 1; i < arguments.size();) {
            i = dispatch_argument(arguments, i, run_state, runtime).next_index;
        }
        benchmark::DoNotOptimize(run_state.commands.size());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * argument_count()));
}

// The floor: the same commands as plain concatenations.
void walk_floor(benchmark::State& state) {
    const ArgumentVector arguments = file_arguments();
    const std::string directory = "C:\\Users\\someone\\work";
    for (auto _ : state) {
        std::vector<std::string> commands;
        commands.reserve(arguments.size());
        for (std::size_t i = 1; i < arguments.size(); ++i) {
            const std::string& name = arguments[i].utf8;
            commands.push_back(name[1] == ':' ? "open:" + name : "open:" + directory + "\\" + name);
        }
        benchmark::DoNotOptimize(commands.data());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * argument_count()));
}

BENCHMARK(capture)->Unit(benchmark::kMillisecond);
BENCHMARK(capture_floor)->Unit(benchmark::kMillisecond);
BENCHMARK(walk)->Unit(benchmark::kMicrosecond);
BENCHMARK(walk_floor)->Unit(benchmark::kMicrosecond);

// Streams the generated text through capture_stdin without holding it.
class StreamedRuntime : public BenchRuntime {
  public:
    StreamedRuntime() : BenchRuntime(nullptr), left_(input_bytes()) {}
    std::size_t read_stdin(char* buffer, std::size_t capacity) override {
        const std::size_t count = std::min(capacity, left_);
        generator_.fill(buffer, count);
        left_ -= count;
        return count;
    }

  private:
    TextGenerator generator_;
    std::size_t left_;
};

int peak_heap() {
    StreamedRuntime runtime;
    CommandList commands;
    capture_stdin(commands, runtime);
    return commands.empty() ? 1 : 0;
}

}  // namespace
}  // namespace vantrelpad::bench

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--peak-heap") == 0) {
        return vantrelpad::bench::peak_heap();
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
