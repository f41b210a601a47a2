#include "data/ServerConnections.h"

#include "data/DatabaseLocation.h"
#include "data/PasswordPrompt.h"

#include <libpq-fe.h>
#include <optional>
#include <vector>

namespace hv::server {
namespace {

// Idle connections kept per thread; more are closed.
constexpr std::size_t kIdlePerThread = 4;

struct IdleConnections {
    std::vector<Link> links;
    ~IdleConnections() {
        for (Link& link : links)
            PQfinish(link.conn);
    }
};

thread_local IdleConnections t_idle;

// Notices (and the server's last words on a connection it ends) are not for the terminal.
void IgnoreNotice(void*, const char*) {}

bool Alive(pg_conn* conn) {
    // A connection the server has ended shows it only once its input is read: the last
    // message first, the end of the stream after it.
    for (int i = 0; i < 2; ++i)
        if (!PQconsumeInput(conn))
            return false;
    return PQstatus(conn) == CONNECTION_OK && PQtransactionStatus(conn) == PQTRANS_IDLE &&
           !PQisBusy(conn);
}

bool SetLockTimeout(Link& link, int lockTimeoutMs, std::string& error) {
    if (link.lockTimeoutMs == lockTimeoutMs)
        return true;
    const std::string sql = "SET lock_timeout = " + std::to_string(lockTimeoutMs);
    PGresult* result = PQexec(link.conn, sql.c_str());
    const bool ok = PQresultStatus(result) == PGRES_COMMAND_OK;
    PQclear(result);
    if (!ok) {
        error = ConnectionError(link.conn);
        return false;
    }
    link.lockTimeoutMs = lockTimeoutMs;
    return true;
}

pg_conn* ConnectOnce(const std::string& url, const std::optional<std::string>& password) {
    const std::string timeout = std::to_string(kConnectTimeoutSeconds);
    // Later entries override what the URI says: the URI may name the program, but never
    // a longer wait.
    std::vector<const char*> keys{"application_name", "dbname", "connect_timeout",
                                  "client_encoding"};
    std::vector<const char*> values{"halvoret", url.c_str(), timeout.c_str(), "UTF8"};
    if (password) {
        keys.push_back("password");
        values.push_back(password->c_str());
    }
    keys.push_back(nullptr);
    values.push_back(nullptr);
    pg_conn* conn = PQconnectdbParams(keys.data(), values.data(), 1);
    if (conn)
        PQsetNoticeProcessor(conn, IgnoreNotice, nullptr);
    return conn;
}

// Whether the server refused us for want of the right password.
bool WantsPassword(pg_conn* conn, const std::string& error) {
    return PQconnectionNeedsPassword(conn) ||
           (PQconnectionUsedPassword(conn) && error.find("password") != std::string::npos);
}

pg_conn* Connect(const std::string& url, std::string& error) {
    std::optional<std::string> password = RememberedPassword(url);
    bool asked = false;
    for (;;) {
        pg_conn* conn = ConnectOnce(url, password);
        if (PQstatus(conn) == CONNECTION_OK) {
            if (asked)
                RememberPassword(url, password);
            return conn;
        }
        error = conn ? ConnectionError(conn) : std::string("out of memory");
        const bool wantsPassword = conn && WantsPassword(conn, error);
        PQfinish(conn);
        if (!wantsPassword)
            return nullptr;
        RememberPassword(url, std::nullopt);
        PasswordPrompt* prompt = CurrentPasswordPrompt();
        if (!prompt)
            return nullptr;
        // The first question says nothing about a refusal the operator did not cause.
        password = prompt->AskPassword(DescribeDatabase({DbEngine::PostgreSQL, url}),
                                       asked || password ? error : std::string());
        if (!password)
            return nullptr;
        asked = true;
    }
}

} // namespace

std::string ConnectionError(pg_conn* conn) {
    std::string text;
    // libpq puts a hint on a line of its own; the operator gets one line.
    for (const char* c = conn ? PQerrorMessage(conn) : ""; *c; ++c) {
        if (*c == '\t')
            continue;
        text.push_back(*c == '\n' ? ' ' : *c);
    }
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text.empty() ? std::string("the connection failed") : text;
}

bool Acquire(const std::string& url, int lockTimeoutMs, Link& link, std::string& error) {
    Drop(link);
    std::vector<Link>& idle = t_idle.links;
    while (!idle.empty()) {
        auto found = idle.end();
        for (auto it = idle.begin(); it != idle.end(); ++it)
            if (it->url == url)
                found = it;
        if (found == idle.end())
            break;
        link = std::move(*found);
        idle.erase(found);
        if (Alive(link.conn) && SetLockTimeout(link, lockTimeoutMs, error))
            return true;
        Drop(link);
    }
    link.conn = Connect(url, error);
    if (!link.conn)
        return false;
    link.url = url;
    // Numbers travel as text; this makes the server write every double in full precision.
    PGresult* result = PQexec(link.conn, "SET extra_float_digits = 3");
    const bool set = PQresultStatus(result) == PGRES_COMMAND_OK;
    PQclear(result);
    if (!set || !SetLockTimeout(link, lockTimeoutMs, error)) {
        if (!set)
            error = ConnectionError(link.conn);
        Drop(link);
        return false;
    }
    return true;
}

void Release(Link& link) {
    if (!link.conn)
        return;
    if (PQstatus(link.conn) == CONNECTION_OK && PQtransactionStatus(link.conn) != PQTRANS_IDLE) {
        PGresult* result = PQexec(link.conn, "ROLLBACK");
        PQclear(result);
    }
    if (PQstatus(link.conn) != CONNECTION_OK || PQtransactionStatus(link.conn) != PQTRANS_IDLE ||
        t_idle.links.size() >= kIdlePerThread) {
        Drop(link);
        return;
    }
    t_idle.links.push_back(std::move(link));
    link = Link{};
}

void Drop(Link& link) {
    if (link.conn)
        PQfinish(link.conn);
    link = Link{};
}

void CloseIdle() {
    for (Link& link : t_idle.links)
        PQfinish(link.conn);
    t_idle.links.clear();
}

} // namespace hv::server
