#pragma once

#include <string>

namespace hv {

// How the core speaks to the operator. The core never shows a window: the GUI installs a
// sink that shows message boxes, the admin tool one that prints, tests one that records.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    // An information or error text with an OK button.
    virtual void ShowMessage(const std::string& text) = 0;
    // A Yes/No question; true means the operator did not answer No.
    virtual bool AskYesNo(const std::string& text) = 0;
};

// Installs the process-wide sink (nullptr restores the default, which prints to stderr and
// answers Yes). Returns the sink that was installed before.
MessageSink* SetMessageSink(MessageSink* sink);

void ShowMessage(const std::string& text);
bool AskYesNo(const std::string& text);

// Shows the string-table text of an id.
void ShowMessage(int stringId);
bool AskYesNo(int stringId);

} // namespace hv
