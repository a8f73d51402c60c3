#include <gtest/gtest.h>

#include "ScriptedUserInterface.h"

namespace zanmel::test {

// Every Windows and dialog test relies on the scripted interface refusing what was not scripted.
TEST(ScriptedUserInterface, AnswersInOrderAndRefusesWhatWasNotScripted) {
    ScriptedUserInterface ui;
    ui.AnswerConfirm(false);
    ui.AnswerConfirm(true);
    ui.AnswerQuery(std::nullopt);
    EXPECT_FALSE(ui.Confirm("first"));
    EXPECT_TRUE(ui.Confirm("second"));
    EXPECT_FALSE(ui.QueryText("t", "p", "i").has_value());
    EXPECT_TRUE(ui.AllAnswersUsed());
    EXPECT_THROW(ui.Confirm("third"), ScriptedUserInterface::UnexpectedCall);
    EXPECT_THROW(ui.ShowMessage("not expected"), ScriptedUserInterface::UnexpectedCall);
    ASSERT_EQ(ui.Unexpected().size(), 2u);
    ASSERT_EQ(ui.Calls().size(), 5u);
    EXPECT_EQ(ui.Calls()[2].title, "t");
    EXPECT_EQ(ui.Calls()[2].initial, "i");
    EXPECT_EQ(ui.Messages(), std::vector<std::string>{"not expected"});
}

TEST(ScriptedUserInterface, ExpectedMessagesAreCountedDown) {
    ScriptedUserInterface ui;
    ui.ExpectMessage();
    ui.ShowMessage("one");
    EXPECT_THROW(ui.ShowMessage("two"), ScriptedUserInterface::UnexpectedCall);
    ui.AllowMessages();
    ui.ShowMessage("three");
    ui.ShowMessage("four");
    EXPECT_EQ(ui.Messages().size(), 4u);
}

}  // namespace zanmel::test
