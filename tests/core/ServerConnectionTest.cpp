// What only the server engine does: connections kept per thread and opened again when lost,
// passwords, roles and their rights, other stations holding locks or writing at the same
// moment. Every case runs against the real test server; the faults are the server's own
// (a backend ended by pg_terminate_backend, a role that may not log in, a row lock).

#include "AnalysisTestSupport.h"
#include "DatabaseTest.h"
#include "RecordingSink.h"
#include "analysis/AnalysisRun.h"
#include "data/OperatorTexts.h"
#include "data/PasswordPrompt.h"
#include "data/ServerConnections.h"
#include "data/StationRights.h"
#include "data/Transaction.h"
#include "persons/PersonStore.h"
#include "persons/TestRecords.h"
#include "settings/ExpertAdvice.h"
#include "settings/ReportPreferences.h"
#include "settings/ReportSelection.h"

#include <atomic>
#include <deque>
#include <gtest/gtest.h>
#include <thread>

using namespace hv;
using namespace hv::test;

namespace {

const std::string kConnectionError = "Database connection error!";

// Answers password questions from a script and records them.
class ScriptedPrompt final : public PasswordPrompt {
public:
    ScriptedPrompt() : m_previous(SetPasswordPrompt(this)) {}
    ~ScriptedPrompt() override { SetPasswordPrompt(m_previous); }
    ScriptedPrompt(const ScriptedPrompt&) = delete;
    ScriptedPrompt& operator=(const ScriptedPrompt&) = delete;

    std::optional<std::string> AskPassword(const std::string& where,
                                           const std::string& problem) override {
        asked.push_back({where, problem});
        if (answers.empty())
            return std::nullopt;
        std::string answer = answers.front();
        answers.pop_front();
        return answer;
    }

    struct Question {
        std::string where, problem;
    };
    std::vector<Question> asked;
    std::deque<std::string> answers;

private:
    PasswordPrompt* m_previous;
};

class ServerTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        CAdoDb::SetBusyTimeout(std::chrono::milliseconds(50));
    }
    void TearDown() override {
        CAdoDb::SetBusyTimeout(std::chrono::milliseconds(5000));
        CAdoDb::CloseIdleConnections();
        for (const std::string& role : m_roles)
            install.RunOnServer("DROP OWNED BY " + role + "; DROP ROLE " + role);
    }

    static int BackendPid(CAdoDb& db) {
        EXPECT_TRUE(db.OpenRecordset("SELECT pg_backend_pid() AS pid"));
        return db.GetLong("pid");
    }

    // Ends a server process as an administrator would, and waits until it is gone.
    void Terminate(int pid) {
        CAdoDb admin;
        ASSERT_TRUE(admin.Open(*TestServerUrl()));
        ASSERT_TRUE(admin.OpenRecordset("SELECT pg_terminate_backend(CAST(? AS integer), 5000) AS "
                                        "done",
                                        {pid}));
        EXPECT_TRUE(admin.GetFlag("done"));
    }

    // A login role of this test with a password, dropped at the end; its URI reaches the
    // register as that role.
    std::string CreateRole(const std::string& password) {
        static std::atomic<int> counter{0};
        const std::string role =
            "hv_role_" + std::to_string(getpid()) + "_" + std::to_string(++counter);
        EXPECT_TRUE(install.RunOnServer("CREATE ROLE " + role + " LOGIN PASSWORD '" + password +
                                        "'; GRANT USAGE ON SCHEMA " + install.schema() + " TO " +
                                        role));
        m_roles.push_back(role);
        return role;
    }

    std::string UrlOf(const std::string& role) const {
        std::string url = install.databaseUrl();
        const std::string prefix = "postgresql://postgres@";
        EXPECT_TRUE(url.starts_with(prefix)) << url;
        return "postgresql://" + role + "@" + url.substr(prefix.size());
    }

    RecordingSink sink;

private:
    std::vector<std::string> m_roles;
};

INSTANTIATE_TEST_SUITE_P(Server, ServerTest, ::testing::Values(DbEngine::PostgreSQL), EngineName);

TEST_P(ServerTest, ConnectionsAreKeptForTheNextWrapperOfTheSameThread) {
    int first = 0;
    {
        CAdoDb a;
        ASSERT_TRUE(a.Open());
        first = BackendPid(a);
    }
    {
        CAdoDb b, c;
        ASSERT_TRUE(b.Open());
        ASSERT_TRUE(c.Open());
        EXPECT_EQ(BackendPid(b), first);
        EXPECT_NE(BackendPid(c), first); // two wrappers at once have two connections
    }
    int other = 0;
    std::thread([&] {
        CAdoDb d;
        ASSERT_TRUE(d.Open());
        other = BackendPid(d);
    }).join();
    EXPECT_NE(other, first);
    EXPECT_TRUE(sink.messages.empty());
}

TEST_P(ServerTest, AKeptConnectionTheServerEndedIsReplacedUnseen) {
    int first = 0;
    {
        CAdoDb a;
        ASSERT_TRUE(a.Open());
        first = BackendPid(a);
    }
    Terminate(first);
    const auto groups = LoadGroups();
    ASSERT_TRUE(groups);
    CAdoDb b;
    ASSERT_TRUE(b.Open());
    EXPECT_NE(BackendPid(b), first);
    EXPECT_TRUE(sink.messages.empty());
}

TEST_P(ServerTest, AQueryWhoseConnectionWasLostRunsAgainOnANewOne) {
    CAdoDb db;
    ASSERT_TRUE(db.Open());
    const int first = BackendPid(db);
    Terminate(first);
    ASSERT_TRUE(db.OpenRecordset("SELECT count(*) AS cnt FROM ReportList"));
    EXPECT_EQ(db.GetLong("cnt"), 40);
    EXPECT_NE(BackendPid(db), first);
    EXPECT_TRUE(sink.messages.empty());
}

TEST_P(ServerTest, AChangeWhoseConnectionWasLostIsReportedAndTheNextOneWorks) {
    CAdoDb db;
    ASSERT_TRUE(db.Open());
    Terminate(BackendPid(db));
    EXPECT_FALSE(db.Execute("UPDATE SetValue SET MachineLM=?", {7}));
    EXPECT_EQ(sink.messages, std::vector<std::string>{std::string(texts::kServerConnectionLost)});
    EXPECT_TRUE(db.Execute("UPDATE SetValue SET MachineLM=?", {8}));
    ASSERT_TRUE(db.OpenRecordset("SELECT MachineLM FROM SetValue"));
    EXPECT_EQ(db.GetLong("MachineLM"), 8);
}

// Statements are prepared on a connection at their first use and sent by name afterwards.
// The names exist only on the connection that prepared them.
TEST_P(ServerTest, PreparedStatementsWorkOnTheConnectionThatReplacesALostOne) {
    const std::string update = "UPDATE SetValue SET MachineLM=?";
    const std::string select = "SELECT MachineLM FROM SetValue";
    auto value = [&](CAdoDb& db) {
        EXPECT_TRUE(db.OpenRecordset(select));
        return db.GetLong("MachineLM");
    };
    int pid = 0;
    {
        CAdoDb db;
        ASSERT_TRUE(db.Open());
        ASSERT_TRUE(db.Execute(update, {1}));
        EXPECT_EQ(value(db), 1);
        // Lost while the wrapper holds it: the query runs again, the change is prepared anew.
        Terminate(BackendPid(db));
        EXPECT_EQ(value(db), 1);
        EXPECT_TRUE(db.Execute(update, {2}));
        EXPECT_EQ(value(db), 2);
        // Lost again, then used inside a transaction (between a savepoint and its release).
        Terminate(BackendPid(db));
        EXPECT_EQ(value(db), 2);
        WriteTransaction transaction(db);
        ASSERT_TRUE(transaction.Begin());
        EXPECT_TRUE(db.Execute(update, {3}));
        EXPECT_TRUE(transaction.Commit());
        EXPECT_EQ(value(db), 3);
        pid = BackendPid(db);
    }
    // Lost while kept for the next wrapper: replaced unseen, with nothing prepared on it.
    Terminate(pid);
    CAdoDb db;
    ASSERT_TRUE(db.Open());
    EXPECT_TRUE(db.Execute(update, {4}));
    EXPECT_EQ(value(db), 4);
    EXPECT_TRUE(sink.messages.empty()) << sink.messages.front();
}

TEST_P(ServerTest, AStatementThatFailedAtItsFirstUseWorksTheNextTime) {
    // Each refusal is told with the server's own reason, never a missing prepared name.
    auto refused = [&](const std::string& reason) {
        return !sink.messages.empty() && sink.messages.back().find(reason) != std::string::npos;
    };
    for (const bool inTransaction : {false, true}) {
        SCOPED_TRACE(inTransaction ? "in a transaction" : "alone");
        CAdoDb db;
        ASSERT_TRUE(db.Open());
        WriteTransaction transaction(db);
        if (inTransaction)
            ASSERT_TRUE(transaction.Begin());
        // Prepared, then refused when it runs with this value.
        const std::string update =
            "UPDATE SetValue SET MachineLM = CAST(? AS integer) + " + std::to_string(inTransaction);
        EXPECT_FALSE(db.Execute(update, {"seven"}));
        EXPECT_TRUE(refused("\"seven\""));
        EXPECT_TRUE(db.Execute(update, {"7"}));
        // Refused when it is prepared, again the next time; the next statement prepares
        // under the name it left.
        for (int attempt = 0; attempt < 2; ++attempt) {
            EXPECT_FALSE(db.OpenRecordset("SELECT NoSuchColumn FROM SetValue"));
            EXPECT_TRUE(refused("nosuchcolumn"));
        }
        ASSERT_TRUE(db.OpenRecordset("SELECT MachineLM + 0 AS lm FROM SetValue"));
        EXPECT_EQ(db.GetLong("lm"), 7 + inTransaction);
        if (inTransaction)
            EXPECT_TRUE(transaction.Commit());
        EXPECT_EQ(
            CountRows("SELECT count(*) FROM SetValue WHERE MachineLM = ?", {7 + inTransaction}), 1);
    }
    EXPECT_EQ(sink.messages.size(), 6u);
}

TEST_P(ServerTest, OneTextWithValuesOfOtherTypesIsPreparedOncePerTypes) {
    CAdoDb db;
    ASSERT_TRUE(db.Open());
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(db.OpenRecordset("SELECT ? AS v", {3}));
        EXPECT_EQ(db.GetLong("v"), 3);
        ASSERT_TRUE(db.OpenRecordset("SELECT ? AS v", {2.5}));
        EXPECT_DOUBLE_EQ(db.GetDouble("v"), 2.5);
        ASSERT_TRUE(db.OpenRecordset("SELECT ? AS v", {"text"}));
        EXPECT_EQ(db.GetText("v"), "text");
    }
    EXPECT_TRUE(sink.messages.empty());
}

TEST_P(ServerTest, StatementsBeyondTheCapOfAConnectionAreSentByText) {
    CAdoDb db;
    ASSERT_TRUE(db.Open());
    const int distinct = static_cast<int>(server::kPreparedPerConnection) + 50;
    for (int round = 0; round < 2; ++round)
        for (int k = 0; k < distinct; ++k) {
            ASSERT_TRUE(db.OpenRecordset(
                "SELECT CAST(? AS integer) + " + std::to_string(k) + " AS v", {round}));
            ASSERT_EQ(db.GetLong("v"), round + k);
        }
    ASSERT_TRUE(db.OpenRecordset("SELECT count(*) AS n FROM pg_prepared_statements"));
    EXPECT_EQ(db.GetLong("n"), static_cast<int>(server::kPreparedPerConnection));
    EXPECT_TRUE(sink.messages.empty());
}

TEST_P(ServerTest, ATransactionWhoseConnectionWasLostStoresNothing) {
    CAdoDb db;
    ASSERT_TRUE(db.Open());
    WriteTransaction transaction(db);
    ASSERT_TRUE(transaction.Begin());
    ASSERT_TRUE(db.AddRow("GroupList", {{"Name", "first"}}));
    Terminate(BackendPid(db));
    EXPECT_FALSE(db.AddRow("GroupList", {{"Name", "second"}}));
    EXPECT_FALSE(transaction.Active());
    EXPECT_FALSE(transaction.Commit());
    EXPECT_EQ(sink.messages, std::vector<std::string>{std::string(texts::kServerConnectionLost)});
    EXPECT_EQ(CountRows("SELECT count(*) FROM GroupList"), 0);
}

TEST_P(ServerTest, AConnectionThatCannotBeOpenedAgainIsReportedOnce) {
    const std::string role = CreateRole("secret");
    std::string error;
    {
        CAdoDb owner;
        ASSERT_TRUE(owner.Open());
        ASSERT_TRUE(GrantStationRights(owner, role, error)) << error;
    }
    RememberPassword(UrlOf(role), "secret");
    CAdoDb db;
    ASSERT_TRUE(db.Open(UrlOf(role)));
    const int pid = BackendPid(db);
    ASSERT_TRUE(install.RunOnServer("ALTER ROLE " + role + " NOLOGIN"));
    Terminate(pid);
    EXPECT_FALSE(db.OpenRecordset("SELECT count(*) AS cnt FROM ReportList"));
    EXPECT_FALSE(db.OpenRecordset("SELECT count(*) AS cnt FROM Product"));
    EXPECT_FALSE(db.Execute("UPDATE SetValue SET MachineLM=1"));
    EXPECT_EQ(sink.messages, std::vector<std::string>{kConnectionError});
}

TEST_P(ServerTest, AServerOutOfReachIsReportedAndTheNextOperationTriesAgain) {
    install.MakeUnreachable();
    EXPECT_FALSE(LoadGroups());
    EXPECT_FALSE(LoadPersonTree());
    EXPECT_EQ(sink.messages, (std::vector<std::string>{kConnectionError, kConnectionError}));
    install.MakeReachable();
    sink.messages.clear();
    EXPECT_TRUE(LoadGroups());
    EXPECT_TRUE(sink.messages.empty());
}

TEST_P(ServerTest, APasswordIsAskedWhenTheServerWantsOneAndAgainWhenRefused) {
    const std::string role = CreateRole("right horse");
    ScriptedPrompt prompt;
    prompt.answers = {"wrong", "right horse"};
    CAdoDb db;
    ASSERT_TRUE(db.Open(UrlOf(role)));
    ASSERT_EQ(prompt.asked.size(), 2u);
    EXPECT_EQ(prompt.asked[0].problem, ""); // nothing was refused yet
    EXPECT_NE(prompt.asked[0].where.find("halvoret_tests"), std::string::npos);
    EXPECT_NE(prompt.asked[1].problem.find("password authentication failed"), std::string::npos)
        << prompt.asked[1].problem;
    db.Close();
    // The password is kept in memory: the next operation, also on another thread, asks nothing.
    CAdoDb::CloseIdleConnections();
    std::thread([&] {
        CAdoDb other;
        EXPECT_TRUE(other.Open(UrlOf(role)));
    }).join();
    EXPECT_EQ(prompt.asked.size(), 2u);
    EXPECT_TRUE(sink.messages.empty());
}

TEST_P(ServerTest, GivingUpThePasswordIsAConnectionError) {
    const std::string role = CreateRole("pw");
    ScriptedPrompt prompt;
    CAdoDb db;
    EXPECT_FALSE(db.Open(UrlOf(role)));
    EXPECT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(sink.messages, std::vector<std::string>{kConnectionError});
}

TEST_P(ServerTest, ARoleWithoutRightsIsToldWhatWasRefused) {
    const std::string role = CreateRole("pw");
    RememberPassword(UrlOf(role), "pw");
    ScopedEnvironment station(kDatabaseEnvironment, UrlOf(role));
    EXPECT_FALSE(LoadGroups());
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0], "permission denied for table grouplist");
}

// The station role may do everything a station's program does, and nothing that only the
// register's owner does.
TEST_P(ServerTest, AStationRoleHasTheRightsOfTheProgramAndNoMore) {
    const std::string role = CreateRole("pw");
    std::string error;
    {
        CAdoDb owner;
        ASSERT_TRUE(owner.Open());
        ASSERT_TRUE(GrantStationRights(owner, role, error)) << error;
    }
    RememberPassword(UrlOf(role), "pw");
    ScopedEnvironment station(kDatabaseEnvironment, UrlOf(role));

    GroupRecord group{0, "Morning", ""};
    ASSERT_TRUE(SaveGroup(group));
    group.name = "Morning shift";
    ASSERT_TRUE(SaveGroup(group));
    PersonRecord person;
    person.groupId = group.groupId;
    person.name = "Kim";
    person.birthday = ToOleDate({1980, 1, 1});
    person.height = "170";
    person.weight = "65";
    person.result = "Standard body weight";
    ASSERT_TRUE(SavePerson(person));
    ASSERT_TRUE(SavePerson(person));
    const std::int32_t measId = AddTest(person.examerId, {2024, 6, 1, 9, 0, 0});
    FixedClock clock{InstantAt({2024, 6, 1, 10, 0, 0})};
    ScopedClock useClock{clock};
    CAnalysisRun run(measId);
    ASSERT_EQ(run.Prepare(), PrepareResult::Ready);
    run.Run();
    EXPECT_TRUE(run.PagesLost().empty());
    const auto preferences = LoadReportPreferences();
    ASSERT_TRUE(preferences);
    EXPECT_EQ(SaveReportPreferences(*preferences), SaveResult::Saved);
    const auto choices = LoadReportChoices();
    ASSERT_TRUE(choices);
    EXPECT_TRUE(SaveReportChoices(*choices));
    EXPECT_TRUE(SaveAdvice(LoadAdvice()));
    EXPECT_TRUE(DeleteTests({measId}));
    EXPECT_TRUE(DeletePerson(person.examerId));
    EXPECT_EQ(DeleteGroup(group.groupId), GroupDeletion::Deleted);
    EXPECT_TRUE(sink.messages.empty()) << sink.messages.front();

    CAdoDb db;
    ASSERT_TRUE(db.Open());
    struct Refused {
        std::string sql;
        std::string message;
    };
    const std::vector<Refused> refused = {
        {"DELETE FROM ReportList", "permission denied for table reportlist"},
        {"UPDATE ReportList SET ReportName='x'", "permission denied for table reportlist"},
        {"DELETE FROM ReportValue01", "permission denied for table reportvalue01"},
        {"UPDATE Product SET System='x'", "permission denied for table product"},
        {"DROP TABLE Examer", "must be owner of table examer"},
        {"CREATE TABLE Extra (x integer)", "permission denied for schema"},
    };
    for (const Refused& r : refused) {
        sink.messages.clear();
        EXPECT_FALSE(db.Execute(r.sql)) << r.sql;
        ASSERT_EQ(sink.messages.size(), 1u) << r.sql;
        EXPECT_NE(sink.messages[0].find(r.message), std::string::npos) << sink.messages[0];
    }
}

TEST_P(ServerTest, ARowAnotherStationKeepsLockedFailsAfterTheLockTimeout) {
    GroupRecord group{0, "Shared", ""};
    ASSERT_TRUE(SaveGroup(group));
    CAdoDb other;
    ASSERT_TRUE(other.Open());
    ASSERT_TRUE(other.Execute("BEGIN"));
    ASSERT_TRUE(other.Execute("UPDATE GroupList SET Name='held' WHERE GroupID=?", {group.groupId}));
    group.name = "Mine";
    EXPECT_FALSE(SaveGroup(group));
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_NE(sink.messages[0].find("lock timeout"), std::string::npos) << sink.messages[0];
    ASSERT_TRUE(other.Execute("ROLLBACK"));
    sink.messages.clear();
    EXPECT_TRUE(SaveGroup(group));
    EXPECT_TRUE(sink.messages.empty());
}

// A conflict with another station (a unique key stored meanwhile, a serialization failure)
// undoes the attempt and stores again, without a word to the operator.
TEST_P(ServerTest, AConflictInsideTheAnalysisIsRetriedUnseen) {
    for (const char* code : {"unique_violation", "serialization_failure"}) {
        SCOPED_TRACE(code);
        ExecuteScript(std::string("DROP TRIGGER IF EXISTS ConflictOnce ON ReportValue05; "
                                  "DROP SEQUENCE IF EXISTS attempts; CREATE SEQUENCE attempts; "
                                  "CREATE OR REPLACE FUNCTION ConflictOnce() RETURNS trigger "
                                  "LANGUAGE plpgsql AS $$BEGIN IF nextval('attempts') = 1 THEN "
                                  "RAISE EXCEPTION 'another station wrote meanwhile' USING "
                                  "ERRCODE = '") +
                      code +
                      "'; END IF; RETURN NEW; END$$; CREATE TRIGGER ConflictOnce BEFORE INSERT "
                      "ON ReportValue05 FOR EACH ROW EXECUTE FUNCTION ConflictOnce()");
        const std::int32_t measId = AddTest(AddPerson({}), {2024, 6, 1, 9, 0, 0});
        CAnalysisRun run(measId);
        ASSERT_EQ(run.Prepare(), PrepareResult::Ready);
        run.Run();
        EXPECT_TRUE(sink.messages.empty()) << sink.messages.front();
        EXPECT_EQ(CountRows("SELECT count(*) FROM ReportValue05 WHERE MeasID=?", {measId}), 1);
        EXPECT_EQ(CountRows("SELECT count(*) FROM ReportValue04 WHERE MeasID=?", {measId}), 1);
        EXPECT_EQ(CountRows("SELECT last_value FROM attempts"), 2); // refused once, then stored
    }
}

// When the conflicts do not stop, the last attempt shows the failure like any other: that
// report stays empty, the others are stored.
TEST_P(ServerTest, AConflictThatNeverEndsIsShownAtLast) {
    ExecuteScript("CREATE FUNCTION Refuse() RETURNS trigger LANGUAGE plpgsql AS $$BEGIN RAISE "
                  "EXCEPTION 'another station keeps writing' USING ERRCODE = "
                  "'serialization_failure'; END$$; CREATE TRIGGER Refuse BEFORE INSERT ON "
                  "ReportValue05 FOR EACH ROW EXECUTE FUNCTION Refuse()");
    const std::int32_t measId = AddTest(AddPerson({}), {2024, 6, 1, 9, 0, 0});
    CAnalysisRun run(measId);
    ASSERT_EQ(run.Prepare(), PrepareResult::Ready);
    run.Run();
    EXPECT_EQ(sink.messages, std::vector<std::string>{"another station keeps writing"});
    EXPECT_EQ(CountRows("SELECT count(*) FROM ReportValue05 WHERE MeasID=?", {measId}), 0);
    EXPECT_EQ(CountRows("SELECT count(*) FROM ReportValue04 WHERE MeasID=?", {measId}), 1);
}

} // namespace
