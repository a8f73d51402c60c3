#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "protocol/ZnxpRequest.h"

namespace zanmel {

TEST(CopyDataText, ReadsUpToTheFirstNulOrTheByteCountAndNeverBeyond) {
    EXPECT_EQ(CopyDataText(nullptr, 100), "");
    const char block[] = {'G', 'E', 'T', '\0', 'x'};
    EXPECT_EQ(CopyDataText(block, 0), "");
    EXPECT_EQ(CopyDataText(block, sizeof block), "GET");
    EXPECT_EQ(CopyDataText(block, 2), "GE");
    // No NUL at all: exactly count bytes (ASan catches a read past the heap block).
    std::vector<char> unterminated(4096, 'a');
    char* heap = new char[unterminated.size()];
    std::memcpy(heap, unterminated.data(), unterminated.size());
    EXPECT_EQ(CopyDataText(heap, unterminated.size()).size(), 4096u);
    delete[] heap;
}

TEST(ZnxpRequest, RequestLineIsTrimmedAndComparedWithoutCase) {
    EXPECT_EQ(ParseZnxpRequest("get znxp/1.0\r\n").kind, ZnxpRequestKind::Get);
    EXPECT_EQ(ParseZnxpRequest(" GET ZNXP/1.0  \t\r\nhwnd:1").kind, ZnxpRequestKind::Get);
    EXPECT_EQ(ParseZnxpRequest("Notify ZNXP/1.0").kind, ZnxpRequestKind::Notify);
    EXPECT_EQ(ParseZnxpRequest("EXECUTE ZNXP/1.0\n").kind, ZnxpRequestKind::Execute10);
    EXPECT_EQ(ParseZnxpRequest("execute znxp/1.1\r").kind, ZnxpRequestKind::Execute11);
    EXPECT_EQ(ParseZnxpRequest("ADD ZNXP/1.0").kind, ZnxpRequestKind::Add);
    EXPECT_EQ(ParseZnxpRequest("GET ZNXP/2.0").kind, ZnxpRequestKind::Unknown);
    EXPECT_EQ(ParseZnxpRequest("GET  ZNXP/1.0").kind, ZnxpRequestKind::Unknown);
    EXPECT_EQ(ParseZnxpRequest("").kind, ZnxpRequestKind::Unknown);
    EXPECT_EQ(ParseZnxpRequest("\r\nGET ZNXP/1.0").kind, ZnxpRequestKind::Unknown);
}

TEST(ZnxpRequest, HeadersAtTheFirstCharacterInAnyCaseWithTrimmedValues) {
    const ZnxpRequest r = ParseZnxpRequest(
        "EXECUTE ZNXP/1.0\r\nHWnd: 1234 \r\n Keyword:indented\r\nKeyword:  Note Pad \r\nkeyword:second\r\n"
        "Sender:Client\nCHARSET:Shift_JIS\rfile:C:\\a b.txt");
    EXPECT_EQ(r.hwnd, 1234);
    EXPECT_EQ(r.keyword, std::optional<std::string>("Note Pad"));  // the indented line is no header
    EXPECT_EQ(r.sender, std::optional<std::string>("Client"));
    EXPECT_EQ(r.charset, std::optional<std::string>("Shift_JIS"));
    EXPECT_EQ(r.file, std::optional<std::string>("C:\\a b.txt"));
    EXPECT_FALSE(r.appHwnd.has_value());

    // hwnd: the last counts, and one that is not an integer counts as 0; apphwnd: the first counts.
    const ZnxpRequest n = ParseZnxpRequest("NOTIFY ZNXP/1.0\r\nhwnd:10\r\nhwnd:abc\r\napphwnd:x1\r\napphwnd:77\r\n");
    EXPECT_EQ(n.hwnd, 0);
    EXPECT_EQ(n.appHwnd, std::optional<std::int32_t>(0));
    EXPECT_EQ(ParseZnxpRequest("GET ZNXP/1.0\r\nhwnd:abc\r\nhwnd:-5").hwnd, -5);
    EXPECT_EQ(ParseZnxpRequest("GET ZNXP/1.0\r\nhwnd:99999999999").hwnd, 0);
}

TEST(ZnxpRequest, OptionsAccumulateOverLinesAndSearchTakesTheLast) {
    ZnxpRequest r = ParseZnxpRequest("GET ZNXP/1.0\r\noption:IgnoreCase\r\nsearch:ab\r\noption:x\r\nsearch: Cd ");
    EXPECT_TRUE(r.ignoreCase);
    EXPECT_FALSE(r.matchPartial);
    EXPECT_EQ(r.search, "Cd");
    r = ParseZnxpRequest("GET ZNXP/1.0\r\nOption: please MatchPartial and IGNORECASE");
    EXPECT_TRUE(r.ignoreCase);
    EXPECT_TRUE(r.matchPartial);
    EXPECT_EQ(r.search, "");
    // A double-byte character never supplies the letters of a word.
    EXPECT_FALSE(ParseZnxpRequest("GET ZNXP/1.0\r\noption:\x83gnorecase").ignoreCase);
}

TEST(ZnxpReply, LinesEndWithCrLfAndStatusFollowsTheVersion) {
    EXPECT_EQ(ZnxpGetReply(false, "abc,\"a b\""), "ZNXP/1.0 200 OK\r\nUnique:false\r\nKeyWordList:abc,\"a b\"\r\n");
    EXPECT_EQ(ZnxpGetReply(true, ""), "ZNXP/1.0 200 OK\r\nUnique:true\r\nKeyWordList:\r\n");
    EXPECT_EQ(ZnxpOk(ZnxpRequestKind::Execute11), "ZNXP/1.1 200 OK");
    EXPECT_EQ(ZnxpBadRequest(ZnxpRequestKind::Execute11), "ZNXP/1.1 400 Bad Request");
    EXPECT_EQ(ZnxpBadRequest(ZnxpRequestKind::Notify), "ZNXP/1.0 400 Bad Request");
    EXPECT_EQ(ZnxpReplyText({std::string(kZnxpNotImplemented)}), "501 Not Implemented\r\n");
}

TEST(CommandLinePayload, OneItemOpensAFileOptionsNeedTwoOrMore) {
    using K = CommandLineAction::Kind;
    EXPECT_EQ(ParseCommandLinePayload("-exit"), (std::vector<CommandLineAction>{{K::OpenFile, "-exit"}}));
    EXPECT_EQ(ParseCommandLinePayload("\"C:\\My Documents\\a,b.txt\""),
              (std::vector<CommandLineAction>{{K::OpenFile, "C:\\My Documents\\a,b.txt"}}));
    EXPECT_EQ(ParseCommandLinePayload("-ExecuteKeyword note -EXIT"),
              (std::vector<CommandLineAction>{{K::RunKeyword, "note"}, {K::Exit, ""}}));
    EXPECT_EQ(ParseCommandLinePayload("-executefile \"C:\\Program Files\\x.txt\" stray -executekeyword"),
              (std::vector<CommandLineAction>{{K::OpenFile, "C:\\Program Files\\x.txt"}}));
    EXPECT_EQ(ParseCommandLinePayload("-exit -executekeyword -exit"),
              (std::vector<CommandLineAction>{{K::Exit, ""}, {K::RunKeyword, "-exit"}}));
    EXPECT_TRUE(ParseCommandLinePayload("").empty());
}

}  // namespace zanmel
