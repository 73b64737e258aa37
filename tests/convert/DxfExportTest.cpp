#include <gtest/gtest.h>

#include <string>

#include "DataFile.h"
#include "DxfExportFolder.h"
#include "convert/DxfExport.h"
#include "convert/LineEnds.h"
#include "support/FakeDialogs.h"
#include "support/FakeEditor.h"

namespace halvex {
namespace {

using testing::DxfExportTest;
using testing::ReadDataFile;
using testing::ReadFileBytes;

TEST_F(DxfExportTest, WritesTheDrawingAndReportsThePoints) {
    testing::FakeEditor editor;
    testing::FakeDialogs dialogs;
    editor.SetText(ReadDataFile("two_points.txt"));
    const std::string path = PathOf("out.dxf");
    const DxfExportOutcome outcome = RunCassDxfExport(editor, dialogs, path);
    EXPECT_TRUE(outcome.written);
    EXPECT_EQ(outcome.points, 2);
    EXPECT_EQ(ReadFileBytes(path), ReadDataFile("two_points.dxf"));
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0].text, "Successfully transformed 2 points");
    EXPECT_EQ(dialogs.Messages()[0].caption, "Halvex");
    EXPECT_EQ(dialogs.Messages()[0].icon, MessageIcon::None);
    EXPECT_EQ(editor.Calls(), std::vector<std::string>{});  // the editor is only read
    EXPECT_EQ(FilesInDir(), 1u);
}

TEST_F(DxfExportTest, WithoutPointsTheEmptyDrawingIsStillWritten) {
    testing::FakeEditor editor;
    testing::FakeDialogs dialogs;
    editor.SetText("not a point list\r\n");
    const std::string path = PathOf("out.dxf");
    Put(path, std::string(5000, 'o'));  // replaced, not appended to
    RunCassDxfExport(editor, dialogs, path);
    EXPECT_EQ(ReadFileBytes(path), ReadDataFile("empty.dxf"));
    EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{"The file is not CASS DAT format"});
    EXPECT_EQ(dialogs.Messages()[0].caption, "Halvex");
}

TEST_F(DxfExportTest, NoPointInLfLinesSaysWhy) {
    testing::FakeEditor editor;
    testing::FakeDialogs dialogs;
    editor.SetText("P,C,1,2,3\nQ,C,4,5,6\n");
    RunCassDxfExport(editor, dialogs, PathOf("lf.dxf"));
    editor.SetText("not a point list\r\n");
    RunCassDxfExport(editor, dialogs, PathOf("cr.dxf"));
    ASSERT_EQ(dialogs.Messages().size(), 2u);
    EXPECT_EQ(dialogs.Messages()[0].text, "The file is not CASS DAT format");
    EXPECT_EQ(dialogs.Messages()[0].details, kLfLineEndsHint);
    EXPECT_EQ(dialogs.Messages()[0].caption, "Halvex");
    EXPECT_EQ(dialogs.Messages()[1].details, "");
}

TEST_F(DxfExportTest, WhenEveryPointLineIsLeftOutTheDetailsNameThem) {
    testing::FakeEditor editor;
    testing::FakeDialogs dialogs;
    editor.SetText("5,,x12.5,250.000,10.000\r\n");
    const std::string path = PathOf("out.dxf");
    EXPECT_EQ(RunCassDxfExport(editor, dialogs, path).points, 0);
    EXPECT_EQ(ReadFileBytes(path), ReadDataFile("empty.dxf"));
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0].text, "The file is not CASS DAT format");
    EXPECT_EQ(dialogs.Messages()[0].icon, MessageIcon::Warning);
    EXPECT_EQ(dialogs.Messages()[0].details,
              "1 point line was left out of the drawing:\n"
              "Line 1: the east coordinate \"x12.5\" is not a number.");
}

TEST_F(DxfExportTest, MessagesForEachOutcome) {
    EXPECT_EQ(DxfExportMessage({true, 1, "a.dxf", ""}), "Successfully transformed 1 points");
    EXPECT_EQ(DxfExportMessage({true, 30000, "a.dxf", ""}),
              "Successfully transformed 30000 points");
    EXPECT_EQ(DxfExportMessage({true, 0, "a.dxf", ""}), "The file is not CASS DAT format");
    EXPECT_EQ(DxfExportMessage({false, 3, "/x/a.dxf", "Permission denied"}),
              "Cannot write the file /x/a.dxf: Permission denied. Nothing was exported.");
}

}  // namespace
}  // namespace halvex
