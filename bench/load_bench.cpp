// How long opening a full month takes: in process, as the desktop program loads it, and as
// a whole quorvel-cli process, as a script calling the tool sees it.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "full_month.h"
#include "ledger/file_io.h"
#include "ledger/journal.h"
#include "ledger/ledger.h"
#include "ledger/ledger_routines.h"
#include "ledger/month_file.h"
#include "ledger/replay.h"
#include "report/report_file.h"

extern char** environ;

namespace {

using namespace quorvel;

// Set by main before any benchmark runs: the full month, and the tool beside this program.
std::string g_month;
std::string g_cli;
std::string g_folder;

// The full month loaded for viewing, as the measurements that start from it need it; false
// (with the benchmark marked as skipped) when it cannot be read.
bool loadForViewing(benchmark::State& state, Ledger& ledger, Journal& journal) {
    if (Status s = LoadMonthFile(ledger, journal, g_month, JournalMode::ReadOnly); !s) {
        state.SkipWithError(s.message().c_str());
        return false;
    }
    return true;
}

void BM_LoadMonthFile(benchmark::State& state) {
    Ledger ledger;
    Journal journal;
    for (auto _ : state) {
        if (Status s = LoadMonthFile(ledger, journal, g_month, JournalMode::ReadWrite); !s) {
            state.SkipWithError(s.message().c_str());
            return;
        }
        benchmark::DoNotOptimize(ledger);
    }
    // A load that quietly read less than the whole journal would look fast.
    if (journal.recordCount() != bench::kFullMonthRecords)
        state.SkipWithError("the journal was not read whole");
    state.SetItemsProcessed(state.iterations() * bench::kFullMonthRecords);
}
BENCHMARK(BM_LoadMonthFile)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);

// The three parts of a load, measured apart, to show where the time of a load goes.
void BM_ParseMonthFile(benchmark::State& state) {
    auto bytes = readWholeFile(g_month, std::size_t{1} << 22);
    if (!bytes) {
        state.SkipWithError(bytes.message().c_str());
        return;
    }
    Ledger parsed;
    for (auto _ : state) {
        if (Status s = parseMonthFile(*bytes, g_month, parsed); !s) {
            state.SkipWithError(s.message().c_str());
            return;
        }
        benchmark::DoNotOptimize(parsed);
    }
}
BENCHMARK(BM_ParseMonthFile)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);

void BM_ReadJournal(benchmark::State& state) {
    Journal journal;
    if (Status s = journal.open(Journal::pathFor(g_month), JournalMode::ReadOnly); !s) {
        state.SkipWithError(s.message().c_str());
        return;
    }
    for (auto _ : state) {
        auto records = journal.readAll();
        if (!records || records->size() != static_cast<std::size_t>(bench::kFullMonthRecords)) {
            state.SkipWithError("the journal was not read whole");
            return;
        }
        benchmark::DoNotOptimize(records);
    }
}
BENCHMARK(BM_ReadJournal)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);

// Replay and recompute on a fresh copy of the parsed month each time (the copy is not timed).
void BM_ReplayJournal(benchmark::State& state) {
    auto bytes = readWholeFile(g_month, std::size_t{1} << 22);
    Journal journal;
    if (!bytes || !journal.open(Journal::pathFor(g_month), JournalMode::ReadOnly)) {
        state.SkipWithError("the full month could not be read");
        return;
    }
    Ledger parsed;
    const Status read = parseMonthFile(*bytes, g_month, parsed);
    auto records = journal.readAll();
    if (!read || !records) {
        state.SkipWithError("the full month could not be read");
        return;
    }
    Ledger ledger;
    for (auto _ : state) {
        state.PauseTiming();
        ledger = parsed;
        state.ResumeTiming();
        replayJournal(ledger, *records);
        RecomputeTotals(ledger);
        benchmark::DoNotOptimize(ledger);
    }
}
BENCHMARK(BM_ReplayJournal)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);

// The monthly report file of the loaded full month: composing its bytes (the goal), and the
// whole write, which flushes the file and its folder to disk (informative: mostly the disk).
void BM_ComposeReportFile(benchmark::State& state) {
    Ledger ledger;
    Journal journal;
    if (!loadForViewing(state, ledger, journal)) return;
    const ReportEntries entries;
    for (auto _ : state) {
        std::string text = reportFileText(ledger, entries, ReportFileKind::Monthly);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_ComposeReportFile)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);

void BM_WriteReportFile(benchmark::State& state) {
    Ledger ledger;
    Journal journal;
    if (!loadForViewing(state, ledger, journal)) return;
    const ReportEntries entries;
    const std::string path = (std::filesystem::path(g_folder) / "OCT2027.txt").string();
    for (auto _ : state) {
        if (Status s = writeReportFile(path, ledger, entries, ReportFileKind::Monthly); !s) {
            state.SkipWithError(s.message().c_str());
            return;
        }
    }
}
BENCHMARK(BM_WriteReportFile)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Runs `argv` with `extraEnvironment` added, output to /dev/null; the exit status, or an error.
std::string runToEnd(std::vector<std::string> argv, const std::vector<std::string>& extraEnvironment) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> args;
    for (std::string& a : argv) args.push_back(a.data());
    args.push_back(nullptr);
    std::vector<std::string> environment(extraEnvironment);
    for (char** e = environ; *e != nullptr; ++e) environment.emplace_back(*e);
    std::vector<char*> env;
    for (std::string& e : environment) env.push_back(e.data());
    env.push_back(nullptr);
    pid_t pid = 0;
    const int error = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) return argv[0] + ": " + std::strerror(error);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return argv[0] + " failed";
    return {};
}

void BM_CliSummaryProcess(benchmark::State& state) {
    for (auto _ : state) {
        if (const std::string error = runToEnd({g_cli, "summary", g_month}, {}); !error.empty()) {
            state.SkipWithError(error.c_str());
            break;
        }
    }
}
BENCHMARK(BM_CliSummaryProcess)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

// The desktop program from start to the demo month's summary drawn (offscreen), as a whole
// process. Its own runtime folder keeps its one-copy lock apart from a copy in use.
void BM_DesktopStartup(benchmark::State& state) {
    const std::string program = (std::filesystem::path(g_cli).parent_path() / "quorvel").string();
    if (::access(program.c_str(), X_OK) != 0) {
        state.SkipWithError("the desktop program is not built");
        return;
    }
    const std::string demo = (std::filesystem::path(g_folder) / "DEC2026.rep").string();
    for (const char* name : {"DEC2026.rep", "DEC2026.jrn"}) {
        std::filesystem::copy_file(std::filesystem::path(QUORVEL_DEMO_DIR) / name,
                                   std::filesystem::path(g_folder) / name,
                                   std::filesystem::copy_options::overwrite_existing);
    }
    const std::vector<std::string> environment = {"QT_QPA_PLATFORM=offscreen", "XDG_RUNTIME_DIR=" + g_folder};
    for (auto _ : state) {
        if (const std::string error = runToEnd({program, "--quit-after-start", demo}, environment);
            !error.empty()) {
            state.SkipWithError(error.c_str());
            break;
        }
    }
}
BENCHMARK(BM_DesktopStartup)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

// Informative only: the save flushes the file and its folder to disk, so the figure is
// mostly the disk's.
void BM_SaveMonthFile(benchmark::State& state) {
    Ledger ledger;
    Journal journal;
    if (!loadForViewing(state, ledger, journal)) return;
    // Saved beside the full month, never over it, so the other measurements keep their input.
    ledger.CurrentFile = (std::filesystem::path(g_folder) / "SAVE2027.rep").string();
    for (auto _ : state) {
        if (Status s = SaveMonthFile(ledger); !s) {
            state.SkipWithError(s.message().c_str());
            return;
        }
    }
}
BENCHMARK(BM_SaveMonthFile)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

std::string folderOfThisProgram() {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string(".") : self.parent_path().string();
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

    g_cli = (std::filesystem::path(folderOfThisProgram()) / "quorvel-cli").string();
    if (::access(g_cli.c_str(), X_OK) != 0) {
        std::fprintf(stderr, "quorvel-bench: %s: %s (build quorvel-cli first)\n", g_cli.c_str(),
                     std::strerror(errno));
        return 1;
    }
    std::string folder = (std::filesystem::temp_directory_path() / "quorvel-bench-XXXXXX").string();
    if (::mkdtemp(folder.data()) == nullptr) {
        std::fprintf(stderr, "quorvel-bench: %s: %s\n", folder.c_str(), std::strerror(errno));
        return 1;
    }
    g_folder = folder;
    auto month = bench::writeFullMonth(folder);
    int status = 0;
    if (month) {
        g_month = *month;
        benchmark::RunSpecifiedBenchmarks();
    } else {
        std::fprintf(stderr, "quorvel-bench: %s\n", month.message().c_str());
        status = 1;
    }
    benchmark::Shutdown();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return status;
}
