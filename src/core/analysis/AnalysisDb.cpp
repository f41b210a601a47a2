#include "analysis/AnalysisDb.h"

#include <sqlite3.h>

namespace hv {

PieceConnection::PieceConnection(CAdoDb& shared, bool fresh) {
    if (!fresh) {
        m_db = &shared;
        return;
    }
    m_own = std::make_unique<CAdoDb>();
    if (m_own->Open())
        m_db = m_own.get();
}

WriteTransaction::~WriteTransaction() {
    if (Active())
        m_db.Execute("ROLLBACK");
}

bool WriteTransaction::Begin() {
    m_begun = m_db.Execute("BEGIN IMMEDIATE");
    return m_begun;
}

bool WriteTransaction::Active() const {
    return m_begun && m_db.Handle() && sqlite3_get_autocommit(m_db.Handle()) == 0;
}

bool WriteTransaction::Commit() {
    if (!Active()) {
        m_begun = false;
        return false;
    }
    const bool committed = m_db.Execute("COMMIT");
    if (!committed && Active())
        m_db.Execute("ROLLBACK");
    m_begun = false;
    return committed;
}

} // namespace hv
