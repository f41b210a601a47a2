#pragma once

#include "persons/PersonRecord.h"

#include <optional>
#include <string>
#include <vector>

namespace hv {

class CAdoDb;

// Reading one row by its key.
enum class ReadStatus {
    Found,
    NotFound,
    Failed, // the database or the query could not be opened (already reported)
};

// Persons (Examer rows). Each operation opens its own connection; failures have been shown
// through the message sink when an operation reports them.

ReadStatus LoadPerson(int examerId, PersonRecord& person);

// Inserts the person (examerId 0, which then becomes the new key) or updates its row.
// The person's group must exist; otherwise the operator is told to add a group first and
// nothing is written. Returns true only when the row was written.
bool SavePerson(PersonRecord& person);

// Inserts a checked person on an open connection, inside the caller's transaction when it
// has one; person.examerId receives the new key. False when the row was not written.
bool InsertPerson(CAdoDb& db, PersonRecord& person);

// Deletes the person's tests, then the person, as one change: either both go or neither.
// The analysis values stored under the tests' keys stay.
bool DeletePerson(int examerId);

// Groups (GroupList rows).

// Every group in key order; nullopt when the database could not be read.
std::optional<std::vector<GroupRecord>> LoadGroups();

ReadStatus LoadGroup(int groupId, GroupRecord& group);

// Inserts the group (groupId 0, which then becomes the new key) or updates its name and
// description. Returns true only when the row was written.
bool SaveGroup(GroupRecord& group);

enum class GroupDeletion { Deleted, HasPersons, Failed };

// Deletes a group that has no persons; a group that still has persons is kept.
GroupDeletion DeleteGroup(int groupId);

// The tree of the person pane: every group in key order, each with its persons in key
// order. Persons whose group does not exist are not part of it.
struct PersonNode {
    int examerId = 0;
    std::string name;
    bool male = true;
};

struct GroupNode {
    int groupId = 0;
    std::string name;
    std::vector<PersonNode> persons;
};

std::optional<std::vector<GroupNode>> LoadPersonTree();

} // namespace hv
