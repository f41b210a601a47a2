#include "ExchangeFixture.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/wait.h>

using namespace hv;
using namespace hv::test;

namespace {

class ExchangeAdminTest : public ExchangeFixture {
protected:
    // Runs halvoret-admin in the installation; its exit status, with its output kept.
    int Admin(const std::string& arguments) {
        const std::string command = std::string("'") + HALVORET_ADMIN_PROGRAM + "' " + arguments +
                                    " >admin.out 2>admin.err";
        const int status = std::system(command.c_str());
        out = Slurp("admin.out");
        err = Slurp("admin.err");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    static std::string Slurp(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::string out, err;
};

HV_ON_BOTH_ENGINES(ExchangeAdminTest);

TEST_P(ExchangeAdminTest, ImportsAllOrNothingAndListsEveryBadRow) {
    const int group = AddGroup("Acme");
    WriteFile("bad.csv", "Name;Sex;Birthday;Height;Weight\n"
                         "Anna;F;1980-01-01;165;60\n"
                         ";M;1980-01-01;170;63\n"
                         "Carl;M;1980-01-01;170;0\n"
                         "Dora;F;1980-01-01;160;54\n");
    EXPECT_EQ(Admin("import-persons Acme bad.csv"), 1);
    EXPECT_EQ(err, "Line 3: The name can not be null!\n"
                   "Line 4: The weight can not be null!\n"
                   "halvoret-admin: Nothing was imported: 2 rows are not valid.\n");
    EXPECT_EQ(Persons(group), 0);

    WriteFile("good.csv", "Name,Sex,Birthday,Height,Weight\nAnna,F,1980-01-01,165,60\n"
                          "Dora,F,1980-01-01,160,54\n");
    EXPECT_EQ(Admin("import-persons --dry-run Acme good.csv"), 0);
    EXPECT_EQ(Persons(group), 0);
    EXPECT_EQ(Admin("import-persons '#" + std::to_string(group) + "' good.csv"), 0) << err;
    EXPECT_EQ(out, "2 persons were imported into the group Acme; 0 duplicates were skipped.\n");
    EXPECT_EQ(Persons(group), 2);
    EXPECT_EQ(Admin("import-persons Acme good.csv"), 0);
    EXPECT_EQ(out, "Line 2: Anna, born 1980-01-01, is already in this group; the row is skipped.\n"
                   "Line 3: Dora, born 1980-01-01, is already in this group; the row is skipped.\n"
                   "0 persons were imported into the group Acme; 2 duplicates were skipped.\n");
}

TEST_P(ExchangeAdminTest, NamesAMissingGroupOrAFileItCannotRead) {
    WriteFile("good.csv", "Name,Sex,Birthday\nAnna,F,1980-01-01\n");
    EXPECT_EQ(Admin("import-persons Nobody good.csv"), 1);
    EXPECT_EQ(err, "halvoret-admin: There is no group Nobody.\n");
    EXPECT_EQ(Admin("import-persons --create-group Nobody good.csv"), 1);
    EXPECT_EQ(err, "Line 2: The height can not be null!\n"
                   "halvoret-admin: Nothing was imported: 1 rows are not valid.\n");
    EXPECT_EQ(Count("SELECT count(*) AS cnt FROM GroupList"), 0) << "no group made in vain";
    WriteFile("open.csv", "Name,Sex,Birthday,Height,Weight\n\"Anna,F,1980-01-01,165,60\n");
    AddGroup("Acme");
    EXPECT_EQ(Admin("import-persons Acme open.csv"), 1);
    EXPECT_EQ(err, "halvoret-admin: Line 2: A quoted field that begins in this row is never "
                   "closed.\n");
    EXPECT_EQ(Admin("import-persons Acme"), 2);
}

TEST_P(ExchangeAdminTest, ExportsPersonsResultsAndSummary) {
    const int group = AddGroup("Acme");
    AddPerson(group, "Anna", false, {{"Birthday", Date(1980, 1, 1)}});
    EXPECT_EQ(Admin("export persons Acme persons.csv"), 0) << err;
    EXPECT_EQ(out, "1 rows were written to persons.csv.\n");
    EXPECT_EQ(ReadRecords("persons.csv").size(), 2u);
    EXPECT_EQ(Admin("export summary Acme summary.csv"), 0) << err;
    EXPECT_EQ(Admin("export results 7 results.csv"), 1);
    EXPECT_EQ(err, "halvoret-admin: There is no test 7 in the database.\n");
    EXPECT_FALSE(std::filesystem::exists("results.csv"));
    EXPECT_EQ(Admin("export summary Nobody s.csv"), 1);
    EXPECT_EQ(Admin("export everything Acme s.csv"), 2);
}

} // namespace
