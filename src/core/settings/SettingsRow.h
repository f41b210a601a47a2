#pragma once

#include "data/AdoDb.h"

#include <string_view>

namespace hv {

// How saving a setting ended. Every failure has been shown to the operator already.
enum class SaveResult {
    Saved,     // the database holds the new values
    NotOpened, // the database (or its settings table) could not be opened; nothing changed
    Failed,    // the statement failed, or there was no settings row to change
};

// Sets columns of the single settings row. `assignments` is fixed program text such as
// "MachineLM=?"; the values travel as bound parameters. Every settings row is changed, as
// the readers only ever use the first one. An empty table is reported instead of being
// taken for success.
SaveResult UpdateSettingsRow(std::string_view assignments, const DbParams& values);

} // namespace hv
