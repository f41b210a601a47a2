#pragma once

#include "data/AdoDb.h"

namespace hv {

// A write transaction on an open wrapper: rolled back unless committed. Taking the write
// lock at the start keeps a check and the change it guards together.
class Transaction {
public:
    explicit Transaction(CAdoDb& db) : m_db(db), m_active(db.Execute("BEGIN IMMEDIATE")) {}
    ~Transaction() {
        if (m_active)
            m_db.Execute("ROLLBACK");
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool Started() const { return m_active; }
    bool Commit() {
        if (!m_active || !m_db.Execute("COMMIT"))
            return false;
        m_active = false;
        return true;
    }

private:
    CAdoDb& m_db;
    bool m_active;
};

} // namespace hv
