#pragma once

#include "common/OleDate.h"
#include "persons/PersonRecord.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <istream>
#include <string>
#include <unordered_map>
#include <vector>

namespace hv {

class CAdoDb;

// Persons read into a group from a CSV file as spreadsheet programs write it. The header
// names the columns in any order and letter case: Name, Sex, Birthday (required), Height,
// Weight, Telephone, Mobile, Email, Company, Job (or Occupation), Address, Remark; other
// columns are ignored. Every row is checked by the person editor's rules (PrepareForSave)
// and gets the same weight class and height class; a row whose name and birthday match a
// person of the group, or an earlier row, is a duplicate and skipped.

enum class ImportStatus { Valid, Invalid, Duplicate };

struct ImportRow {
    long line = 0; // the line of the file on which the row begins
    ImportStatus status = ImportStatus::Valid;
    std::string message; // why the row is not valid or is skipped
    PersonRecord person; // as read; a valid row has its derived columns filled
};

// How a file read went. A file that cannot be read as a whole (not text, a broken quote, no
// header, a missing column...) has a problem, which names its line.
struct ImportSummary {
    std::string problem;
    long valid = 0;
    long invalid = 0;
    long duplicates = 0;
    bool stopped = false; // the row handler asked to stop

    bool Readable() const { return problem.empty() && !stopped; }
    bool AllValid() const { return Readable() && invalid == 0; }
};

// Name and calendar day of birth, which make two persons of a group the same person. Each
// key is kept as a 128-bit digest (two independent 64-bit hashes), so the memory of a large
// import stays small; two different persons share a digest with a chance of about 1 in
// 10^28 for a million rows.
class PersonKeys {
public:
    // The line of the file that added the key, 0 for a person of the database; -1 when the
    // key is new (it is then added with this line).
    long Add(const std::string& name, double birthday, long line);
    // Adds the persons of a group as the database holds them. False when the query failed.
    bool AddGroup(CAdoDb& db, int groupId);

private:
    struct Digest {
        std::uint64_t first = 0;
        std::uint64_t second = 0;
        bool operator==(const Digest&) const = default;
    };
    struct DigestHash {
        std::size_t operator()(const Digest& d) const { return d.first; }
    };
    std::unordered_map<Digest, long, DigestHash> m_keys;
};

// True when all of text is a decimal whole number, which is then in value.
bool ReadWholeNumber(std::string_view text, int& value);

struct ImportHandlers {
    // Each data row once it is checked; returning false stops the reading.
    std::function<bool(ImportRow& row)> row;
    // Bytes read so far and the file's size, after each piece of the file.
    std::function<void(std::uint64_t bytesRead, std::uint64_t fileBytes)> progress;
};

// Reads and checks every row of a file for a group. today decides the birthday rule; keys
// holds the persons the rows must not repeat and receives the valid rows.
ImportSummary ReadPersonsFile(const std::filesystem::path& file, int groupId, const DateTime& today,
                              PersonKeys& keys, const ImportHandlers& handlers);

// The same for bytes from a stream (fileBytes only scales the progress).
ImportSummary ReadPersons(std::istream& in, std::uint64_t fileBytes, int groupId,
                          const DateTime& today, PersonKeys& keys, const ImportHandlers& handlers);

// The same against the group's persons in the database, changing nothing (the preview of
// the person pane).
ImportSummary CheckPersonsFile(const std::filesystem::path& file, int groupId,
                               const ImportHandlers& handlers);

// A group named on the command line: its name, or "#" and its GroupID.
struct GroupChoice {
    enum class Status { Found, NotFound, Ambiguous, Failed } status = Status::Failed;
    int groupId = 0;
    std::string name;
    std::string message; // for NotFound and Ambiguous
};
GroupChoice FindGroup(const std::string& nameOrNumber);

struct ImportTarget {
    int groupId = 0;       // an existing group, or 0 to create one
    std::string groupName; // the name of the group to create
};

// Imports a whole file in one transaction: every row is stored, or, when any row is not
// valid or the file cannot be read, nothing is (a group to be created included). With
// dryRun everything is checked and written, then undone. committed tells whether rows are
// now stored; target.groupId receives a created group's key.
struct ImportOutcome {
    ImportSummary summary;
    bool committed = false;
    bool databaseFailed = false; // shown through the message sink
};
ImportOutcome ImportPersonsFile(const std::filesystem::path& file, ImportTarget& target,
                                bool dryRun, const ImportHandlers& handlers);

// Stores rows of a preview in one transaction: all or none. A row that has become a
// duplicate meanwhile is skipped and counted. The persons receive their new keys.
struct StoreOutcome {
    bool stored = false;
    long added = 0;
    long skipped = 0;
};
StoreOutcome StoreImportedPersons(int groupId, std::vector<PersonRecord>& persons);

} // namespace hv
