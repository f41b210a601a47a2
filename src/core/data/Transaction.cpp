#include "data/Transaction.h"

namespace hv {

WriteTransaction::~WriteTransaction() {
    if (Active())
        m_db.Execute("ROLLBACK");
}

bool WriteTransaction::Begin() {
    m_begun = m_db.Execute("BEGIN IMMEDIATE");
    return m_begun;
}

bool WriteTransaction::Active() const {
    return m_begun && m_db.InTransaction();
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
