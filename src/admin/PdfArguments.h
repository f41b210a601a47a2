#pragma once

#include "AdminCommands.h"

#include <cstdint>
#include <string>

// The arguments of "pdf": MEASID FILE.pdf.
struct PdfArguments {
    std::int32_t measId = 0;
    std::string target;
};

bool ParsePdfArguments(const AdminArgs& args, PdfArguments& parsed);
