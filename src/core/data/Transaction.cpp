#include "data/Transaction.h"

namespace hv {
namespace {

// The lock that stands for the file's write lock on a server. Tests are locked by their
// MeasID, which is never 0.
constexpr std::int32_t kDatabaseLock = 0;

} // namespace

WriteTransaction::~WriteTransaction() {
    if (Active())
        m_db.Execute("ROLLBACK");
}

bool WriteTransaction::Begin() {
    return BeginLocked(kDatabaseLock);
}

bool WriteTransaction::BeginForTest(std::int32_t measId) {
    return BeginLocked(measId);
}

bool WriteTransaction::BeginLocked(std::int32_t lockKey) {
    m_begun = false;
    if (!m_db.IsServer()) {
        m_begun = m_db.Execute("BEGIN IMMEDIATE");
        return m_begun;
    }
    if (!m_db.Execute("BEGIN"))
        return false;
    // Advisory locks of the register's own kind: their first key is the oid of its MeasData
    // table, so two registers in one server database never share a lock.
    if (m_db.Execute("SELECT pg_advisory_xact_lock('MeasData'::regclass::oid::integer, "
                     "CAST(? AS integer))",
                     {lockKey})) {
        m_begun = true;
        return true;
    }
    if (m_db.InTransaction())
        m_db.Execute("ROLLBACK");
    return false;
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
