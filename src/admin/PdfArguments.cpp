#include "PdfArguments.h"

bool ParsePdfArguments(const AdminArgs& args, PdfArguments& parsed) {
    if (args.size() != 2 || args[1].empty() || !ParseMeasId(args[0], parsed.measId))
        return false;
    parsed.target = args[1];
    return true;
}
