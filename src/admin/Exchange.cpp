#include "AdminCommands.h"
#include "data/OperatorTexts.h"
#include "exchange/PersonImport.h"
#include "exchange/RegisterExport.h"

#include <cstdint>
#include <iostream>

namespace {

constexpr const char* kImportUsage =
    "usage: halvoret-admin import-persons [--create-group] [--dry-run] GROUP FILE\n";
constexpr const char* kExportUsage = "usage: halvoret-admin export persons GROUP FILE\n"
                                     "       halvoret-admin export results MEASID FILE\n"
                                     "       halvoret-admin export summary GROUP FILE\n";

struct ImportOptions {
    bool createGroup = false;
    bool dryRun = false;
    std::string group;
    std::string file;
};

bool ParseImportArgs(const AdminArgs& args, ImportOptions& options) {
    std::vector<std::string> positional;
    for (const std::string& arg : args) {
        if (arg == "--create-group")
            options.createGroup = true;
        else if (arg == "--dry-run")
            options.dryRun = true;
        else if (arg.starts_with("--"))
            return false;
        else
            positional.push_back(arg);
    }
    if (positional.size() != 2)
        return false;
    options.group = positional[0];
    options.file = positional[1];
    return !options.group.empty();
}

// The group to import into or export: 0 with the reason printed when there is none.
int ChosenGroup(const std::string& spec, bool createGroup, hv::ImportTarget& target) {
    const hv::GroupChoice choice = hv::FindGroup(spec);
    switch (choice.status) {
    case hv::GroupChoice::Status::Found:
        target.groupId = choice.groupId;
        target.groupName = choice.name;
        return choice.groupId;
    case hv::GroupChoice::Status::NotFound:
        if (createGroup && !spec.starts_with('#')) {
            target.groupId = 0;
            target.groupName = spec;
            return -1; // to be created
        }
        [[fallthrough]];
    case hv::GroupChoice::Status::Ambiguous:
        std::cerr << "halvoret-admin: " << choice.message << '\n';
        return 0;
    case hv::GroupChoice::Status::Failed:
        break;
    }
    return 0; // the database layer has said why
}

} // namespace

int RunImportPersons(const AdminArgs& args) {
    ImportOptions options;
    if (!ParseImportArgs(args, options)) {
        std::cerr << kImportUsage;
        return 2;
    }
    hv::ImportTarget target;
    if (ChosenGroup(options.group, options.createGroup, target) == 0)
        return 1;
    hv::ImportHandlers handlers;
    handlers.row = [](hv::ImportRow& row) {
        if (row.status != hv::ImportStatus::Valid)
            (row.status == hv::ImportStatus::Invalid ? std::cerr : std::cout)
                << hv::texts::FillText(hv::texts::kOnLine, {std::to_string(row.line), row.message})
                << '\n';
        return true;
    };
    const hv::ImportOutcome outcome =
        hv::ImportPersonsFile(options.file, target, options.dryRun, handlers);
    const hv::ImportSummary& summary = outcome.summary;
    if (!summary.problem.empty()) {
        std::cerr << "halvoret-admin: " << summary.problem << '\n';
        return 1;
    }
    if (outcome.databaseFailed)
        return 1;
    if (summary.invalid > 0) {
        std::cerr << "halvoret-admin: "
                  << hv::texts::FillText(hv::texts::kImportNothing,
                                         {std::to_string(summary.invalid)})
                  << '\n';
        return 1;
    }
    const std::string valid = std::to_string(summary.valid);
    const std::string duplicates = std::to_string(summary.duplicates);
    std::cout << hv::texts::FillText(options.dryRun ? hv::texts::kImportDryRun
                                                    : hv::texts::kImportDone,
                                     {valid, target.groupName, duplicates})
              << '\n';
    return 0;
}

int RunExport(const AdminArgs& args) {
    if (args.size() != 3) {
        std::cerr << kExportUsage;
        return 2;
    }
    const std::string& what = args[0];
    const std::string& file = args[2];
    hv::ExportOutcome outcome;
    if (what == "results") {
        std::int32_t measId = 0;
        if (!ParseMeasId(args[1], measId)) {
            std::cerr << kExportUsage;
            return 2;
        }
        outcome = hv::ExportResults(measId, file);
    } else if (what == "persons" || what == "summary") {
        hv::ImportTarget target;
        if (ChosenGroup(args[1], false, target) <= 0)
            return 1;
        outcome = what == "persons" ? hv::ExportPersons(target.groupId, file)
                                    : hv::ExportSummary(target.groupId, file);
    } else {
        std::cerr << kExportUsage;
        return 2;
    }
    if (!outcome.written) {
        if (!outcome.message.empty())
            std::cerr << "halvoret-admin: " << outcome.message << '\n';
        return 1;
    }
    std::cout << hv::texts::FillText(hv::texts::kExportDone, {std::to_string(outcome.rows), file})
              << '\n';
    return 0;
}
