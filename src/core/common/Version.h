#pragma once

#include <string_view>

namespace hv {

// The program's version, as the project names it ("3.11.0"). Only Version.cpp is built with
// the number, so a new version recompiles one file.
std::string_view ProgramVersion();

} // namespace hv
