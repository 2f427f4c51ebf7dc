// Writes the full benchmark month into a folder, for timing the tools by hand.
#include <cstdio>

#include "full_month.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: quorvel-bench-gen FOLDER\n");
        return 1;
    }
    auto month = quorvel::bench::writeFullMonth(argv[1]);
    if (!month) {
        std::fprintf(stderr, "quorvel-bench-gen: %s\n", month.message().c_str());
        return 1;
    }
    std::printf("%s\n", month->c_str());
    return 0;
}
