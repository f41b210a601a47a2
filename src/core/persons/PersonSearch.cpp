#include "persons/PersonSearch.h"

#include "data/Schema.h"
#include "data/StringTable.h"
#include "persons/PersonText.h"

namespace hv {
namespace {

// A LIKE pattern that finds text anywhere, every character of it standing for itself.
std::string ContainsPattern(const std::string& text) {
    std::string pattern = "%";
    for (char c : text) {
        if (c == '%' || c == '_' || c == '\\')
            pattern.push_back('\\');
        pattern.push_back(c);
    }
    pattern.push_back('%');
    return pattern;
}

// Letter case is ignored for the letters A to Z, on both engines (the server's text columns
// compare byte by byte, as the file's do).
void AddContains(SearchQuery& query, const char* column, const std::string& text, DbEngine engine) {
    if (text.empty())
        return;
    query.sql += std::string(" and ") + column +
                 (engine == DbEngine::PostgreSQL ? " ilike" : " like") + " ? escape '\\'";
    query.params.push_back(ContainsPattern(text));
}

void AddEquals(SearchQuery& query, const char* column, const std::string& text) {
    if (text.empty())
        return;
    query.sql += std::string(" and ") + column + "=?";
    query.params.push_back(text);
}

} // namespace

bool SearchCriteria::IsEmpty() const {
    return name.empty() && sex == SexFilter::Any && height.empty() && weight.empty() &&
           mobile.empty() && telephone.empty() && company.empty() && occupation.empty() &&
           address.empty();
}

SearchQuery BuildSearchQuery(const SearchCriteria& c, DbEngine engine) {
    SearchQuery query{"select ExamerID, Name, Sex, Birthday, Height, Weight, Mobile from Examer "
                      "where ExamerID<>0",
                      {}};
    AddContains(query, "Name", c.name, engine);
    // Any non-zero Sex is a man.
    if (c.sex == SexFilter::Female)
        query.sql += " and Sex=0";
    else if (c.sex == SexFilter::Male)
        query.sql += " and Sex<>0";
    AddEquals(query, "Height", c.height);
    AddEquals(query, "Weight", c.weight);
    AddContains(query, "Mobile", c.mobile, engine);
    AddContains(query, "Telephone", c.telephone, engine);
    AddContains(query, "Company", c.company, engine);
    AddContains(query, "Job", c.occupation, engine);
    AddContains(query, "Address", c.address, engine);
    query.sql += " order by ExamerID desc";
    return query;
}

std::array<std::string, 8> SearchRowTexts(const SearchHit& hit, int index) {
    return {std::to_string(index + 1),
            std::to_string(hit.examerId),
            hit.name,
            std::string(LoadString(hit.male ? ids::SexLetterMale : ids::SexLetterFemale)),
            hit.birthday ? FormatOleDate(*hit.birthday) : std::string(),
            hit.height + " cm",
            hit.weight + " kg",
            hit.mobile};
}

std::optional<std::vector<SearchHit>> SearchPersons(const SearchCriteria& criteria) {
    CAdoDb db;
    if (!db.Open())
        return std::nullopt;
    const SearchQuery query = BuildSearchQuery(criteria, db.Engine());
    if (!db.OpenRecordset(query.sql, query.params))
        return std::nullopt;
    std::vector<SearchHit> hits;
    hits.reserve(db.RecordCount());
    for (; !db.IsEOF(); db.MoveNext()) {
        SearchHit hit;
        hit.examerId = db.GetLong("ExamerID");
        hit.name = db.GetText("Name");
        hit.male = SexIsMale(db.Field("Sex"));
        if (!db.IsNull("Birthday"))
            hit.birthday = db.GetDouble("Birthday");
        hit.height = db.GetText("Height");
        hit.weight = db.GetText("Weight");
        hit.mobile = db.GetText("Mobile");
        hits.push_back(std::move(hit));
    }
    return hits;
}

} // namespace hv
