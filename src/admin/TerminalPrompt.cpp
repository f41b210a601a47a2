#include "TerminalPrompt.h"

#include <cstdio>
#include <memory>
#include <termios.h>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

} // namespace

std::optional<std::string> TerminalPasswordPrompt::AskPassword(const std::string& where,
                                                               const std::string& problem) {
    std::unique_ptr<std::FILE, FileCloser> tty(std::fopen("/dev/tty", "r+"));
    if (!tty)
        return std::nullopt;
    if (!problem.empty())
        std::fprintf(tty.get(), "%s\n", problem.c_str());
    std::fprintf(tty.get(), "Password for %s: ", where.c_str());
    std::fflush(tty.get());
    const int fd = fileno(tty.get());
    termios shown{};
    const bool echoOff = tcgetattr(fd, &shown) == 0;
    if (echoOff) {
        termios hidden = shown;
        hidden.c_lflag &= static_cast<tcflag_t>(~ECHO);
        tcsetattr(fd, TCSAFLUSH, &hidden);
    }
    std::string password;
    int c;
    while ((c = std::fgetc(tty.get())) != EOF && c != '\n')
        password.push_back(static_cast<char>(c));
    if (echoOff)
        tcsetattr(fd, TCSAFLUSH, &shown);
    std::fprintf(tty.get(), "\n");
    // An empty answer gives up, as the end of the input does.
    if (password.empty())
        return std::nullopt;
    return password;
}
