#pragma once

#include <optional>
#include <ostream>

// The program's own answers to --help and --version, given before any window or display is
// needed (the manual page is made from them). Returns the exit status when the arguments
// asked for one of them, nothing otherwise.
std::optional<int> AnswerInfoOptions(int argc, char** argv, std::ostream& out);
