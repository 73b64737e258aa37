#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "convert/ConversionCommands.h"
#include "convert/DulmarConversion.h"
#include "convert/FinishConversion.h"
#include "convert/LineEnds.h"
#include "convert/TamselPcodeConversion.h"
#include "support/FakeDialogs.h"
#include "support/FakeEditor.h"

namespace halvex {
namespace {

using testing::FakeDialogs;
using testing::FakeEditor;

TEST(FinishConversion, NothingProducedReportsFailureWithoutAsking) {
    FakeEditor editor;
    FakeDialogs dialogs;
    editor.SetText("keep");
    editor.SetTextModified(true);
    EXPECT_FALSE(FinishConversion(editor, dialogs, "ignored", false));
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0].text, "Transform failed");
    EXPECT_EQ(dialogs.Messages()[0].caption, "Veltra");
    EXPECT_EQ(dialogs.Messages()[0].icon, MessageIcon::None);
    EXPECT_TRUE(editor.Calls().empty());
    EXPECT_EQ(editor.Text(), "keep");
}

TEST(FinishConversion, ReplacesTheTextWithoutAQuestionWhenSaved) {
    FakeEditor editor;
    FakeDialogs dialogs;
    editor.SetText("old");
    EXPECT_TRUE(FinishConversion(editor, dialogs, "new\r\n", true));
    EXPECT_EQ(editor.Calls(), (std::vector<std::string>{"Confirm", "Clear", "Set:new\r\n"}));
    EXPECT_EQ(editor.ConfirmQuestions(), 0);
    EXPECT_EQ(editor.Text(), "new\r\n");
    EXPECT_FALSE(editor.TextModified());
    EXPECT_TRUE(editor.DocumentModified());
    EXPECT_TRUE(dialogs.Messages().empty());
}

TEST(FinishConversion, AnswerNoLeavesTextAndFlags) {
    FakeEditor editor;
    FakeDialogs dialogs;
    editor.SetText("old");
    editor.SetTextModified(true);
    editor.SetDocumentModified(false);
    editor.SetConfirmAnswer(false);
    EXPECT_FALSE(FinishConversion(editor, dialogs, "new", true));
    EXPECT_EQ(editor.ConfirmQuestions(), 1);
    EXPECT_EQ(editor.Calls(), (std::vector<std::string>{"Confirm"}));
    EXPECT_EQ(editor.Text(), "old");
    EXPECT_TRUE(editor.TextModified());
    EXPECT_FALSE(editor.DocumentModified());
}

TEST(FinishConversion, AnswerYesReplaces) {
    FakeEditor editor;
    FakeDialogs dialogs;
    editor.SetText("old");
    editor.SetTextModified(true);
    EXPECT_TRUE(FinishConversion(editor, dialogs, "new", true));
    EXPECT_EQ(editor.ConfirmQuestions(), 1);
    EXPECT_EQ(editor.Text(), "new");
    EXPECT_FALSE(editor.TextModified());
}

const std::string kTamselText = [] {
    std::string block = "_+P1_ x+000200250_ y+000100500_ z-000003100_";
    block.resize(128, ' ');
    return block + "\r\n";
}();
const std::string kBrennoText = "08TP  P1" + std::string(12, ' ') + "1.5" + std::string(13, ' ') +
                                "2.5" + std::string(13, ' ') + "3.5\r\n";

struct CommandCase {
    std::string title;
    bool (*run)(EditorOps&, UserDialogs&);
    std::string input;
    std::string output;
};

class ConversionCommandTable : public ::testing::TestWithParam<CommandCase> {};

TEST_P(ConversionCommandTable, ReplacesTheEditorText) {
    FakeEditor editor;
    FakeDialogs dialogs;
    editor.SetText(GetParam().input);
    EXPECT_TRUE(GetParam().run(editor, dialogs));
    EXPECT_EQ(editor.Text(), GetParam().output);
    EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_P(ConversionCommandTable, EmptyEditorFails) {
    FakeEditor editor;
    FakeDialogs dialogs;
    EXPECT_FALSE(GetParam().run(editor, dialogs));
    EXPECT_EQ(dialogs.Texts(), (std::vector<std::string>{"Transform failed"}));
    EXPECT_EQ(dialogs.Messages()[0].details, "The text is empty.");
    EXPECT_EQ(editor.Text(), "");
    EXPECT_FALSE(editor.DocumentModified());
}

INSTANTIATE_TEST_SUITE_P(
    Commands, ConversionCommandTable,
    ::testing::Values(
        CommandCase{"TamselCass", RunTamselCassConversion, "xyz\n" + kTamselText,
                    "P1,P1,100.500,200.250,-3.100\r\n"},
        CommandCase{"BrennoCass", RunBrennoCassConversion, kBrennoText,
                    "P1,,2.500,1.500,3.500\r\n"},
        CommandCase{"BrennoNez", RunBrennoNezConversion, kBrennoText, "P1,,1.500,2.500,3.500\r\n"},
        CommandCase{"DulmarCass", RunDulmarCassConversion, "P,1,2,3,C\r\n", "P,C,1,2,3\r\n"},
        CommandCase{"TamselPcode", RunTamselPcodeConversion,
                    "_:004ROAD_" + std::string(118, ' ') + "\r\n", "4,ROAD\r\n"}),
    [](const auto& info) { return info.param.title; });

TEST(RunTamselCassConversion, WrongFormatIsTheOnlyMessageAndNothingIsAsked) {
    FakeEditor editor;
    FakeDialogs dialogs;
    editor.SetText("TITLE\r\n" + kTamselText);
    editor.SetTextModified(true);
    EXPECT_FALSE(RunTamselCassConversion(editor, dialogs));
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0].text, "The file has wrong format");
    EXPECT_EQ(dialogs.Messages()[0].caption, "Veltra");
    EXPECT_EQ(editor.ConfirmQuestions(), 0);
    EXPECT_EQ(editor.Calls(), std::vector<std::string>{});
    EXPECT_EQ(editor.Text(), "TITLE\r\n" + kTamselText);
}

TEST(RunConversion, AFailureSaysWhyAndOnLfLinesGivesTheLineEndHintWhereLinesAreFoundAtCr) {
    const auto shown = [](bool (*run)(EditorOps&, UserDialogs&), const std::string& text) {
        FakeEditor editor;
        FakeDialogs dialogs;
        editor.SetText(text);
        EXPECT_FALSE(run(editor, dialogs));
        EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{"Transform failed"});
        return dialogs.Messages().empty() ? std::string("<none>") : dialogs.Messages()[0].details;
    };
    EXPECT_EQ(shown(RunDulmarCassConversion, "P,1,2,3,C\n"), kLfLineEndsHint);
    EXPECT_EQ(shown(RunBrennoNezConversion, "08TP  P1\n"), kLfLineEndsHint);
    // Lines that end with CR fail for another reason; the Tamsel conversions read LF lines.
    EXPECT_EQ(shown(RunDulmarCassConversion, "not a point\r\n"),
              ConvertDulmarToCass("not a point\r\n").failure);
    EXPECT_EQ(shown(RunTamselPcodeConversion, "no codes\n"),
              ConvertTamselPcode("no codes\n").failure);
    EXPECT_NE(ConvertTamselPcode("no codes\n").failure, "");
}

TEST(RunConversion, AsksOnlyAfterTheOutputIsBuilt) {
    FakeEditor editor;
    FakeDialogs dialogs;
    editor.SetText("P,1,2,3,C\r\n");
    editor.SetTextModified(true);
    editor.SetConfirmAnswer(false);
    EXPECT_FALSE(RunDulmarCassConversion(editor, dialogs));
    EXPECT_EQ(editor.ConfirmQuestions(), 1);
    EXPECT_EQ(editor.Text(), "P,1,2,3,C\r\n");
    EXPECT_TRUE(dialogs.Messages().empty());
}

}  // namespace
}  // namespace halvex
