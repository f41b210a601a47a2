#include "PersonsFixture.h"
#include "persons/PersonSearch.h"

#include <gtest/gtest.h>

using namespace hv;
using hv::test::kConnectionError;

namespace {

class PersonsSearch : public hv::test::PersonsFixture {
protected:
    void SetUp() override {
        PersonsFixture::SetUp();
        const int g = AddGroup("G");
        ann = AddPerson(g, "Ann Smith", false,
                        {{"Height", "170"},
                         {"Weight", "60"},
                         {"Mobile", "0170 111"},
                         {"Telephone", "555-1"},
                         {"Company", "Acme"},
                         {"Job", "Nurse"},
                         {"Address", "1 Elm Road"},
                         {"Birthday", Date(1980, 1, 2)}});
        bob = AddPerson(g, "Bob O'Brien", true,
                        {{"Height", "170.0"},
                         {"Weight", "80"},
                         {"Mobile", "0160 222"},
                         {"Company", "Acme & Sons"},
                         {"Job", "Driver"}});
        cid = AddPerson(g, "Cid 100%", true, {{"Height", "171"}, {"Weight", "60"}});
        dee = AddPerson(g, "Dee_Smith", false, {{"Height", "170"}, {"Address", "2 Oak Road"}});
        lee = AddPerson(g, "\xE6\x9D\x8E\xE5\xB0\x8F\xE9\xBE\x99", true, {{"Height", "165"}});
    }

    std::vector<int> Keys(const SearchCriteria& criteria) {
        const auto hits = SearchPersons(criteria);
        EXPECT_TRUE(hits);
        std::vector<int> keys;
        if (hits)
            for (const SearchHit& hit : *hits)
                keys.push_back(hit.examerId);
        return keys;
    }

    int ann = 0, bob = 0, cid = 0, dee = 0, lee = 0;
};

HV_ON_BOTH_ENGINES(PersonsSearch);

TEST_P(PersonsSearch, EveryConditionAndTheirCombinationsFindTheRightPersonsNewestFirst) {
    auto with = [](auto set) {
        SearchCriteria c;
        set(c);
        return c;
    };
    struct Expect {
        const char* what;
        SearchCriteria criteria;
        std::vector<int> keys;
    };
    const Expect cases[] = {
        {"name fragment anywhere", with([](SearchCriteria& c) { c.name = "Smith"; }), {dee, ann}},
        {"name ignores ASCII case", with([](SearchCriteria& c) { c.name = "smith"; }), {dee, ann}},
        {"a quote in a name is found", with([](SearchCriteria& c) { c.name = "O'Brien"; }), {bob}},
        {"a percent sign stands for itself", with([](SearchCriteria& c) { c.name = "0%"; }), {cid}},
        {"an underscore stands for itself", with([](SearchCriteria& c) { c.name = "e_S"; }), {dee}},
        {"a lone percent sign matches only names holding one",
         with([](SearchCriteria& c) { c.name = "%"; }),
         {cid}},
        {"non-Latin letters", with([](SearchCriteria& c) { c.name = "\xE5\xB0\x8F"; }), {lee}},
        {"only women", with([](SearchCriteria& c) { c.sex = SexFilter::Female; }), {dee, ann}},
        {"only men", with([](SearchCriteria& c) { c.sex = SexFilter::Male; }), {lee, cid, bob}},
        {"height equals the stored text exactly",
         with([](SearchCriteria& c) { c.height = "170"; }),
         {dee, ann}},
        {"weight equals", with([](SearchCriteria& c) { c.weight = "60"; }), {cid, ann}},
        {"mobile contains", with([](SearchCriteria& c) { c.mobile = "170 1"; }), {ann}},
        {"telephone contains", with([](SearchCriteria& c) { c.telephone = "55"; }), {ann}},
        {"company contains", with([](SearchCriteria& c) { c.company = "Acme"; }), {bob, ann}},
        {"occupation contains", with([](SearchCriteria& c) { c.occupation = "riv"; }), {bob}},
        {"address contains", with([](SearchCriteria& c) { c.address = "Road"; }), {dee, ann}},
        {"name and sex together",
         with([](SearchCriteria& c) {
             c.name = "i";
             c.sex = SexFilter::Male;
         }),
         {cid, bob}},
        {"height and weight together",
         with([](SearchCriteria& c) {
             c.height = "170";
             c.weight = "60";
         }),
         {ann}},
        {"text that tries to end the statement finds nobody",
         with([](SearchCriteria& c) { c.name = "' or 1=1 --"; }),
         {}},
        {"no match", with([](SearchCriteria& c) { c.company = "Nowhere"; }), {}},
    };
    for (const Expect& c : cases)
        EXPECT_EQ(Keys(c.criteria), c.keys) << c.what;
    EXPECT_TRUE(sink.messages.empty());
}

TEST_P(PersonsSearch, TypedTextOnlyEverTravelsAsABoundValue) {
    SearchCriteria c;
    c.name = "x'y";
    c.sex = SexFilter::Female;
    c.height = "1'2";
    c.address = "a\\b";
    const SearchQuery query = BuildSearchQuery(c, GetParam());
    EXPECT_EQ(query.sql.find('\''), query.sql.find("'\\'")); // only the escape character
    EXPECT_EQ(query.sql.find("x'y"), std::string::npos);
    ASSERT_EQ(query.params.size(), 3u);
    EXPECT_EQ(query.params[0], DbValue("%x'y%"));
    EXPECT_EQ(query.params[1], DbValue("1'2"));
    EXPECT_EQ(query.params[2], DbValue("%a\\\\b%"));
    EXPECT_NE(query.sql.find(" order by ExamerID desc"), std::string::npos);
}

TEST_P(PersonsSearch, ABackslashInTypedTextIsFoundToo) {
    const int g = AddGroup("H");
    const int slash = AddPerson(g, "back\\slash");
    SearchCriteria c;
    c.name = "k\\s";
    EXPECT_EQ(Keys(c), std::vector<int>{slash});
}

TEST_P(PersonsSearch, EmptyCriteriaAreRecognised) {
    SearchCriteria c;
    EXPECT_TRUE(c.IsEmpty());
    c.sex = SexFilter::Female;
    EXPECT_FALSE(c.IsEmpty());
    c = {};
    c.address = " ";
    EXPECT_FALSE(c.IsEmpty());
}

TEST_P(PersonsSearch, ResultRowsShowTheColumnsWithTheirUnits) {
    SearchCriteria c;
    c.name = "Ann";
    const auto hits = SearchPersons(c);
    ASSERT_TRUE(hits);
    ASSERT_EQ(hits->size(), 1u);
    const auto cells = SearchRowTexts(hits->front(), 0);
    const std::array<std::string, 8> expected{
        "1", std::to_string(ann), "Ann Smith", "F", "1980-01-02", "170 cm", "60 kg", "0170 111"};
    EXPECT_EQ(cells, expected);
    SearchHit man;
    man.examerId = 7;
    man.male = true;
    EXPECT_EQ(SearchRowTexts(man, 4)[0], "5");
    EXPECT_EQ(SearchRowTexts(man, 4)[3], "M");
    EXPECT_EQ(SearchRowTexts(man, 4)[4], ""); // no birthday stored
}

TEST_P(PersonsSearch, AMissingDatabaseGivesNoResultAndOneMessage) {
    RemoveDatabase();
    SearchCriteria c;
    c.name = "Ann";
    EXPECT_FALSE(SearchPersons(c));
    EXPECT_EQ(sink.messages, std::vector<std::string>{kConnectionError});
}

} // namespace
