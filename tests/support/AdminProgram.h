#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>

namespace hv::test {

// The build names the admin program it made, and makes it before the core tests.
inline std::filesystem::path AdminProgram() {
    return HALVORET_ADMIN_PROGRAM;
}

// Runs halvoret-admin in the working directory with its output in admin.out and admin.err;
// its exit status.
inline int RunAdmin(const std::string& arguments) {
    const std::string command =
        "'" + AdminProgram().string() + "' " + arguments + " >admin.out 2>admin.err </dev/null";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A text as one shell word.
inline std::string ShellWord(const std::string& text) {
    std::string word = "'";
    for (char c : text)
        word += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return word + "'";
}

} // namespace hv::test
