#include "report/data_commands.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "support/scripted_dialogs.h"
#include "support/temporary_files.h"

namespace talvenor {
namespace {

using testing_support::ReadBytes;
using testing_support::ScriptedDialogs;
using testing_support::TemporaryFolder;
using testing_support::WriteBytes;

ReportBuffer BufferOf(const std::vector<std::string>& lines) {
    ReportBuffer buffer;
    for (const std::string& line : lines) buffer.AppendLine(line);
    return buffer;
}

TEST(DataDocumentTest, FiveLinesAtTwoLinesAPageBreakAfterEverySecondLineAndEndWithAFormFeed) {
    TemporaryFolder folder;
    const auto file = folder.path() / "John.DOC";
    ASSERT_TRUE(WriteDataDocument(file, BufferOf({"line 1", "line 2", "line 3", "line 4", "line 5"}), 2));
    EXPECT_EQ(ReadBytes(file),
              "line 1\r\nline 2\r\n\f\r\nline 3\r\nline 4\r\n\f\r\nline 5\r\n\r\n\f\r\n\f\r\n");
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "John.DOC.tmp~"));
}

TEST(DataDocumentTest, AFormFeedInTheDataRestartsTheCountAndTakesThePlaceOfTheFinalOne) {
    EXPECT_EQ(DataDocumentText(BufferOf({"a", "\f", "b", "c"}), 2), "a\r\n\f\r\nb\r\nc\r\n\f\r\n\r\n");
}

TEST(DataDocumentTest, AnUnusablePageLengthBreaksNoPages) {
    // A length of 0 must not add a form feed right after the data's own one.
    for (const float n : {0.0f, -3.0f, std::nanf(""), std::numeric_limits<float>::infinity()}) {
        SCOPED_TRACE(n);
        EXPECT_EQ(DataDocumentText(BufferOf({"a", "\f", "b"}), n), "a\r\n\f\r\nb\r\n\r\n");
        EXPECT_EQ(DataDocumentText(BufferOf({"a", "b"}), n), "a\r\nb\r\n\r\n\f\r\n");
    }
}

TEST(DataDocumentTest, LineBreaksInsideALineAreWrittenAsCrLf) {
    EXPECT_EQ(DataDocumentText(BufferOf({"x\r\ny", "p\nq"}), 60), "x\r\ny\r\np\r\nq\r\n\r\n\f\r\n");
}

TEST(DataDocumentTest, AFailedWriteKeepsThePreviousFile) {
    TemporaryFolder folder;
    const auto file = folder.path() / "KEEP.DOC";
    WriteBytes(file, "old");
    std::filesystem::create_directory(folder.path() / "KEEP.DOC.tmp~");  // the temporary cannot be made
    EXPECT_FALSE(WriteDataDocument(file, BufferOf({"new"}), 60));
    EXPECT_EQ(ReadBytes(file), "old");
    EXPECT_FALSE(WriteDataDocument(folder.path() / "missing" / "X.DOC", BufferOf({"new"}), 60));
}

TEST(DataDocumentTest, ProposedNameIsTheNameUpToAnEarlyBlankOrItsFirstEightCharacters) {
    const struct {
        const char* chartName;
        const char* proposed;
    } cases[] = {
        {"John Smith", "John.DOC"},
        {"Alexandra Q", "Alexandr.DOC"},
        {"Now", "Now.DOC"},
        {"Abcdefg Hij", "Abcdefg.DOC"},
        {"Abcdefgh Ij", "Abcdefgh.DOC"},
        {"Ångström Å", "Ångström.DOC"},
        {"José Álvarez", "José.DOC"},
        {"", "Data.DOC"},
        {" Lead", "Data.DOC"},
        {"../etc/x y", ".._etc_x.DOC"},
        {"Ann\x1B[31m Red", "Ann_[31m.DOC"},  // no control character in a file name
        {"Tab\tName", "Tab_Name.DOC"},
        {"C1\xC2\x9B", "C1_.DOC"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chartName);
        EXPECT_EQ(ProposedSaveName(c.chartName), c.proposed);
    }
}

TEST(DataFontTest, SizeStepsStopAtTheLimitsWithoutClamping) {
    const struct {
        double size, step;
        double increased, decreased;
    } cases[] = {
        {12, 1.5, 12, 11.25},   {8, 1.5, 8.75, 8},    {11.5, 1.5, 12.25, 10.75},
        {8.5, 1.5, 9.25, 7.75}, {8.5, 1.2, 9.1, 7.9}, {12.25, 1.5, 12.25, 11.5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        Settings up, down;
        up.DataFontSize = down.DataFontSize = c.size;
        EXPECT_EQ(IncreaseFontSize(up, c.step), c.size < 12);
        EXPECT_EQ(DecreaseFontSize(down, c.step), c.size > 8);
        EXPECT_DOUBLE_EQ(up.DataFontSize, c.increased);
        EXPECT_DOUBLE_EQ(down.DataFontSize, c.decreased);
        EXPECT_EQ(FontIncreaseEnabled(up), c.increased < 12);
        EXPECT_EQ(FontDecreaseEnabled(down), c.decreased > 8);
    }
}

TEST(DataWindowGeometryTest, TwipsBecomePixelsAndBackInSixteenBits) {
    EXPECT_DOUBLE_EQ(TwipsPerPixelForDpi(96), 15);
    EXPECT_DOUBLE_EQ(TwipsPerPixelForDpi(120), 12);
    EXPECT_DOUBLE_EQ(TwipsPerPixelForDpi(0), 15);

    Settings settings;  // 675, 0, 8250, 9600
    const PixelRect pixels = DataWindowPixels(settings, 15);
    EXPECT_EQ(pixels.left, 0);
    EXPECT_EQ(pixels.top, 45);
    EXPECT_EQ(pixels.width, 640);
    EXPECT_EQ(pixels.height, 550);

    // 3000 pixels is 45000 twips, beyond 16 bits: that value keeps the one stored before.
    StoreDataWindowGeometry(settings, PixelRect{-10, 20, 3000, 101}, 15);
    EXPECT_EQ(settings.DataLeft, -150);
    EXPECT_EQ(settings.DataTop, 300);
    EXPECT_EQ(settings.DataWidth, 9600);
    EXPECT_EQ(settings.DataHeight, 1515);
}

}  // namespace
}  // namespace talvenor
