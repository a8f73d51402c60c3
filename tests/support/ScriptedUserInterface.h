#pragma once

#include <deque>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/UserInterface.h"

namespace zanmel::test {

// A user interface for tests: records every call with its texts and answers from a queue of scripted
// answers. A call with no matching answer queued is a test failure: it throws UnexpectedCall, which the
// code under test must not swallow silently (the callback guard reports it through Unexpected()).
class ScriptedUserInterface : public UserInterface {
public:
    enum class Kind { Message, Confirm, QueryText, OpenFile, BrowseFolder };

    struct Call {
        Kind kind;
        std::string title;  // QueryText, BrowseFolder
        std::string text;   // message, confirmation text, prompt, filter
        std::string initial;
    };

    struct UnexpectedCall : std::logic_error {
        using std::logic_error::logic_error;
    };

    // Scripted answers, consumed in order by calls of the same kind.
    void ExpectMessage() { messagesAllowed_ += 1; }
    void AllowMessages() { messagesAllowed_ = -1; }
    void AnswerConfirm(bool ok) { confirms_.push_back(ok); }
    void AnswerQuery(std::optional<std::string> answer) { queries_.push_back(std::move(answer)); }
    void AnswerOpenFile(std::optional<std::string> answer) { files_.push_back(std::move(answer)); }
    void AnswerBrowseFolder(std::string answer) { folders_.push_back(std::move(answer)); }

    const std::vector<Call>& Calls() const { return calls_; }
    std::vector<std::string> Messages() const;
    // Calls made with no answer scripted, as a readable list; empty when there were none.
    const std::vector<std::string>& Unexpected() const { return unexpected_; }
    // True when every scripted answer was used.
    bool AllAnswersUsed() const;

    void ShowMessage(std::string_view text) override;
    bool Confirm(std::string_view text) override;
    std::optional<std::string> QueryText(std::string_view title, std::string_view prompt,
                                         std::string_view initialText) override;
    std::optional<std::string> OpenFile(std::string_view filter, std::string_view initialFile) override;
    std::string BrowseFolder(Owner owner, std::string_view title, std::string_view initialFolder) override;

private:
    [[noreturn]] void Fail(const std::string& what);

    std::vector<Call> calls_;
    std::vector<std::string> unexpected_;
    int messagesAllowed_ = 0;
    std::deque<bool> confirms_;
    std::deque<std::optional<std::string>> queries_;
    std::deque<std::optional<std::string>> files_;
    std::deque<std::string> folders_;
};

}  // namespace zanmel::test
