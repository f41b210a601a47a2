#pragma once

#include "data/PasswordPrompt.h"

// Asks for a server's password on the terminal, without echo. Without a terminal (a script,
// a scheduled job) nobody is asked and the server stays out of reach; ~/.pgpass serves
// there.
class TerminalPasswordPrompt final : public hv::PasswordPrompt {
public:
    std::optional<std::string> AskPassword(const std::string& where,
                                           const std::string& problem) override;
};
