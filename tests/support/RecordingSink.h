#pragma once

#include "data/MessageSink.h"

#include <deque>
#include <string>
#include <vector>

namespace hv::test {

// Records every message the core shows and answers questions from a script (Yes when the
// script is empty). Installed for its lifetime.
class RecordingSink final : public MessageSink {
public:
    RecordingSink() : m_previous(SetMessageSink(this)) {}
    ~RecordingSink() override { SetMessageSink(m_previous); }
    RecordingSink(const RecordingSink&) = delete;
    RecordingSink& operator=(const RecordingSink&) = delete;

    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    bool AskYesNo(const std::string& text) override {
        questions.push_back(text);
        if (answers.empty())
            return true;
        bool answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::deque<bool> answers; // scripted answers to AskYesNo, in order

private:
    MessageSink* m_previous;
};

} // namespace hv::test
