#include "data/PasswordPrompt.h"

#include <atomic>
#include <map>
#include <mutex>

namespace hv {
namespace {

std::atomic<PasswordPrompt*> g_prompt{nullptr};

struct Passwords {
    std::mutex mutex;
    std::map<std::string, std::string> byUrl;
};

Passwords& Remembered() {
    static Passwords passwords;
    return passwords;
}

} // namespace

PasswordPrompt* SetPasswordPrompt(PasswordPrompt* prompt) {
    return g_prompt.exchange(prompt);
}

PasswordPrompt* CurrentPasswordPrompt() {
    return g_prompt.load();
}

std::optional<std::string> RememberedPassword(const std::string& url) {
    Passwords& p = Remembered();
    std::lock_guard lock(p.mutex);
    const auto found = p.byUrl.find(url);
    if (found == p.byUrl.end())
        return std::nullopt;
    return found->second;
}

void RememberPassword(const std::string& url, std::optional<std::string> password) {
    Passwords& p = Remembered();
    std::lock_guard lock(p.mutex);
    if (password)
        p.byUrl[url] = std::move(*password);
    else
        p.byUrl.erase(url);
}

} // namespace hv
