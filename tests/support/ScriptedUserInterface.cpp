#include "ScriptedUserInterface.h"

namespace zanmel::test {

std::vector<std::string> ScriptedUserInterface::Messages() const {
    std::vector<std::string> texts;
    for (const Call& call : calls_) {
        if (call.kind == Kind::Message) texts.push_back(call.text);
    }
    return texts;
}

bool ScriptedUserInterface::AllAnswersUsed() const {
    return messagesAllowed_ <= 0 && confirms_.empty() && queries_.empty() && files_.empty() && folders_.empty();
}

void ScriptedUserInterface::Fail(const std::string& what) {
    unexpected_.push_back(what);
    throw UnexpectedCall("unexpected user interface call: " + what);
}

void ScriptedUserInterface::ShowMessage(std::string_view text) {
    calls_.push_back({Kind::Message, "", std::string(text), ""});
    if (messagesAllowed_ == 0) Fail("message \"" + std::string(text) + "\"");
    if (messagesAllowed_ > 0) messagesAllowed_ -= 1;
}

bool ScriptedUserInterface::Confirm(std::string_view text) {
    calls_.push_back({Kind::Confirm, "", std::string(text), ""});
    if (confirms_.empty()) Fail("confirm \"" + std::string(text) + "\"");
    bool answer = confirms_.front();
    confirms_.pop_front();
    return answer;
}

std::optional<std::string> ScriptedUserInterface::QueryText(std::string_view title, std::string_view prompt,
                                                            std::string_view initialText) {
    calls_.push_back({Kind::QueryText, std::string(title), std::string(prompt), std::string(initialText)});
    if (queries_.empty()) Fail("query \"" + std::string(prompt) + "\"");
    auto answer = queries_.front();
    queries_.pop_front();
    return answer;
}

std::optional<std::string> ScriptedUserInterface::OpenFile(std::string_view filter, std::string_view initialFile) {
    calls_.push_back({Kind::OpenFile, "", std::string(filter), std::string(initialFile)});
    if (files_.empty()) Fail("open file \"" + std::string(filter) + "\"");
    auto answer = files_.front();
    files_.pop_front();
    return answer;
}

std::string ScriptedUserInterface::BrowseFolder(Owner, std::string_view title, std::string_view initialFolder) {
    calls_.push_back({Kind::BrowseFolder, std::string(title), "", std::string(initialFolder)});
    if (folders_.empty()) Fail("browse folder \"" + std::string(title) + "\"");
    std::string answer = folders_.front();
    folders_.pop_front();
    return answer;
}

}  // namespace zanmel::test
