#pragma once

#include "data/AdoDb.h"

namespace hv {

// A write transaction on a connection: rows written between Begin and Commit are stored
// together or not at all. Rolls back when it ends without a commit. Taking the write lock
// at the start keeps a check and the change it guards together.
class WriteTransaction {
public:
    explicit WriteTransaction(CAdoDb& db) : m_db(db) {}
    ~WriteTransaction();
    WriteTransaction(const WriteTransaction&) = delete;
    WriteTransaction& operator=(const WriteTransaction&) = delete;

    // Takes the write lock at once (waiting as long as the busy timeout allows).
    bool Begin();
    // True while the transaction is open; a failure the database treats as fatal ends it
    // early and undoes its rows.
    bool Active() const;
    // Stores the rows. False when the transaction had already ended or the commit failed; the
    // rows are then undone.
    bool Commit();

private:
    CAdoDb& m_db;
    bool m_begun = false;
};

} // namespace hv
