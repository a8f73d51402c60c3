#include "protocol/ZnxpRequest.h"

#include <cstring>

#include "core/CommaText.h"
#include "core/Cp932.h"
#include "core/LaunchWordData.h"
#include "core/TextLines.h"

namespace zanmel {

namespace {

std::string_view Trim(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= 0x20) ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 0x20) --end;
    return text.substr(begin, end - begin);
}

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsAsciiIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    }
    return true;
}

// The value of a header line when it begins with name (lower-case, with its colon) at its first character.
std::optional<std::string_view> HeaderValue(std::string_view line, std::string_view name) {
    if (line.size() < name.size() || !EqualsAsciiIgnoreCase(line.substr(0, name.size()), name)) return std::nullopt;
    return Trim(line.substr(name.size()));
}

std::int32_t ToHandle(std::string_view value) {
    std::int32_t number = 0;
    return ParseInt32(value, number) ? number : 0;
}

ZnxpRequestKind KindOf(std::string_view requestLine) {
    struct Entry {
        std::string_view text;
        ZnxpRequestKind kind;
    };
    static constexpr Entry kRequests[] = {
        {"GET ZNXP/1.0", ZnxpRequestKind::Get},           {"NOTIFY ZNXP/1.0", ZnxpRequestKind::Notify},
        {"EXECUTE ZNXP/1.0", ZnxpRequestKind::Execute10}, {"EXECUTE ZNXP/1.1", ZnxpRequestKind::Execute11},
        {"ADD ZNXP/1.0", ZnxpRequestKind::Add},
    };
    for (const Entry& entry : kRequests) {
        if (EqualsAsciiIgnoreCase(requestLine, entry.text)) return entry.kind;
    }
    return ZnxpRequestKind::Unknown;
}

}  // namespace

std::string_view CopyDataText(const void* data, std::size_t count) {
    if (data == nullptr || count == 0) return {};
    const char* bytes = static_cast<const char*>(data);
    const void* nul = std::memchr(bytes, '\0', count);
    return std::string_view(bytes, nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - bytes) : count);
}

ZnxpRequest ParseZnxpRequest(std::string_view text) {
    ZnxpRequest request;
    const std::vector<std::string_view> lines = SplitLines(text);
    if (lines.empty()) return request;
    request.kind = KindOf(Trim(lines[0]));

    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (auto v = HeaderValue(line, "hwnd:")) {
            request.hwnd = ToHandle(*v);
        } else if (auto v = HeaderValue(line, "sender:")) {
            request.sender = std::string(*v);
        } else if (auto v = HeaderValue(line, "charset:")) {
            request.charset = std::string(*v);
        } else if (auto v = HeaderValue(line, "option:")) {
            const std::string lowered = cp932::ToLower(*v);
            if (cp932::Find(lowered, "ignorecase") != std::string::npos) request.ignoreCase = true;
            if (cp932::Find(lowered, "matchpartial") != std::string::npos) request.matchPartial = true;
            if (cp932::Find(lowered, "romaji") != std::string::npos) request.romaji = true;
        } else if (auto v = HeaderValue(line, "search:")) {
            request.search = std::string(*v);
        } else if (auto v = HeaderValue(line, "apphwnd:")) {
            if (!request.appHwnd) request.appHwnd = ToHandle(*v);
        } else if (auto v = HeaderValue(line, "keyword:")) {
            if (!request.keyword) request.keyword = std::string(*v);
        } else if (auto v = HeaderValue(line, "file:")) {
            if (!request.file) request.file = std::string(*v);
        }
    }
    return request;
}

std::string_view ZnxpOk(ZnxpRequestKind kind) {
    return kind == ZnxpRequestKind::Execute11 ? "ZNXP/1.1 200 OK" : "ZNXP/1.0 200 OK";
}

std::string_view ZnxpBadRequest(ZnxpRequestKind kind) {
    return kind == ZnxpRequestKind::Execute11 ? "ZNXP/1.1 400 Bad Request" : "ZNXP/1.0 400 Bad Request";
}

std::string ZnxpReplyText(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

std::string ZnxpGetReply(bool unique, std::string_view keywordList) {
    return ZnxpReplyText({std::string(ZnxpOk(ZnxpRequestKind::Get)), unique ? "Unique:true" : "Unique:false",
                          "KeyWordList:" + std::string(keywordList)});
}

std::vector<CommandLineAction> ParseCommandLinePayload(std::string_view text) {
    const std::vector<std::string> items = CommaTextSplit(text);
    std::vector<CommandLineAction> actions;
    if (items.size() == 1) {
        actions.push_back({CommandLineAction::Kind::OpenFile, items[0]});
        return actions;
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::string& item = items[i];
        if (EqualsAsciiIgnoreCase(item, "-exit")) {
            actions.push_back({CommandLineAction::Kind::Exit, ""});
        } else if (EqualsAsciiIgnoreCase(item, "-executefile")) {
            if (i + 1 < items.size()) actions.push_back({CommandLineAction::Kind::OpenFile, items[++i]});
        } else if (EqualsAsciiIgnoreCase(item, "-executekeyword")) {
            if (i + 1 < items.size()) actions.push_back({CommandLineAction::Kind::RunKeyword, items[++i]});
        }
    }
    return actions;
}

}  // namespace zanmel
