#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

namespace hv {

// Work files live beside the file they will become, on the same file system, so that the
// final step is an atomic rename: a backup, a restore, a saved archive or an exported file
// either takes its target's place whole or leaves the target as it was.

// Creates a new empty file beside target, named "<target name>.<tag>-<random hex>". Never
// takes a name that exists already. Returns false with a reason in error.
bool CreateSiblingFile(const std::filesystem::path& target, std::string_view tag,
                       std::filesystem::path& created, std::string& error);

// The files the database engine may keep beside a database: its write-ahead log, the log's
// shared index and the rollback journal.
std::array<std::filesystem::path, 3> DatabaseCompanions(const std::filesystem::path& database);

// Removes the companions of a database that exist. False with a reason when one stays.
bool RemoveDatabaseCompanions(const std::filesystem::path& database, std::string& error);

// Writes a file's data through to the disk, so a rename that follows never publishes a
// file whose contents are still only in memory.
bool SyncFile(const std::filesystem::path& file, std::string& error);
// Makes a rename in a folder durable; best effort.
void SyncFolder(const std::filesystem::path& folder);

// Moves from over to, replacing to in one step.
bool ReplaceFile(const std::filesystem::path& from, const std::filesystem::path& to,
                 std::string& error);

// A work file and the companions the engine may have left beside it, removed when the
// object ends unless it was kept.
class WorkFile {
public:
    WorkFile() = default;
    explicit WorkFile(std::filesystem::path path) : m_path(std::move(path)) {}
    ~WorkFile() { Discard(); }
    WorkFile(const WorkFile&) = delete;
    WorkFile& operator=(const WorkFile&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    // Takes charge of another work file, removing the one held before.
    void Adopt(std::filesystem::path path) {
        Discard();
        m_path = std::move(path);
    }
    // The file has become something else (renamed into place); leave it alone.
    void Keep() { m_path.clear(); }
    void Discard();

private:
    std::filesystem::path m_path;
};

// A new version of a file, written beside it and put in its place in one step once it is
// complete. The target keeps its old contents until Publish succeeds; when the object ends
// unpublished, the work file is removed and the target is as it was.
class PublishedFile {
public:
    PublishedFile() = default;
    PublishedFile(const PublishedFile&) = delete;
    PublishedFile& operator=(const PublishedFile&) = delete;

    // Creates the empty work file beside target, named "<target name>.<tag>-<random hex>".
    bool Create(const std::filesystem::path& target, std::string_view tag, std::string& error);
    // The work file to write; empty before Create and after Publish.
    const std::filesystem::path& path() const { return m_work.path(); }
    const std::filesystem::path& target() const { return m_target; }
    // Writes the work file through to the disk, then moves it over the target.
    bool Publish(std::string& error);

private:
    std::filesystem::path m_target;
    WorkFile m_work;
};

} // namespace hv
