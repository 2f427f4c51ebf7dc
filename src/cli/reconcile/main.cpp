#include <iostream>
#include <string>
#include <vector>

#include "reconcile_command.h"

int main(int argc, char** argv) {
    return quorvel::cli::reconcileCommand(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                                          std::cerr);
}
