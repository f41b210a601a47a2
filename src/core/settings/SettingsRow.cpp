#include "settings/SettingsRow.h"

#include "data/MessageSink.h"
#include "data/OperatorTexts.h"

#include <string>

namespace hv {

SaveResult UpdateSettingsRow(std::string_view assignments, const DbParams& values) {
    CAdoDb db;
    if (!db.Open() || !db.OpenRecordset("select count(*) as cnt from SetValue"))
        return SaveResult::NotOpened;
    const bool hasRow = db.GetLong("cnt") > 0;
    db.CloseRecordset();
    if (!hasRow) {
        ShowMessage(std::string(texts::kSettingsRowMissing));
        return SaveResult::Failed;
    }
    const std::string sql = "update SetValue set " + std::string(assignments);
    return db.Execute(sql, values) ? SaveResult::Saved : SaveResult::Failed;
}

} // namespace hv
