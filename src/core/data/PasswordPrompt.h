#pragma once

#include <optional>
#include <string>

namespace hv {

// How the core asks for the password of a database server that wants one. libpq's own
// means (~/.pgpass, certificates, peer authentication) are tried first; the prompt is
// asked only when they did not suffice. The GUI shows a dialog, the admin tool asks on the
// terminal, tests answer from a script. A password is kept in memory for the rest of the
// process and never written anywhere.
class PasswordPrompt {
public:
    virtual ~PasswordPrompt() = default;
    // where: the server as DescribeDatabase names it; problem: why the password is asked
    // (empty the first time, the server's answer after a refused one). nullopt: give up.
    // May be called on any thread.
    virtual std::optional<std::string> AskPassword(const std::string& where,
                                                   const std::string& problem) = 0;
};

// Installs the process-wide prompt (nullptr: nobody can be asked, a server that wants a
// password is out of reach). Returns the one installed before.
PasswordPrompt* SetPasswordPrompt(PasswordPrompt* prompt);
PasswordPrompt* CurrentPasswordPrompt();

// The password the operator gave for a server URI in this process, if any.
std::optional<std::string> RememberedPassword(const std::string& url);
void RememberPassword(const std::string& url, std::optional<std::string> password);

} // namespace hv
