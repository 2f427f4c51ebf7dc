// Print steps laid out as a printer would: texts at columns (a line past a column goes on
// below), each line as high as round(24 x the point size in effect when it ends) twips, page
// checks decided against that position. Core tests read the printed report through it.
#pragma once

#include <string>
#include <vector>

#include "report/print_steps.h"

namespace quorvel::test {

struct SteppedText {
    int column;
    std::string text;
    int points;
    bool bold;
};

struct SteppedLine {
    std::string text;  // every text at its column, padded with blanks
    std::vector<SteppedText> pieces;
    int y = 0;  // twips from the top of the page where the line starts
};

using SteppedPage = std::vector<SteppedLine>;

// `startY` places the first line lower on the page, as if something had been printed above.
std::vector<SteppedPage> replaySteps(const std::vector<PrintStep>& steps, int startY = 0);

// The text of every line of every page.
std::vector<std::string> allLines(const std::vector<SteppedPage>& pages);

}  // namespace quorvel::test
