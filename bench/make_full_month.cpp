// Writes the full benchmark month into a folder, or with --year twelve variants of it, for
// timing the tools by hand. Prints the month file paths.
#include <cstdio>
#include <cstring>

#include "full_month.h"

int main(int argc, char** argv) {
    const bool year = argc == 3 && std::strcmp(argv[1], "--year") == 0;
    if (argc != 2 && !year) {
        std::fprintf(stderr, "usage: quorvel-bench-gen [--year] FOLDER\n");
        return 1;
    }
    const char* folder = argv[argc - 1];
    if (year) {
        auto months = quorvel::bench::writeFullYear(folder);
        if (!months) {
            std::fprintf(stderr, "quorvel-bench-gen: %s\n", months.message().c_str());
            return 1;
        }
        for (const std::string& month : *months) std::printf("%s\n", month.c_str());
        return 0;
    }
    auto month = quorvel::bench::writeFullMonth(folder);
    if (!month) {
        std::fprintf(stderr, "quorvel-bench-gen: %s\n", month.message().c_str());
        return 1;
    }
    std::printf("%s\n", month->c_str());
    return 0;
}
