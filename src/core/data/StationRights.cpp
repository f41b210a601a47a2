#include "data/StationRights.h"

#include "data/Schema.h"

#include <cctype>
#include <vector>

namespace hv {
namespace {

// A name as the server reads it inside double quotes. Names cannot be bound like values.
std::string QuotedName(const std::string& name) {
    std::string out = "\"";
    for (char c : name) {
        out.push_back(c);
        if (c == '"')
            out.push_back('"');
    }
    return out + "\"";
}

std::vector<std::string> GrantStatements(const std::string& schema, const std::string& role) {
    const std::string to = " TO " + role;
    std::vector<std::string> grants{"GRANT USAGE ON SCHEMA " + schema + to};
    std::string valueTables;
    for (const TableDef& table : SchemaTables()) {
        grants.push_back("GRANT SELECT ON " + table.name + to);
        if (table.name.starts_with("ReportValue") && table.name != kSummaryTable)
            valueTables += (valueTables.empty() ? "" : ", ") + table.name;
    }
    grants.push_back("GRANT INSERT, UPDATE, DELETE ON GroupList, Examer" + to);
    grants.push_back("GRANT INSERT, DELETE ON MeasData, ReportValueAll" + to);
    grants.push_back("GRANT INSERT ON " + valueTables + to);
    grants.push_back("GRANT UPDATE (IfShow_M, IfShow_F) ON ReportList" + to);
    grants.push_back("GRANT UPDATE (Suggest) ON Product" + to);
    grants.push_back("GRANT UPDATE (ReportStandard, ReportShuoMing, IfCanChu, IfProg, MachineLM, "
                     "PageHead, PageFoot) ON SetValue" +
                     to);
    return grants;
}

} // namespace

bool GrantStationRights(CAdoDb& db, const std::string& role, std::string& error) {
    const std::string quotedRole = QuotedName(role);
    if (!db.OpenRecordset("SELECT current_schema() AS name")) {
        error = db.LastError();
        return false;
    }
    const std::string schema = QuotedName(db.GetText("name"));
    db.CloseRecordset();
    for (const std::string& sql : GrantStatements(schema, quotedRole))
        if (!db.Execute(sql)) {
            error = db.LastError();
            return false;
        }
    // A backup reads how far the key counters have gone.
    for (const TableDef& table : SchemaTables()) {
        const std::string key =
            table.name == kSummaryTable ? kInsertionOrderColumn : KeyColumn(table);
        if (key.empty())
            continue;
        if (!db.OpenRecordset("SELECT pg_get_serial_sequence(lower(?), lower(?)) AS name",
                              {table.name, key})) {
            error = db.LastError();
            return false;
        }
        const std::string sequence = db.GetText("name");
        db.CloseRecordset();
        if (!db.Execute("GRANT SELECT ON SEQUENCE " + sequence + " TO " + quotedRole)) {
            error = db.LastError();
            return false;
        }
    }
    return true;
}

} // namespace hv
