#include "data/MessageSink.h"

#include "data/StringTable.h"

#include <atomic>
#include <iostream>

namespace hv {
namespace {

class StderrSink final : public MessageSink {
public:
    void ShowMessage(const std::string& text) override { std::cerr << text << '\n'; }
    bool AskYesNo(const std::string& text) override {
        std::cerr << text << " [Yes]\n";
        return true;
    }
};

StderrSink g_stderrSink;
std::atomic<MessageSink*> g_sink{&g_stderrSink};

} // namespace

MessageSink* SetMessageSink(MessageSink* sink) {
    MessageSink* previous = g_sink.exchange(sink ? sink : &g_stderrSink);
    return previous == &g_stderrSink ? nullptr : previous;
}

void ShowMessage(const std::string& text) {
    g_sink.load()->ShowMessage(text);
}
bool AskYesNo(const std::string& text) {
    return g_sink.load()->AskYesNo(text);
}
void ShowMessage(int stringId) {
    ShowMessage(std::string(LoadString(stringId)));
}
bool AskYesNo(int stringId) {
    return AskYesNo(std::string(LoadString(stringId)));
}

} // namespace hv
