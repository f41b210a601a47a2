#pragma once

#include <cstddef>
#include <map>
#include <string>

struct pg_conn;

// The server connections of CAdoDb: opening them (asking for a password when the server
// wants one) and keeping them open per thread between operations.
namespace hv::server {

// How long connecting may take before the server counts as out of reach.
inline constexpr int kConnectTimeoutSeconds = 5;

// Statements prepared on one connection at most; later ones are sent by text.
inline constexpr std::size_t kPreparedPerConnection = 200;

// An open connection to one server URI, with the lock timeout it was last set to and the
// statements prepared on it (by text and value types, with their names). A new or replaced
// connection starts with none: names prepared on another one do not exist on it.
struct Link {
    pg_conn* conn = nullptr;
    std::string url;
    int lockTimeoutMs = -1;
    std::map<std::string, std::string> prepared;
};

// A connection of this thread to url that is still alive, or a new one; its lock timeout is
// set to lockTimeoutMs. False with libpq's reason when the server cannot be reached or
// refused us. A password is asked for (PasswordPrompt) when the server wants one; a refused
// password is asked again.
bool Acquire(const std::string& url, int lockTimeoutMs, Link& link, std::string& error);

// Gives a connection back for the next operation of this thread, or closes it when it is
// lost, busy or in a transaction that cannot be ended. link is empty afterwards.
void Release(Link& link);

// Closes a connection for good. link is empty afterwards.
void Drop(Link& link);

// Closes the connections this thread keeps open.
void CloseIdle();

// libpq's text for the latest failure of a connection, without the trailing line break.
std::string ConnectionError(pg_conn* conn);

} // namespace hv::server
