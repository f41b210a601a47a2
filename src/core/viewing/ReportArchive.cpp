#include "viewing/ReportArchive.h"

#include "common/WorkFiles.h"
#include "common/ZipWriter.h"
#include "data/OperatorTexts.h"

#include <algorithm>

namespace hv {
namespace fs = std::filesystem;

namespace {

// The same file, whether or not it exists yet.
bool SamePath(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return fs::weakly_canonical(fs::absolute(a), ec) == fs::weakly_canonical(fs::absolute(b), ec);
}

// The plain files of the folder in name order, leaving out the archive's own path.
bool ListFolder(const fs::path& folder, const fs::path& archive, std::vector<fs::path>& files,
                std::string& error) {
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
        std::error_code statusError;
        if (it->is_regular_file(statusError) && !SamePath(it->path(), archive))
            files.push_back(it->path());
    }
    if (ec) {
        error = "the folder " + folder.string() + " cannot be read (" + ec.message() + ")";
        return false;
    }
    std::sort(files.begin(), files.end(),
              [](const fs::path& a, const fs::path& b) { return a.filename() < b.filename(); });
    return true;
}

bool WriteEntries(ZipWriter& zip, const std::vector<fs::path>& files, ReportArchiveResult& result) {
    for (const fs::path& file : files) {
        const std::string name = file.filename().string();
        std::string reason;
        switch (zip.AddFile(name, file, reason)) {
        case ZipWriter::AddResult::Added:
            result.stored.push_back(name);
            break;
        case ZipWriter::AddResult::Unreadable:
            result.unreadable.push_back(name + " (" + reason + ")");
            break;
        case ZipWriter::AddResult::Failed:
            result.error = reason;
            return false;
        }
    }
    return true;
}

} // namespace

ReportArchiveResult SaveReportArchive(const fs::path& archive, const fs::path& folder,
                                      const ReportArchiveAccess& access) {
    ReportArchiveResult result;
    std::vector<fs::path> files;
    if (!ListFolder(folder, archive, files, result.error))
        return result;

    PublishedFile target;
    if (!target.Create(archive, "archive", result.error)) {
        result.error = "the archive cannot be created (" + result.error + ")";
        return result;
    }
    ZipWriter zip;
    zip.writeRefused = access.writeRefused;
    zip.readRefused = access.readRefused;
    const bool written = zip.Create(target.path(), result.error) &&
                         WriteEntries(zip, files, result) && zip.Close(result.error);
    if (!written || !target.Publish(result.error)) {
        if (written)
            result.error = "the archive cannot be put in place (" + result.error + ")";
        result.stored.clear();
        return result;
    }
    result.written = true;
    return result;
}

std::string ReportArchiveMessage(const ReportArchiveResult& result, const fs::path& archive) {
    if (!result.written)
        return texts::FillText(texts::kReportsNotSaved, {archive.string(), result.error});
    if (result.unreadable.empty())
        return {};
    std::string text = texts::FillText(texts::kReportsSavedWithoutSome, {archive.string()});
    for (const std::string& file : result.unreadable)
        text += "\n" + file;
    return text;
}

} // namespace hv
