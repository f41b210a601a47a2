// halvoret-admin pdf in a build without the Qt layer, which renders the pages.
#include "AdminCommands.h"
#include "PdfArguments.h"

#include <iostream>

int RunPdf(const AdminArgs& args) {
    PdfArguments parsed;
    if (!ParsePdfArguments(args, parsed)) {
        std::cerr << "usage: halvoret-admin pdf MEASID FILE.pdf\n";
        return 2;
    }
    std::cerr << "halvoret-admin: this halvoret-admin was built without the Qt layer "
                 "(HALVORET_BUILD_UI=OFF), which renders the pages; nothing was written.\n";
    return 2;
}
