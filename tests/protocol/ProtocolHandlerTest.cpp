#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "core/KeyWordList.h"
#include "protocol/ProtocolHandler.h"
#include "protocol/ZnxpRequest.h"

namespace zanmel {

namespace {

// Services over a real keyword index; starts, notifications and replies are recorded.
class RecordingServices : public ProtocolServices {
public:
    TKeyWordList index{"PC"};
    std::vector<std::string> calls;
    std::vector<std::pair<std::int32_t, std::string>> replies;

    SearchResult Search(std::string query, bool caseSensitive, bool forward, bool byRomaji) override {
        auto result = index.Search(query, caseSensitive, forward, byRomaji);
        return {result.keywords, result.completed};
    }
    void RunKeyword(const std::string& keyword) override {
        calls.push_back("keyword " + keyword);
        index.Learning(keyword);  // raises for an unregistered keyword, as the launch module does
    }
    void RunFile(const std::string& path) override {
        calls.push_back("file " + path);
        if (path == "broken") throw std::runtime_error("cannot open");
    }
    void OpenRegistration(const std::string& path) override {
        calls.push_back("add " + path);
        if (path == "broken") throw std::runtime_error("cannot show");
    }
    void AddNotifyWindow(std::int32_t window) override { calls.push_back("notify " + std::to_string(window)); }
    void PostExit() override { calls.push_back("exit"); }
    void SendReply(std::int32_t window, const std::string& text) override { replies.emplace_back(window, text); }
    void ShowError(std::string_view text) override { calls.push_back("error " + std::string(text)); }

    std::string Only() {
        EXPECT_EQ(replies.size(), 1u);
        return replies.empty() ? "" : replies.back().second;
    }
};

}  // namespace

TEST(ProtocolHandler, DataKindsAndTheReplyWindow) {
    RecordingServices s;
    EXPECT_EQ(HandleCopyData(7, 5, "GET ZNXP/1.0", s), 0);
    EXPECT_EQ(HandleCopyData(0x1'0000'0000ULL + kCopyDataZnxp, 5, "GET ZNXP/1.0", s), 0);
    EXPECT_EQ(HandleCopyData(0x1'0000'0000ULL, 5, "-exit", s), 0);
    EXPECT_TRUE(s.replies.empty());

    // No hwnd: and a zero sender: nothing is done and nothing is sent, but the message counts as handled.
    EXPECT_EQ(HandleCopyData(kCopyDataZnxp, 0, "EXECUTE ZNXP/1.1\r\nfile:x", s), 1);
    EXPECT_TRUE(s.replies.empty());
    EXPECT_TRUE(s.calls.empty());

    // hwnd: wins over the sender; a zero or unreadable hwnd: falls back to the sender.
    HandleCopyData(kCopyDataZnxp, 5, "NOTIFY ZNXP/1.0\r\nhwnd:77\r\napphwnd:9", s);
    HandleCopyData(kCopyDataZnxp, 5, "NOTIFY ZNXP/1.0\r\nhwnd:junk", s);
    ASSERT_EQ(s.replies.size(), 2u);
    EXPECT_EQ(s.replies[0], std::make_pair(77, std::string("ZNXP/1.0 200 OK\r\n")));
    EXPECT_EQ(s.replies[1], std::make_pair(5, std::string("ZNXP/1.0 400 Bad Request\r\n")));
    EXPECT_EQ(s.calls, std::vector<std::string>{"notify 9"});
}

TEST(ProtocolHandler, GetSearchesWithTheSharedCompletionMemory) {
    RecordingServices s;
    s.index.Add("note", "Launch", 0, "open,notepad.exe,,,1,0");
    EXPECT_EQ(HandleCopyData(kCopyDataZnxp, 3, "GET ZNXP/1.0", s), 1);
    EXPECT_EQ(s.Only(), "ZNXP/1.0 200 OK\r\nUnique:false\r\nKeyWordList:note\r\n");
    s.index.Add("a b,c", "Launch", 0, "open,x,,,1,0");
    s.index.Add("Xnote", "Launch", 0, "open,x,,,1,0");
    s.replies.clear();

    HandleCopyData(kCopyDataZnxp, 3, "GET ZNXP/1.0\r\nsearch:NO\r\noption:IgnoreCase", s);
    EXPECT_EQ(s.Only(), "ZNXP/1.0 200 OK\r\nUnique:true\r\nKeyWordList:note\r\n");
    s.replies.clear();
    // The same single match again: the memory already holds it.
    HandleCopyData(kCopyDataZnxp, 3, "GET ZNXP/1.0\r\nsearch:no\r\n", s);
    EXPECT_EQ(s.Only(), "ZNXP/1.0 200 OK\r\nUnique:false\r\nKeyWordList:note\r\n");
    s.replies.clear();
    HandleCopyData(kCopyDataZnxp, 3, "GET ZNXP/1.0\r\nsearch:NOTE\r\n", s);  // case-sensitive by default
    EXPECT_EQ(s.Only(), "ZNXP/1.0 200 OK\r\nUnique:false\r\nKeyWordList:\r\n");
    s.replies.clear();
    HandleCopyData(kCopyDataZnxp, 3, "GET ZNXP/1.0\r\noption:MatchPartial ignorecase\r\nsearch:NOTE\r\n", s);
    EXPECT_EQ(s.Only(), "ZNXP/1.0 200 OK\r\nUnique:false\r\nKeyWordList:note,Xnote\r\n");
    s.replies.clear();
    HandleCopyData(kCopyDataZnxp, 3, "GET ZNXP/1.0\r\nsearch:\r\n", s);
    EXPECT_EQ(s.Only(), "ZNXP/1.0 200 OK\r\nUnique:false\r\nKeyWordList:note,\"a b,c\",Xnote\r\n");
}

TEST(ProtocolHandler, GetReadsTheSearchAsRomajiOnlyWithTheOptionWord) {
    RecordingServices s;
    for (const char* keyword : {"メモ帳", "メール", "memory"}) s.index.Add(keyword, "Launch", 0, "open,x,,,1,0");
    HandleCopyData(kCopyDataZnxp, 3, "GET ZNXP/1.0\r\nsearch:me\r\n", s);
    EXPECT_EQ(s.Only(), "ZNXP/1.0 200 OK\r\nUnique:true\r\nKeyWordList:memory\r\n");
    s.replies.clear();
    HandleCopyData(kCopyDataZnxp, 3, "GET ZNXP/1.0\r\noption:ignorecase\r\noption:Romaji\r\nsearch:me\r\n", s);
    EXPECT_EQ(s.Only(), "ZNXP/1.0 200 OK\r\nUnique:false\r\nKeyWordList:メモ帳,メール,memory\r\n");
    s.replies.clear();
    HandleCopyData(kCopyDataZnxp, 3, "GET ZNXP/1.0\r\noption:romaji matchpartial\r\nsearch:ru\r\n", s);
    EXPECT_EQ(s.Only(), "ZNXP/1.0 200 OK\r\nUnique:true\r\nKeyWordList:メール\r\n");
}

TEST(ProtocolHandler, ExecuteRepliesAndSwallowsOrReportsFailures) {
    RecordingServices s;
    s.index.Add("a", "Launch", 0, "");
    s.index.Add("b", "Launch", 0, "");
    HandleCopyData(kCopyDataZnxp, 3, "EXECUTE ZNXP/1.0\r\nkeyword:nothing", s);
    EXPECT_EQ(s.Only(), "ZNXP/1.0 200 OK\r\n");
    EXPECT_EQ(s.calls, std::vector<std::string>{"keyword nothing"});  // its error shows no message
    s.replies.clear();
    HandleCopyData(kCopyDataZnxp, 3, "EXECUTE ZNXP/1.0\r\nKeyword:b\r\nkeyword:a", s);
    EXPECT_EQ(s.Only(), "ZNXP/1.0 200 OK\r\n");
    EXPECT_EQ(s.index.KeyWordAt(0), "b");  // the first keyword: line was run
    s.replies.clear();
    HandleCopyData(kCopyDataZnxp, 3, "EXECUTE ZNXP/1.0\r\n", s);
    EXPECT_EQ(s.Only(), "ZNXP/1.0 400 Bad Request\r\n");
    s.replies.clear();
    HandleCopyData(kCopyDataZnxp, 3, "EXECUTE ZNXP/1.1", s);
    EXPECT_EQ(s.Only(), "ZNXP/1.1 400 Bad Request\r\n");
    s.replies.clear();
    s.calls.clear();
    HandleCopyData(kCopyDataZnxp, 3, "EXECUTE ZNXP/1.1\r\nfile:broken", s);
    EXPECT_EQ(s.Only(), "ZNXP/1.1 200 OK\r\n");
    EXPECT_EQ(s.calls, (std::vector<std::string>{"file broken", "error cannot open"}));
    s.replies.clear();
    HandleCopyData(kCopyDataZnxp, 3, "PUT ZNXP/1.0", s);
    EXPECT_EQ(s.Only(), "501 Not Implemented\r\n");
}

TEST(ProtocolHandler, AddOpensTheRegistrationWithTheFirstFileAndRepliesInVersionOne) {
    RecordingServices s;
    HandleCopyData(kCopyDataZnxp, 3, "add znxp/1.0 \r\nFile: C:\\a b\\x.exe \r\nfile:C:\\y.exe", s);
    EXPECT_EQ(s.Only(), "ZNXP/1.0 200 OK\r\n");
    EXPECT_EQ(s.calls, std::vector<std::string>{"add C:\\a b\\x.exe"});
    s.replies.clear();
    s.calls.clear();
    HandleCopyData(kCopyDataZnxp, 3, "ADD ZNXP/1.0\r\n file:C:\\x.exe", s);  // an indented line is no header
    EXPECT_EQ(s.Only(), "ZNXP/1.0 400 Bad Request\r\n");
    EXPECT_TRUE(s.calls.empty());
    s.replies.clear();
    // A failure while opening comes after the reply, which is still the 200 queued before the action.
    HandleCopyData(kCopyDataZnxp, 3, "ADD ZNXP/1.0\r\nfile:broken", s);
    EXPECT_EQ(s.Only(), "ZNXP/1.0 200 OK\r\n");
    EXPECT_EQ(s.calls, (std::vector<std::string>{"add broken", "error cannot show"}));
}

TEST(ProtocolHandler, ForwardedCommandLineStopsAtAnUnregisteredKeyword) {
    RecordingServices s;
    s.index.Add("x", "Launch", 0, "");
    s.index.Add("note", "Launch", 0, "");
    EXPECT_EQ(HandleCopyData(kCopyDataCommandLine, 0, "-executekeyword note -exit", s), 1);
    EXPECT_EQ(s.calls, (std::vector<std::string>{"keyword note", "exit"}));
    s.calls.clear();
    HandleCopyData(kCopyDataCommandLine, 0, "-executekeyword missing -exit", s);
    EXPECT_EQ(s.calls, (std::vector<std::string>{"keyword missing",
                                                 "error TKeyWordList::Learning\r\nKeyWordが見つかりません。"}));
    EXPECT_TRUE(s.replies.empty());
}

}  // namespace zanmel
