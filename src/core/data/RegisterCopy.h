#pragma once

#include "data/AdoDb.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace hv {

// Copying a whole register from one database to another, on either engine: moving a
// station's file to a server, a backup of a server into a file, a restore of a file onto a
// server.

struct CopiedTable {
    std::string table;
    std::int64_t rows = 0;
};

// Copies every row of every table of ours from source to target, keeping every key and the
// insertion order of the summary rows, then moves target's key counters past the highest
// key source ever gave out, so no key is given twice. The tables must exist on target and be
// empty; the caller holds the transaction on target (and, for a consistent copy, one on
// source). Afterwards every table's row count on target is checked against what was read.
// A server's counters never go back: the highest key it gave out counts too. onProgress gets
// the share of the tables copied. False with the reason in error; copied lists the tables
// done so far.
bool CopyRegister(CAdoDb& source, CAdoDb& target, std::vector<CopiedTable>& copied,
                  std::string& error, const std::function<void(double)>& onProgress = {});

// Deletes every row of every table of ours (inside the caller's transaction).
bool EmptyRegister(CAdoDb& db, std::string& error);

} // namespace hv
