// CAdoDb on a PostgreSQL server, through libpq.

#include "data/AdoDb.h"
#include "data/AdoDbResult.h"
#include "data/MessageSink.h"
#include "data/OperatorTexts.h"
#include "data/Schema.h"
#include "data/StringTable.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <libpq-fe.h>
#include <memory>

namespace hv {
namespace {

// Type oids of the server's built-in types (pg_type.dat).
constexpr Oid kBoolOid = 16;
constexpr Oid kInt8Oid = 20;
constexpr Oid kInt2Oid = 21;
constexpr Oid kInt4Oid = 23;
constexpr Oid kOidOid = 26;
constexpr Oid kFloat4Oid = 700;
constexpr Oid kFloat8Oid = 701;
constexpr Oid kNumericOid = 1700;

struct ResultFree {
    void operator()(PGresult* result) const { PQclear(result); }
};
using ResultPtr = std::unique_ptr<PGresult, ResultFree>;

bool Succeeded(const PGresult* result) {
    const ExecStatusType status = PQresultStatus(result);
    return result && (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK);
}

// The program writes "?" for every value; the server numbers them "$1", "$2", ... Quoted
// text, quoted names, comments and dollar-quoted bodies are copied as they are.
std::string NumberedPlaceholders(std::string_view sql) {
    std::string out;
    out.reserve(sql.size() + 16);
    int number = 0;
    std::size_t i = 0;
    const auto copyUntil = [&](std::string_view end) {
        const std::size_t stop = sql.find(end, i);
        const std::size_t next = stop == std::string_view::npos ? sql.size() : stop + end.size();
        out.append(sql.substr(i, next - i));
        i = next;
    };
    while (i < sql.size()) {
        const char c = sql[i];
        if (c == '\'' || c == '"') {
            out.push_back(c);
            ++i;
            copyUntil(std::string_view(&c, 1));
        } else if (sql.substr(i, 2) == "--") {
            copyUntil("\n");
        } else if (sql.substr(i, 2) == "/*") {
            copyUntil("*/");
        } else if (c == '$') {
            std::size_t tagEnd = i + 1;
            while (tagEnd < sql.size() &&
                   (std::isalnum(static_cast<unsigned char>(sql[tagEnd])) || sql[tagEnd] == '_'))
                ++tagEnd;
            if (tagEnd < sql.size() && sql[tagEnd] == '$') {
                const std::string tag(sql.substr(i, tagEnd + 1 - i));
                out += tag;
                i = tagEnd + 1;
                copyUntil(tag);
            } else {
                out.push_back(c);
                ++i;
            }
        } else if (c == '?') {
            out += "$" + std::to_string(++number);
            ++i;
        } else {
            out.push_back(c);
            ++i;
        }
    }
    return out;
}

std::string FirstWord(std::string_view sql) {
    std::size_t i = 0;
    while (i < sql.size() && std::isspace(static_cast<unsigned char>(sql[i])))
        ++i;
    std::string word;
    while (i < sql.size() && std::isalpha(static_cast<unsigned char>(sql[i])))
        word.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(sql[i++]))));
    return word;
}

bool IsTransactionControl(std::string_view sql) {
    static constexpr std::string_view kWords[] = {
        "BEGIN", "START", "COMMIT", "END", "ROLLBACK", "ABORT", "SAVEPOINT", "RELEASE", "SET"};
    const std::string word = FirstWord(sql);
    return std::find(std::begin(kWords), std::end(kWords), word) != std::end(kWords);
}

// A statement that only reads, and so may run again on a new connection.
bool IsQuery(std::string_view sql) {
    return FirstWord(sql) == "SELECT";
}

std::string FormatDouble(double value) {
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value > 0 ? "Infinity" : "-Infinity";
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::string(buffer, end);
}

// The values of a statement as the server takes them: text, with the type of every number
// given so the server compares and stores it as the file would.
class ServerParams {
public:
    explicit ServerParams(const DbParams& params) {
        m_texts.reserve(params.size());
        for (const DbValue& v : params) {
            switch (v.type()) {
            case DbValue::Type::Null:
                m_texts.emplace_back();
                m_types.push_back(0);
                break;
            case DbValue::Type::Integer:
                m_texts.push_back(std::to_string(v.AsInt64()));
                m_types.push_back(kInt8Oid);
                break;
            case DbValue::Type::Real:
                m_texts.push_back(FormatDouble(v.AsDouble()));
                m_types.push_back(kFloat8Oid);
                break;
            case DbValue::Type::Text:
                m_texts.push_back(v.AsText());
                m_types.push_back(0);
                break;
            }
            m_values.push_back(v.IsNull() ? nullptr : m_texts.back().c_str());
        }
    }

    int count() const { return static_cast<int>(m_values.size()); }
    const Oid* types() const { return m_types.empty() ? nullptr : m_types.data(); }
    const char* const* values() const { return m_values.empty() ? nullptr : m_values.data(); }

private:
    std::vector<std::string> m_texts;
    std::vector<Oid> m_types;
    std::vector<const char*> m_values;
};

DbValue ServerValue(const char* text, Oid type) {
    switch (type) {
    case kBoolOid:
        return DbValue(text[0] == 't' ? 1 : 0);
    case kInt2Oid:
    case kInt4Oid:
    case kInt8Oid:
    case kOidOid:
        return DbValue(static_cast<std::int64_t>(std::strtoll(text, nullptr, 10)));
    case kFloat4Oid:
    case kFloat8Oid:
    case kNumericOid: {
        const std::string_view t(text);
        if (t == "NaN")
            return DbValue(std::nan(""));
        if (t == "Infinity" || t == "-Infinity")
            return DbValue(t[0] == '-' ? -HUGE_VAL : HUGE_VAL);
        double d = 0.0;
        std::from_chars(t.data(), t.data() + t.size(), d);
        return DbValue(d);
    }
    default:
        return DbValue(std::string(text));
    }
}

// The server's words for a failed statement: its message, and the detail when it has one.
std::string ErrorText(const PGresult* result, pg_conn* conn) {
    const char* primary = result ? PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY) : nullptr;
    if (!primary)
        return server::ConnectionError(conn);
    std::string text = primary;
    if (const char* detail = PQresultErrorField(result, PG_DIAG_MESSAGE_DETAIL))
        text += std::string(" (") + detail + ")";
    return text;
}

// Another connection wrote at the same moment: a unique key stored meanwhile, a
// serialization failure or a deadlock.
bool IsServerConflict(const PGresult* result) {
    const char* state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    if (!state)
        return false;
    const std::string_view s(state);
    return s == "23505" || s == "40001" || s == "40P01";
}

struct Answer {
    ResultPtr result;      // the statement's own result
    ResultPtr failure;     // the first failed command, when one failed
    bool prepared = false; // the statement was prepared under its name by this run
};

// How a statement is sent: by text, or by the name it is prepared under on the connection,
// which spares the server parsing and planning it again. A statement is prepared at its
// first use; very long ones (many rows at once) are not kept.
struct Sending {
    const std::string& text;
    const ServerParams& params;
    std::string name; // empty: sent by text
    bool prepareFirst = false;
};

constexpr int kMaxPreparedValues = 64;

std::string PreparedKey(const std::string& text, const ServerParams& params) {
    std::string key = text + '\x1f';
    for (int i = 0; i < params.count(); ++i)
        key += std::to_string(params.types()[i]) + ",";
    return key;
}

Sending HowToSend(const server::Link& link, const std::string& text, const ServerParams& params) {
    Sending sending{text, params, {}, false};
    if (params.count() > kMaxPreparedValues)
        return sending;
    const auto found = link.prepared.find(PreparedKey(text, params));
    if (found != link.prepared.end()) {
        sending.name = found->second;
    } else if (link.prepared.size() < server::kPreparedPerConnection) {
        sending.name = "hv_" + std::to_string(link.prepared.size() + 1);
        sending.prepareFirst = true;
    }
    return sending;
}

bool SendStatement(pg_conn* conn, const Sending& s) {
    if (s.name.empty())
        return PQsendQueryParams(conn, s.text.c_str(), s.params.count(), s.params.types(),
                                 s.params.values(), nullptr, nullptr, 0);
    return (!s.prepareFirst || PQsendPrepare(conn, s.name.c_str(), s.text.c_str(), s.params.count(),
                                             s.params.types())) &&
           PQsendQueryPrepared(conn, s.name.c_str(), s.params.count(), s.params.values(), nullptr,
                               nullptr, 0);
}

Answer RunPlain(pg_conn* conn, const Sending& s) {
    Answer answer;
    if (s.prepareFirst) {
        ResultPtr prepared(
            PQprepare(conn, s.name.c_str(), s.text.c_str(), s.params.count(), s.params.types()));
        if (!Succeeded(prepared.get())) {
            answer.failure = std::move(prepared);
            return answer;
        }
        answer.prepared = true;
    }
    answer.result.reset(s.name.empty()
                            ? PQexecParams(conn, s.text.c_str(), s.params.count(), s.params.types(),
                                           s.params.values(), nullptr, nullptr, 0)
                            : PQexecPrepared(conn, s.name.c_str(), s.params.count(),
                                             s.params.values(), nullptr, nullptr, 0));
    if (!Succeeded(answer.result.get()))
        answer.failure = std::move(answer.result);
    return answer;
}

// Inside a transaction a failed statement must undo only itself, as in the file: it runs
// between a savepoint and its release, all three sent in one round trip.
Answer RunGuarded(pg_conn* conn, const Sending& s) {
    static constexpr const char* kSavepoint = "SAVEPOINT hv_statement";
    static constexpr const char* kRelease = "RELEASE SAVEPOINT hv_statement";
    Answer answer;
    if (!PQenterPipelineMode(conn))
        return RunPlain(conn, s);
    const bool sent =
        PQsendQueryParams(conn, kSavepoint, 0, nullptr, nullptr, nullptr, nullptr, 0) &&
        SendStatement(conn, s) &&
        PQsendQueryParams(conn, kRelease, 0, nullptr, nullptr, nullptr, nullptr, 0) &&
        PQpipelineSync(conn);
    // The savepoint, the preparation when there is one, the statement and the release.
    const std::size_t commands = s.prepareFirst ? 4 : 3;
    std::vector<ResultPtr> results;
    // Each command's result is followed by a null; the synchronisation point ends them.
    for (std::size_t nulls = 0; sent && nulls <= commands && PQstatus(conn) == CONNECTION_OK;) {
        ResultPtr r(PQgetResult(conn));
        if (!r) {
            ++nulls;
            continue;
        }
        if (PQresultStatus(r.get()) == PGRES_PIPELINE_SYNC)
            break;
        results.push_back(std::move(r));
    }
    PQexitPipelineMode(conn);
    answer.prepared = s.prepareFirst && results.size() >= 2 && Succeeded(results[1].get());
    for (ResultPtr& r : results)
        if (!answer.failure && !Succeeded(r.get()) &&
            PQresultStatus(r.get()) != PGRES_PIPELINE_ABORTED)
            answer.failure = std::move(r);
    if (!answer.failure && results.size() == commands) {
        answer.result = std::move(results[commands - 2]);
        return answer;
    }
    if (!answer.failure)
        answer.failure.reset(); // a lost connection: the caller sees it on the connection
    if (PQstatus(conn) == CONNECTION_OK) {
        PGresult* undo =
            PQexec(conn, "ROLLBACK TO SAVEPOINT hv_statement; RELEASE SAVEPOINT hv_statement");
        PQclear(undo);
    }
    return answer;
}

void ReadResult(const PGresult* answer, CAdoDb::Result& result) {
    const int fields = PQnfields(answer);
    std::vector<Oid> types;
    for (int f = 0; f < fields; ++f) {
        result.names.push_back(CanonicalColumnName(PQfname(answer, f)));
        types.push_back(PQftype(answer, f));
    }
    const int rows = PQntuples(answer);
    result.rows.reserve(static_cast<std::size_t>(rows));
    for (int t = 0; t < rows; ++t) {
        std::vector<DbValue> row;
        row.reserve(static_cast<std::size_t>(fields));
        for (int f = 0; f < fields; ++f)
            row.push_back(
                PQgetisnull(answer, t, f)
                    ? DbValue()
                    : ServerValue(PQgetvalue(answer, t, f), types[static_cast<std::size_t>(f)]));
        result.rows.push_back(std::move(row));
    }
}

bool ChangesRows(const PGresult* result) {
    const std::string_view status = PQcmdStatus(const_cast<PGresult*>(result));
    return status.starts_with("INSERT") || status.starts_with("UPDATE") ||
           status.starts_with("DELETE");
}

} // namespace

bool ServerInTransaction(pg_conn* conn) {
    const PGTransactionStatusType status = PQtransactionStatus(conn);
    return status == PQTRANS_INTRANS || status == PQTRANS_ACTIVE;
}

bool CAdoDb::OpenServer(const std::string& url) {
    std::string error;
    if (!server::Acquire(url, static_cast<int>(BusyTimeout().count()), m_server, error))
        return FailToConnect(error);
    return true;
}

bool CAdoDb::RunScriptOnServer(const std::string& sql) {
    ResultPtr result(PQexec(m_server.conn, sql.c_str()));
    if (PQstatus(m_server.conn) != CONNECTION_OK)
        return ServerStatementLost(sql, true, {}, nullptr);
    if (Succeeded(result.get()))
        return true;
    const std::string error = ErrorText(result.get(), m_server.conn);
    if (PQtransactionStatus(m_server.conn) == PQTRANS_INERROR)
        PQclear(PQexec(m_server.conn, "ROLLBACK"));
    return Fail(error);
}

void CAdoDb::CloseServer() {
    server::Release(m_server);
}

void CAdoDb::CloseIdleConnections() {
    server::CloseIdle();
}

bool CAdoDb::RunOnServer(std::string_view sql, const DbParams& params, Result* result) {
    if (!m_server.conn)
        return FailUnopened();
    pg_conn* conn = m_server.conn;
    const bool inTransaction = PQtransactionStatus(conn) == PQTRANS_INTRANS;
    const std::string text = NumberedPlaceholders(sql);
    const ServerParams bound(params);
    const bool control = IsTransactionControl(sql);
    const Sending sending =
        control ? Sending{text, bound, {}, false} : HowToSend(m_server, text, bound);
    Answer answer = inTransaction && !control ? RunGuarded(conn, sending) : RunPlain(conn, sending);
    if (answer.prepared)
        m_server.prepared.emplace(PreparedKey(text, bound), sending.name);
    if (PQstatus(conn) != CONNECTION_OK)
        return ServerStatementLost(sql, inTransaction, params, result);
    if (answer.failure) {
        const std::string error = ErrorText(answer.failure.get(), conn);
        const bool conflict = IsServerConflict(answer.failure.get());
        // A failure outside a savepoint has ended the transaction on the server; ending it
        // here too keeps the connection usable.
        if (PQtransactionStatus(conn) == PQTRANS_INERROR)
            PQclear(PQexec(conn, "ROLLBACK"));
        return Fail(error, conflict);
    }
    if (ChangesRows(answer.result.get()))
        m_changedRows = std::atoi(PQcmdTuples(answer.result.get()));
    if (result)
        ReadResult(answer.result.get(), *result);
    return true;
}

// The connection broke while a statement ran. It is opened again once: a query outside a
// transaction simply runs again; anything else is reported, since what it wrote may be
// lost. When the server cannot be reached again, "Database connection error!" is shown
// once and the wrapper's later statements fail quietly.
bool CAdoDb::ServerStatementLost(std::string_view sql, bool inTransaction, const DbParams& params,
                                 Result* result) {
    const std::string url = m_server.url;
    server::Drop(m_server);
    std::string error;
    if (!server::Acquire(url, static_cast<int>(BusyTimeout().count()), m_server, error)) {
        m_connectionFailureShown = true;
        return FailToConnect(error);
    }
    if (!inTransaction && IsQuery(sql)) {
        if (result)
            *result = Result{};
        const std::string text = NumberedPlaceholders(sql);
        const ServerParams bound(params);
        const Answer again = RunPlain(m_server.conn, Sending{text, bound, {}, false});
        if (!again.failure) {
            if (result)
                ReadResult(again.result.get(), *result);
            return true;
        }
        return Fail(ErrorText(again.failure.get(), m_server.conn));
    }
    return Fail(std::string(texts::kServerConnectionLost));
}

} // namespace hv
