#include "data/Schema.h"

#include <array>
#include <cstdio>

namespace hv {
namespace {

constexpr const char* kKey = "INTEGER PRIMARY KEY AUTOINCREMENT";
constexpr const char* kLong = "INTEGER";
constexpr const char* kYesNo = "INTEGER DEFAULT 0";
constexpr const char* kDate = "REAL";
constexpr const char* kDouble = "REAL";
constexpr const char* kText = "TEXT";

struct ValueTableSize {
    int reportNumber;
    int columns;
};

// Value columns per report table; report 09 holds text.
constexpr std::array kValueTableSizes{
    ValueTableSize{1, 15}, ValueTableSize{2, 5},   ValueTableSize{3, 5},   ValueTableSize{4, 5},
    ValueTableSize{5, 3},  ValueTableSize{6, 4},   ValueTableSize{7, 4},   ValueTableSize{8, 5},
    ValueTableSize{9, 5},  ValueTableSize{10, 5},  ValueTableSize{11, 5},  ValueTableSize{12, 3},
    ValueTableSize{13, 5}, ValueTableSize{14, 5},  ValueTableSize{15, 19}, ValueTableSize{16, 3},
    ValueTableSize{17, 3}, ValueTableSize{18, 9},  ValueTableSize{19, 10}, ValueTableSize{20, 7},
    ValueTableSize{21, 9}, ValueTableSize{22, 5},  ValueTableSize{23, 10}, ValueTableSize{24, 10},
    ValueTableSize{25, 7}, ValueTableSize{26, 16}, ValueTableSize{27, 8},  ValueTableSize{28, 5},
    ValueTableSize{29, 5}, ValueTableSize{30, 6},  ValueTableSize{31, 5},  ValueTableSize{32, 4},
    ValueTableSize{33, 7}, ValueTableSize{34, 16}, ValueTableSize{35, 9},  ValueTableSize{36, 14},
    ValueTableSize{37, 4}, ValueTableSize{38, 4},  ValueTableSize{39, 4},  ValueTableSize{99, 28},
};

constexpr int kTextValueReport = 9;

struct YesNoColumn {
    const char* table;
    const char* column;
};
constexpr std::array kYesNoColumns{YesNoColumn{"Examer", "Sex"},
                                   YesNoColumn{"ReportList", "IfShow_M"},
                                   YesNoColumn{"ReportList", "IfShow_F"}};

std::vector<TableDef> BuildTables() {
    std::vector<TableDef> tables;
    tables.push_back({"GroupList", {{"GroupID", kKey}, {"Name", kText}, {"Description", kText}}});
    tables.push_back({"Examer",
                      {{"ExamerID", kKey},
                       {"GroupID", kLong},
                       {"Name", kText},
                       {"Sex", kYesNo},
                       {"Birthday", kDate},
                       {"Height", kText},
                       {"Weight", kText},
                       {"Result", kText},
                       {"Telephone", kText},
                       {"Mobile", kText},
                       {"Email", kText},
                       {"Company", kText},
                       {"Job", kText},
                       {"Address", kText},
                       {"Remark", kText},
                       {"BzY", kLong},
                       {"BzM", kLong},
                       {"BzHW", kText}}});
    tables.push_back(
        {"MeasData",
         {{"MeasID", kKey}, {"ExamerID", kLong}, {"MeasDate", kDate}, {"MeasValue", kText}}});
    for (int number : ValueReportNumbers()) {
        TableDef table{ValueTableName(number), {{"MeasID", kLong}}};
        const char* type = number == kTextValueReport ? kText : kDouble;
        for (int item = 1; item <= ValueColumnCount(number); ++item)
            table.columns.push_back({ValueColumnName(item), type});
        tables.push_back(std::move(table));
    }
    tables.push_back({"ReportValueAll",
                      {{"MeasID", kLong},
                       {"System", kText},
                       {"Item", kText},
                       {"ValueRange", kText},
                       {"Value", kDouble},
                       {"ValueResult", kText},
                       {"Type", kText}}});
    tables.push_back({"ReportList",
                      {{"ReportNo", "TEXT NOT NULL UNIQUE"},
                       {"ReportName", kText},
                       {"Sex", kText},
                       {"ShowOrder", kLong},
                       {"IfShow_M", kYesNo},
                       {"IfShow_F", kYesNo}}});
    tables.push_back({"Product",
                      {{"OrderNo", "INTEGER NOT NULL UNIQUE"},
                       {"Type", kText},
                       {"System", kText},
                       {"Suggest", kText}}});
    tables.push_back({"SetValue",
                      {{"ReportStandard", kLong},
                       {"ReportShuoMing", kLong},
                       {"IfCanChu", kLong},
                       {"IfProg", kLong},
                       {"MachineLM", kLong},
                       {"PageHead", kText},
                       {"PageFoot", kText}}});
    return tables;
}

} // namespace

const std::vector<int>& ValueReportNumbers() {
    static const std::vector<int> numbers = [] {
        std::vector<int> n;
        for (const auto& size : kValueTableSizes)
            n.push_back(size.reportNumber);
        return n;
    }();
    return numbers;
}

std::string ValueTableName(int reportNumber) {
    char name[32];
    std::snprintf(name, sizeof name, "ReportValue%02d", reportNumber);
    return name;
}

int ValueColumnCount(int reportNumber) {
    for (const auto& size : kValueTableSizes)
        if (size.reportNumber == reportNumber)
            return size.columns;
    return 0;
}

std::string ValueColumnName(int item) {
    char name[16];
    std::snprintf(name, sizeof name, "Value%02d", item);
    return name;
}

const std::vector<TableDef>& SchemaTables() {
    static const std::vector<TableDef> tables = BuildTables();
    return tables;
}

std::vector<std::string> SchemaStatements() {
    std::vector<std::string> statements;
    for (const TableDef& table : SchemaTables()) {
        std::string sql = "CREATE TABLE " + table.name + " (";
        for (std::size_t i = 0; i < table.columns.size(); ++i)
            sql += (i ? ", " : "") + table.columns[i].name + " " + table.columns[i].type;
        statements.push_back(sql + ")");
    }
    // Lookups by key never scan: a group's persons, a person's tests (newest first), a
    // test's value row in every report table, a test's abnormal items.
    statements.push_back("CREATE INDEX ExamerByGroup ON Examer (GroupID)");
    statements.push_back("CREATE INDEX MeasDataByExamer ON MeasData (ExamerID, MeasDate)");
    for (int number : ValueReportNumbers()) {
        const std::string table = ValueTableName(number);
        statements.push_back("CREATE UNIQUE INDEX " + table + "ByMeas ON " + table + " (MeasID)");
    }
    statements.push_back(
        "CREATE INDEX ReportValueAllByMeas ON ReportValueAll (MeasID, Type, System)");
    statements.push_back("CREATE INDEX ProductByType ON Product (Type, OrderNo)");
    // Yes/No columns hold -1 for yes and 0 for no, whatever a statement writes into them.
    for (const YesNoColumn& c : kYesNoColumns) {
        const std::string t = c.table, col = c.column;
        const std::string body = " WHEN NEW." + col + " IS NOT NULL AND NEW." + col +
                                 " NOT IN (0, -1) BEGIN UPDATE " + t + " SET " + col +
                                 " = CASE WHEN " + col +
                                 " = 0 THEN 0 ELSE -1 END WHERE rowid = "
                                 "NEW.rowid; END";
        statements.push_back("CREATE TRIGGER " + t + col + "OnInsert AFTER INSERT ON " + t + body);
        statements.push_back("CREATE TRIGGER " + t + col + "OnUpdate AFTER UPDATE OF " + col +
                             " ON " + t + body);
    }
    return statements;
}

} // namespace hv
