#include <gtest/gtest.h>

#include "core/KeyWordList.h"
#include "core/RomajiQuery.h"

namespace zanmel {
namespace {

TKeyWordList Index(std::initializer_list<const char*> keywords) {
    TKeyWordList list;
    for (const char* keyword : keywords) list.Add(keyword, "Launch", 0, "");
    return list;
}

std::string Found(TKeyWordList& list, std::string query, bool forward = true, bool caseSensitive = false) {
    return list.Search(query, caseSensitive, forward, true).keywords;
}

TEST(RomajiSearch, EverySpellingOfTheKanaFindsItsKeyword) {
    TKeyWordList list = Index({"メモ帳", "メール", "ワードパッド", "ごみ箱", "コンピュータ", "きんゆう", "きにゅう",
                               "まっちゃ", "ｺﾏﾝﾄﾞ", "しんぶん", "はなぢ", "つくえ", "ファイル", "じてんしゃ", "ジャズ",
                               "ちゃわん", "ヴァイオリン"});
    const struct {
        const char* queries;  // comma text of spellings that all find the same keywords
        const char* found;
    } cases[] = {
        {"me", "メモ帳,メール"},
        {"memo,MEMO", "メモ帳"},
        {"me-ru,meeru,meru", "メール"},
        {"wa-do,wado,waado,wa-dopaddo", "ワードパッド"},
        {"gomi", "ごみ箱"},
        {"gomibako", ""},  // a kanji stops the reading: nothing is guessed
        {"konpyu,konpyuuta,konpyu-ta,konpyuta,konnpyu,kon'pyu", "コンピュータ"},
        {"kin'yuu,kinnyuu", "きんゆう"},
        {"kinyuu,kinyu", "きにゅう"},  // n before y begins にゅ
        {"kin", "きんゆう,きにゅう"},  // a trailing n is ん or begins the な row
        {"maccha,matcha,mattya,mac", "まっちゃ"},
        {"macha", ""},  // っ is never left out
        {"komando,koma", "ｺﾏﾝﾄﾞ"},
        {"komanto", ""},  // the voicing mark belongs to the kana
        {"shinbun,sinbun", "しんぶん"},
        {"hanadi,hanaji", "はなぢ"},
        {"tsukue,tukue", "つくえ"},
        {"fairu,huxairu,fulairu,hu", "ファイル"},
        {"jitensha,zitensya,jitensya", "じてんしゃ"},
        {"jazu,jyazu,zyazu", "ジャズ"},
        {"chawan,cyawan,tyawan", "ちゃわん"},
        {"vaiorin", "ヴァイオリン"},
        {"sh,shi,s", "しんぶん"},  // unfinished syllables match every kana they can begin
        {"ts", "つくえ"},
        {"ch", "ちゃわん"},
        {"j", "じてんしゃ,ジャズ"},
        {"ky,ga,x", ""},
    };
    for (const auto& c : cases) {
        std::string queries = c.queries;
        std::size_t start = 0;
        while (start <= queries.size()) {
            const std::size_t end = std::min(queries.find(',', start), queries.size());
            const std::string query = queries.substr(start, end - start);
            EXPECT_EQ(Found(list, query), c.found) << query;
            start = end + 1;
        }
    }
}

TEST(RomajiSearch, PartialMatchBeginsAtAnyCharacterAlsoAfterAKanji) {
    TKeyWordList list = Index({"メモ帳", "新しいメモ", "ワードパッド", "きんゆう", "きにゅう", "ｺﾏﾝﾄﾞ"});
    EXPECT_EQ(Found(list, "memo", false), "メモ帳,新しいメモ");
    EXPECT_EQ(Found(list, "atarashii", true), "");
    EXPECT_EQ(Found(list, "pa", false), "ワードパッド");
    EXPECT_EQ(Found(list, "yuu", false), "きんゆう");  // ゅ is small: yu is only ゆ
    EXPECT_EQ(Found(list, "mando", false), "ｺﾏﾝﾄﾞ");
    EXPECT_EQ(Found(list, "do", false), "ワードパッド,ｺﾏﾝﾄﾞ");
}

TEST(RomajiSearch, LettersMatchAsTodayAndResultsKeepIndexOrder) {
    TKeyWordList list = Index({"google検索", "Wordパッド", "Excel表", "ワードパッド"});
    EXPECT_EQ(Found(list, "goo"), "google検索");
    EXPECT_EQ(Found(list, "exc"), "Excel表");
    EXPECT_EQ(Found(list, "w"), "Wordパッド,ワードパッド");  // one by its bytes, one by reading, in index order
    EXPECT_EQ(Found(list, "wordpa"), "Wordパッド");
    EXPECT_EQ(Found(list, "wordpa", true, true), "");
    EXPECT_EQ(Found(list, "Wordpa", true, true), "Wordパッド");
    EXPECT_EQ(Found(list, "WA-DO", true, true), "ワードパッド");  // romaji has no letter case

    list.Learning("ワードパッド");
    list.Learning("ワードパッド");
    EXPECT_EQ(Found(list, "w"), "ワードパッド,Wordパッド");
}

TEST(RomajiSearch, OffByDefaultAndCompletionKeepsItsRule) {
    TKeyWordList list = Index({"メモ帳", "メール"});
    std::string query = "memo";
    EXPECT_EQ(list.Search(query, false, true).keywords, "");
    auto result = list.Search(query, false, true, true);
    EXPECT_TRUE(result.completed);
    EXPECT_EQ(query, "メモ帳");
    query = "memo";  // the completed tail deleted: the same single match completes no more
    EXPECT_FALSE(list.Search(query, false, true, true).completed);
    EXPECT_EQ(query, "memo");
}

TEST(RomajiSearch, ReadingsFollowTheRowsThroughEveryChange) {
    TKeyWordList list = Index({"abc", "めも", "xyz"});
    list.Change("abc", "かめら", "Launch", 0, "");
    EXPECT_EQ(Found(list, "kamera"), "かめら");
    list.Learning("xyz");
    list.Learning("xyz");
    EXPECT_EQ(Found(list, "me", false), "かめら,めも");
    list.Delete("かめら");
    EXPECT_EQ(Found(list, "kamera"), "");
    EXPECT_EQ(Found(list, "memo"), "めも");
    list.LoadFromText("ねこ,,0,,,,,\r\n", "k.txt");
    EXPECT_EQ(Found(list, "neko"), "ねこ");
    EXPECT_EQ(Found(list, "memo"), "");
}

TEST(RomajiQuery, TooLongOrEmptyTypedTextReadsNowhere) {
    const std::string reading = romaji::ReadingOf(std::string(40, 'a') + "あ");
    EXPECT_TRUE(romaji::RomajiQuery(std::string(40, 'a') + "a", false).Matches(reading, true));
    EXPECT_FALSE(romaji::RomajiQuery(std::string(64, 'a'), false).Matches(reading, true));
    EXPECT_FALSE(romaji::RomajiQuery("", false).Matches(reading, false));
    EXPECT_EQ(romaji::ReadingOf("google検索"), "");
}

}  // namespace
}  // namespace zanmel
