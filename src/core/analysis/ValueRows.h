#pragma once

#include "analysis/ReportValues.h"
#include "data/AdoDb.h"

#include <cstdint>
#include <vector>

namespace hv {

// The stored value rows of the report tables. A test's row of a report is created once, at
// the first analysis that reaches the report, and only read afterwards.

enum class RowQuery { Found, Missing, Failed };

// The test's row of a report: values[k] is value column k+1 (Value01, Value02, ...).
RowQuery ReadValueRow(CAdoDb& db, int reportNumber, std::int32_t measId,
                      std::vector<DbValue>& values);

// The test's own row of a report when it has one (own is then set); otherwise the person's
// stored row with the highest MeasID, with the date of its test. One query for both.
RowQuery ReadOwnOrLatestRow(CAdoDb& db, int reportNumber, std::int32_t measId,
                            std::int32_t examerId, std::vector<DbValue>& values, bool& own,
                            double& measDate);

// Stores a new row: MeasID, then values as Value01, Value02, ...
bool InsertValueRow(CAdoDb& db, int reportNumber, std::int32_t measId,
                    const std::vector<DbValue>& values);

// Who the values are generated for.
struct ValueSubject {
    std::int32_t measId = 0;
    std::int32_t examerId = 0;
    int age = 0;
    BandShares shares;
};

enum class RowState { Existed, Created, Failed };

// Makes sure the test's row of a numeric slot exists: fresh values from the bands for the
// person's first row of the report, otherwise values drifting from the person's latest
// row over the days since its test. Failures have been shown by the database layer. When
// the row existed or was created, row receives its values.
RowState EnsureNumericRow(CAdoDb& db, int slot, const ValueSubject& subject,
                          std::vector<DbValue>* row = nullptr);

// The same for the text-valued report.
RowState EnsureTextRow(CAdoDb& db, std::int32_t measId, std::vector<DbValue>* row = nullptr);

} // namespace hv
