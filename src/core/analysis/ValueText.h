#pragma once

#include <string>

namespace hv {

// A stored number as the pages show it: up to 15 significant digits without trailing zeros
// ("21.7", "100", "205.917159763314"), in the C locale whatever the process's locale.
std::string ValueText(double value);

} // namespace hv
