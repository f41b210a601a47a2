#pragma once

#include "data/AdoDb.h"

#include <cstdint>

namespace hv {

// A write transaction on a connection: rows written between Begin and Commit are stored
// together or not at all. Rolls back when it ends without a commit.
//
// Begin takes its lock at the start (waiting as long as the busy timeout allows), so a check
// and the change it guards stay together whoever else writes. In the file that is the
// database's one write lock. On a server all stations share one such lock too, except for
// the analysis of a test (BeginForTest), which locks only that test: stations analysing
// other tests go on.
class WriteTransaction {
public:
    explicit WriteTransaction(CAdoDb& db) : m_db(db) {}
    ~WriteTransaction();
    WriteTransaction(const WriteTransaction&) = delete;
    WriteTransaction& operator=(const WriteTransaction&) = delete;

    // Takes the write lock at once.
    bool Begin();
    // The analysis of one test: on a server only that test's lock.
    bool BeginForTest(std::int32_t measId);
    // True while the transaction is open; a failure the database treats as fatal ends it
    // early and undoes its rows.
    bool Active() const;
    // Stores the rows. False when the transaction had already ended or the commit failed; the
    // rows are then undone.
    bool Commit();

private:
    bool BeginLocked(std::int32_t lockKey);

    CAdoDb& m_db;
    bool m_begun = false;
};

} // namespace hv
