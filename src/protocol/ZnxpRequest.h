#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zanmel {

// Data kinds of the copy-data messages the main window accepts.
constexpr std::uint32_t kCopyDataCommandLine = 0;
constexpr std::uint32_t kCopyDataZnxp = 1192;

// The text of a copy-data payload from another process: up to its first NUL or its byte count, whichever comes
// first. A null pointer or a zero count gives the empty text. Nothing past count is ever read.
std::string_view CopyDataText(const void* data, std::size_t count);

enum class ZnxpRequestKind { Get, Notify, Execute10, Execute11, Add, Unknown };

// A ZNXP request as read from its payload text. Header names are recognised at the first character of a line
// without regard to letter case; values are trimmed of bytes 0x20 and below and keep their case.
struct ZnxpRequest {
    ZnxpRequestKind kind = ZnxpRequestKind::Unknown;
    std::int32_t hwnd = 0;  // the last hwnd: line; 0 when absent or not an integer
    std::optional<std::string> sender;
    std::optional<std::string> charset;
    bool ignoreCase = false;              // "ignorecase" seen in any option: line
    bool matchPartial = false;            // "matchpartial" seen in any option: line
    bool romaji = false;                  // "romaji" seen in any option: line
    std::string search;                   // the last search: line; "" when absent
    std::optional<std::int32_t> appHwnd;  // the first apphwnd: line (0 when not an integer)
    std::optional<std::string> keyword;   // the first keyword: line
    std::optional<std::string> file;      // the first file: line
};

ZnxpRequest ParseZnxpRequest(std::string_view text);

// The lines of the replies.
std::string_view ZnxpOk(ZnxpRequestKind kind);          // "ZNXP/1.0 200 OK" or "ZNXP/1.1 200 OK"
std::string_view ZnxpBadRequest(ZnxpRequestKind kind);  // "ZNXP/1.x 400 Bad Request"
constexpr std::string_view kZnxpNotImplemented = "501 Not Implemented";

// The reply payload text: every line followed by CR LF, the last one too (the sender adds the NUL).
std::string ZnxpReplyText(const std::vector<std::string>& lines);
// The reply to a GET: status, "Unique:true|false", "KeyWordList:" + the comma text of the keywords.
std::string ZnxpGetReply(bool unique, std::string_view keywordList);

// What a command line forwarded by a second start asks for, in order.
struct CommandLineAction {
    enum class Kind { OpenFile, RunKeyword, Exit };
    Kind kind;
    std::string text;  // the path or keyword

    bool operator==(const CommandLineAction&) const = default;
};

// One item: open it as a file, whatever it is. Two or more: "-exit", "-executefile" PATH and
// "-executekeyword" KEYWORD (in any letter case); other items are skipped, and an option at the end without
// its item is ignored.
std::vector<CommandLineAction> ParseCommandLinePayload(std::string_view text);

}  // namespace zanmel
