#include "common/Version.h"

namespace hv {

std::string_view ProgramVersion() {
    return HALVORET_VERSION;
}

} // namespace hv
