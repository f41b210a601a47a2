#include "AdminCommands.h"
#include "analysis/AnalysisRun.h"

#include <charconv>
#include <cstdint>
#include <iostream>

bool ParseMeasId(const std::string& text, std::int32_t& measId) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, measId);
    return ec == std::errc() && ptr == end && measId > 0;
}

bool AnalyseTest(hv::CAnalysisRun& run, std::int32_t measId) {
    const hv::PrepareResult prepared = run.Prepare();
    if (prepared != hv::PrepareResult::Ready) {
        // The missing test or person has been reported in these words already.
        if (prepared != hv::PrepareResult::TestMissing &&
            prepared != hv::PrepareResult::PersonMissing)
            std::cerr << "halvoret-admin: " << hv::PrepareFailureText(prepared, measId) << '\n';
        return false;
    }
    run.Run();
    return true;
}

int RunAnalyze(const AdminArgs& args) {
    std::int32_t measId = 0;
    if (args.size() != 1 || !ParseMeasId(args[0], measId)) {
        std::cerr << "usage: halvoret-admin analyze MEASID\n";
        return 2;
    }
    hv::CAnalysisRun run(measId);
    if (!AnalyseTest(run, measId))
        return 1;
    for (const std::string& page : run.PagesWritten())
        std::cout << "wrote " << page << '\n';
    return run.PagesLost().empty() ? 0 : 1;
}
