#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zanmel {

// What the copy-data handler needs of the rest of the program. The main window implements it with the keyword
// index, the launch module, its notify list and SendMessageW; tests record the calls.
class ProtocolServices {
public:
    struct SearchResult {
        std::string keywords;  // comma text
        bool completed = false;
    };

    virtual ~ProtocolServices() = default;
    // The keyword index's search, sharing its completion memory with the search bar; byRomaji also matches
    // kana keywords by the query read as romaji.
    virtual SearchResult Search(std::string query, bool caseSensitive, bool forward, bool byRomaji) = 0;
    // The launch module's run keyword (with an empty option text) and run file.
    virtual void RunKeyword(const std::string& keyword) = 0;
    virtual void RunFile(const std::string& path) = 0;
    // Opens the launcher item dialog prefilled with the path (a new item, filed through the folder picker) and
    // returns without waiting for it.
    virtual void OpenRegistration(const std::string& path) = 0;
    // Remembers a window to be sent a close message when the launcher exits.
    virtual void AddNotifyWindow(std::int32_t window) = 0;
    // Posts a close message to the application window: the program ends after the current message.
    virtual void PostExit() = 0;
    // Sends the reply text (the NUL is added by the sender) to the window, waiting until it is processed.
    virtual void SendReply(std::int32_t window, const std::string& text) = 0;
    // Shows the text of an error that stopped a command.
    virtual void ShowError(std::string_view text) = 0;
    // Lets the sender of a forwarded command line go on at once: it only waits to end, and a message box
    // shown by the command must not keep it waiting.
    virtual void ReleaseSender() {}
};

// The main window's copy-data handler: kind 0 (a forwarded command line) and kind 1192 (a ZNXP request) are
// processed and answered with 1; any other kind is left alone (0). sender is the message's sender window.
// text is the payload as read by CopyDataText. kind is the message's whole data word: on a 64-bit system a
// value beyond 32 bits is no kind of ours.
std::intptr_t HandleCopyData(std::uint64_t kind, std::int32_t sender, std::string_view text,
                             ProtocolServices& services);

}  // namespace zanmel
