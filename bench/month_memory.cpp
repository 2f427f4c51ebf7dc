// Memory over a session that goes through a year: twelve different full months loaded one
// after another, each replayed and its report composed, round after round in one process.
// Prints the resident memory of each round. Whatever a load keeps beyond the month on
// show (a leak, a cache of every month seen) shows as growth from round to round.
//
// usage: quorvel-bench-memory [ROUNDS [FOLDER]]
//   FOLDER holding JAN2027.rep..DEC2027.rep (from quorvel-bench-gen --year); without it the
//   twelve months are written to a temporary folder first.
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "full_month.h"
#include "ledger/journal.h"
#include "ledger/ledger.h"
#include "ledger/month_file.h"
#include "report/report_file.h"

namespace {

using namespace quorvel;

// A field of /proc/self/status in kB ("VmRSS", "VmHWM"); -1 when it cannot be read. Read
// into the stack, so that measuring does not itself take heap memory.
long statusKb(const char* field) {
    const int fd = ::open("/proc/self/status", O_RDONLY | O_CLOEXEC);
    if (fd < 0) return -1;
    char text[8192];
    const ssize_t got = ::read(fd, text, sizeof text - 1);
    ::close(fd);
    if (got <= 0) return -1;
    text[got] = '\0';
    char key[32];
    std::snprintf(key, sizeof key, "\n%s:", field);
    const char* at = std::strstr(text, key);
    return at == nullptr ? -1 : std::strtol(at + std::strlen(key), nullptr, 10);
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 20;
    if (rounds < 2) {
        std::fprintf(stderr, "usage: quorvel-bench-memory [ROUNDS (2 or more) [FOLDER]]\n");
        return 1;
    }
    namespace fs = std::filesystem;
    std::string temporary;
    std::vector<std::string> months;
    if (argc > 2) {
        for (const char* name :
             {"JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"})
            months.push_back((fs::path(argv[2]) / (std::string(name) + "2027.rep")).string());
    } else {
        temporary = (fs::temp_directory_path() / "quorvel-memory-XXXXXX").string();
        if (::mkdtemp(temporary.data()) == nullptr) {
            std::fprintf(stderr, "quorvel-bench-memory: %s: %s\n", temporary.c_str(), std::strerror(errno));
            return 1;
        }
        auto written = bench::writeFullYear(temporary);
        if (!written) {
            std::fprintf(stderr, "quorvel-bench-memory: %s\n", written.message().c_str());
            return 1;
        }
        months = *written;
    }

    // Kept for the whole run, as the desktop program keeps its one ledger and journal.
    Ledger ledger;
    Journal journal;
    const ReportEntries entries;
    std::vector<long> rss;
    int status = 0;
    std::printf("round  VmRSS kB (highest after a load)  VmHWM kB\n");
    for (int round = 1; round <= rounds && status == 0; ++round) {
        long highest = 0;
        for (const std::string& month : months) {
            if (Status s = LoadMonthFile(ledger, journal, month, JournalMode::ReadWrite); !s) {
                std::fprintf(stderr, "quorvel-bench-memory: %s\n", s.message().c_str());
                status = 1;
                break;
            }
            const std::string report = reportFileText(ledger, entries, ReportFileKind::Monthly);
            if (report.empty()) status = 1;
            // Taken with the month and its report in hand; between loads the C library may
            // hand the top of its heap back or not, which says nothing about what a load keeps.
            highest = std::max(highest, statusKb("VmRSS"));
        }
        rss.push_back(highest);
        std::printf("%5d  %31ld  %8ld\n", round, rss.back(), statusKb("VmHWM"));
    }
    if (status == 0) {
        std::printf("months loaded: %zu x %d; VmRSS in round 1: %ld kB, in round %d: %ld kB, growth %ld kB\n",
                    months.size(), rounds, rss.front(), rounds, rss.back(), rss.back() - rss.front());
    }
    if (!temporary.empty()) {
        std::error_code ignored;
        fs::remove_all(temporary, ignored);
    }
    return status;
}
