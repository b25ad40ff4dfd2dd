#include "course/marks_lists.h"
#include "course/record_file.h"

#include <gtest/gtest.h>

#include "temp_dir.h"

namespace {

using qv::Fields;
using qv::IoStatus;

struct SplitCase {
    const char* name;
    std::string line;
    int n;
    Fields expected;
};
void PrintTo(const SplitCase& c, std::ostream* os) { *os << c.name; }

class SplitRecordLineTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitRecordLineTest, GivesTheFieldsAsked) {
    const SplitCase& c = GetParam();
    EXPECT_EQ(qv::SplitRecordLine(c.line, c.n), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SplitRecordLineTest,
    testing::Values(
        SplitCase{"EmptyFields", "#101#>>>", 3, {"", "", ""}},
        SplitCase{"LastFieldTakesTheRest", "#FSE#>88.8>>100", 2, {"88.8", ">100"}},
        SplitCase{"EmptyMiddleField", "#FSE#>88.8>>100", 3, {"88.8", "", "100"}},
        SplitCase{"FewerFieldsThanAsked", "#FSE#>a>b", 4, {"a", "b", "", ""}},
        SplitCase{"RecordWithoutFields", "#TRD#", 2, {"", ""}},
        SplitCase{"FirstSeparatorIsFixed", "#TRD#x12>13", 2, {"12", "13"}},
        SplitCase{"EightBitTextKept", "#101#>caf\xE9>\xFC", 2, {"caf\xE9", "\xFC"}}),
    [](const auto& info) { return info.param.name; });

TEST(SplitRecordLine, CapacityKeepsTheFirstField) {
    EXPECT_EQ(qv::SplitRecordLine("#101#>a", 200).size(), 80u);
    EXPECT_EQ(qv::SplitRecordLine("#101#>a", 200).front(), "a");
    EXPECT_EQ(qv::SplitTrendEntries("#TRD#>1>2", 200).size(), 50u);
}

struct ValueCase {
    const char* name;
    std::string file;
    std::string key;
    std::string expected;
};
void PrintTo(const ValueCase& c, std::ostream* os) { *os << c.name; }

class ReadRecordValueTest : public testing::TestWithParam<ValueCase> {};

TEST_P(ReadRecordValueTest, ReadsFromTheSeventhCharacter) {
    TempDir dir;
    const auto file = dir.Write("config.txt", GetParam().file);
    const auto value = qv::ReadRecordValue(file, GetParam().key);
    EXPECT_TRUE(value.ok());
    EXPECT_EQ(value.value, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReadRecordValueTest,
    testing::Values(
        ValueCase{"Number", "...\r\n#TT2#>10\r\n...", "TT2", "10"},
        ValueCase{"KeepsSeparators", "#TN2#>a>b\r\n", "TN2", "a>b"},
        ValueCase{"ShortLineIsEmpty", "#TRD#", "TRD", ""},
        ValueCase{"MissingKeyIsEmpty", "...\r\n#NME#>Title\r\n...", "COD", ""},
        ValueCase{"CaseIgnored", "#fse#>1\r\n", "FSE", "1"},
        ValueCase{"TrendValue", "#TRD#>88.8>75\r\n", "TRD", "88.8>75"},
        ValueCase{"FirstMatchWins", "#NME#>First\r\n#NME#>Second\r\n", "NME", "First"},
        ValueCase{"LastLineWithoutLineEnd", "...\r\n#COD#>QEN", "COD", "QEN"},
        ValueCase{"BareLineFeeds", "#A1#>x\n#COD#>QEN\n", "COD", "QEN"},
        ValueCase{"DashesIgnored", "-------------------------------\r\n#TP2#>50\r\n", "TP2", "50"}),
    [](const auto& info) { return info.param.name; });

TEST(RecordReaders, MissingFileIsAnErrorValue) {
    TempDir dir;
    const auto missing = dir / "absent.txt";
    EXPECT_EQ(qv::ReadRecordValue(missing, "NME").status, IoStatus::Missing);
    EXPECT_EQ(qv::ReadRecordFields(missing, "FSE", 3).status, IoStatus::Missing);
    EXPECT_EQ(qv::ReadRecordLine(missing, "TRD").status, IoStatus::Missing);
    EXPECT_EQ(qv::ReadPaperQuestions(missing, "101").status, IoStatus::Missing);
    EXPECT_EQ(qv::ReadPaperLines(missing, 5).status, IoStatus::Missing);
    EXPECT_EQ(qv::ReadPaperLines(missing, 5).value.size(), 5u);
    EXPECT_EQ(qv::CountAnswerParts(missing, {"13001"}).status, IoStatus::Missing);
    EXPECT_EQ(qv::ReadQuestionFields(missing, {"13001"}).status, IoStatus::Missing);
    EXPECT_EQ(qv::ReadTopicNames(missing, "TN2", 3).value.size(), 10u);
}

TEST(RecordReaders, FolderInsteadOfFileIsUnreadable) {
    TempDir dir;
    std::filesystem::create_directory(dir / "marks2QEN.txt");
    EXPECT_FALSE(qv::ReadRecordFields(dir / "marks2QEN.txt", "FSE", 3).ok());
}

TEST(RecordReaders, KeyMayStandAnywhereInTheLine) {
    TempDir dir;
    const auto file = dir.Write("t.txt", "...\r\nnote #TRD#>88.8>75\r\n#TRD#>1\r\n");
    EXPECT_EQ(qv::ReadRecordLine(file, "trd").value, "note #TRD#>88.8>75");
    EXPECT_EQ(qv::ReadRecordLine(file, "TR").value, "");
}

TEST(RecordReaders, TopicNamesHaveRoomForTen) {
    TempDir dir;
    const auto file = dir.Write("c.txt", "#TN2#>Grammar (1)>Grammar (2)>Word Order\r\n");
    const auto names = qv::ReadTopicNames(file, "TN2", 2).value;
    ASSERT_EQ(names.size(), 10u);
    EXPECT_EQ(names[0], "Grammar (1)");
    EXPECT_EQ(names[1], "Grammar (2)>Word Order");
    EXPECT_EQ(names[2], "");
}

TEST(RecordReaders, PaperQuestionsCountsSeparators) {
    TempDir dir;
    const auto file = dir.Write("p.txt", "...\r\n#101#>13001>13002>13003\r\n#102#>13004\r\n...");
    EXPECT_EQ(qv::ReadPaperQuestions(file, "101").value, (Fields{"13001", "13002", "13003"}));
    EXPECT_EQ(qv::ReadPaperQuestions(file, "102").value, (Fields{"13004"}));
    EXPECT_TRUE(qv::ReadPaperQuestions(file, "103").value.empty());
}

TEST(RecordReaders, PaperLinesNeverSearchBackwards) {
    TempDir dir;
    const auto file = dir.Write("first.txt", "#101#>a\r\n#103#>c\r\n#102#>b\r\n#104#>d\r\n");
    const auto lines = qv::ReadPaperLines(file, 4).value;
    EXPECT_EQ(lines, (Fields{"#101#>a", "#102#>b", "", ""}));
}

TEST(RecordReaders, PaperLinesOfATemplate) {
    TempDir dir;
    const auto file = dir.Write("first.txt", "...\r\n#101#>>\r\n#102#>\r\n...");
    EXPECT_EQ(qv::ReadPaperLines(file, 3).value, (Fields{"#101#>>", "#102#>", ""}));
}

TEST(RecordReaders, OnePassOverQuestionRecords) {
    TempDir dir;
    const auto file = dir.Write("key.txt",
                                "...\r\n#13001#>2\r\n#13002#>went>was>the\r\n#13003#>4\r\n#13004#>1\r\n...");
    const std::vector<std::string> inOrder = {"13002", "13003"};
    EXPECT_EQ(qv::CountAnswerParts(file, inOrder).value, (std::vector<int>{3, 1}));
    EXPECT_EQ(qv::ReadQuestionFields(file, inOrder).value, (Fields{"went", "was", "the", "4"}));

    // A key asked out of file order is not found, and neither is any after it.
    const std::vector<std::string> outOfOrder = {"13003", "13001", "13004"};
    EXPECT_EQ(qv::CountAnswerParts(file, outOfOrder).value, (std::vector<int>{1, 0, 0}));
    EXPECT_EQ(qv::ReadQuestionFields(file, outOfOrder).value, (Fields{"4"}));
}

TEST(SavePaperRecord, RewritesTheWholeFileFromTheList) {
    TempDir dir;
    const auto file = dir.Write("first2QEN.txt", "...\r\n#101#>>\r\n#102#>\r\n#103#>\r\n...");
    auto lines = qv::ReadPaperLines(file, 3).value;
    ASSERT_EQ(qv::SavePaperRecord(lines, {"2", "4"}, 1, "101", 3, 2, file), IoStatus::Ok);
    EXPECT_EQ(dir.Read("first2QEN.txt"), "#101#>2>4\r\n#102#>\r\n#103#>\r\n");

    // The caller's list carries the first change into the next save.
    ASSERT_EQ(qv::SavePaperRecord(lines, {"x"}, 3, "103", 3, 1, file), IoStatus::Ok);
    EXPECT_EQ(dir.Read("first2QEN.txt"), "#101#>2>4\r\n#102#>\r\n#103#>x\r\n");
}

TEST(SavePaperRecord, KeepsTheFieldCountWhateverIsTyped) {
    TempDir dir;
    const auto file = dir / "first2QEN.txt";
    Fields lines(2);
    lines[1] = "#102#>";
    ASSERT_EQ(qv::SavePaperRecord(lines, {"a>b", "two\r\nlines", "\n"}, 1, "101", 2, 4, file), IoStatus::Ok);
    const auto fields = qv::SplitRecordLine(qv::ReadPaperLines(file, 1).value[0], 4);
    EXPECT_EQ(fields, (Fields{"a\x9B" "b", "two lines", " ", ""}));
    EXPECT_EQ(dir.Read("first2QEN.txt"), "#101#>a\x9B" "b>two lines> >\r\n#102#>\r\n");
}

TEST(SavePaperRecord, FailedWriteKeepsTheOldFile) {
    TempDir dir;
    const auto file = dir.Write("first2QEN.txt", "#101#>old\r\n");
    std::filesystem::permissions(file, std::filesystem::perms::owner_read);  // read-only
    Fields lines = {"#101#>old"};
    EXPECT_EQ(qv::SavePaperRecord(lines, {"new"}, 1, "101", 1, 1, file), IoStatus::ReadOnly);
    EXPECT_EQ(dir.Read("first2QEN.txt"), "#101#>old\r\n");
}

TEST(WriteMarksFile, WritesSixRecordsInOrder) {
    TempDir dir;
    const auto file = dir / "marks2QEN.txt";
    const qv::MarksLists lists = {Fields{"90", ""}, Fields{"", ""}, Fields{"0:12:5", ""},
                                  Fields{"08/12/2026", ""}, Fields{"1", "0"}, Fields{"0"}};
    ASSERT_EQ(qv::WriteMarksFile(lists, 2, file), IoStatus::Ok);
    EXPECT_EQ(dir.Read("marks2QEN.txt"),
              "#FSE#>90>\r\n#SSE#>>\r\n#LTM#>0:12:5>\r\n#CDD#>08/12/2026>\r\n#FST#>1>0\r\n#SST#>0>\r\n");
    EXPECT_EQ(qv::ReadRecordFields(file, "FST", 2).value, (Fields{"1", "0"}));
}

}  // namespace

namespace {

using qv::Fields;
using qv::IoStatus;

// The same records with every kind of line end.
class LineEndTest : public testing::TestWithParam<const char*> {};

TEST_P(LineEndTest, EveryReaderSplitsTheLinesAlike) {
    const std::string end = GetParam();
    TempDir dir;
    const auto file = dir.Write("f.txt", "..." + end + "#101#>a>b" + end + "#102#>c" + end + "#103#>" + end +
                                             "#13001#>x>y" + end + "#13002#>z" + end + "...");
    EXPECT_EQ(qv::ReadRecordValue(file, "102").value, "c");
    EXPECT_EQ(qv::ReadRecordFields(file, "101", 2).value, (Fields{"a", "b"}));
    EXPECT_EQ(qv::ReadRecordLine(file, "101").value, "#101#>a>b");
    EXPECT_EQ(qv::ReadPaperQuestions(file, "101").value, (Fields{"a", "b"}));
    EXPECT_EQ(qv::ReadPaperLines(file, 3).value, (Fields{"#101#>a>b", "#102#>c", "#103#>"}));
    EXPECT_EQ(qv::CountAnswerParts(file, {"13001", "13002"}).value, (std::vector<int>{2, 1}));
    EXPECT_EQ(qv::ReadQuestionFields(file, {"13001", "13002"}).value, (Fields{"x", "y", "z"}));
}

INSTANTIATE_TEST_SUITE_P(Ends, LineEndTest, testing::Values("\r\n", "\n", "\r"),
                         [](const auto& info) {
                             const std::string end = info.param;
                             return end == "\r\n" ? std::string("CrLf") : end == "\n" ? "LfAlone" : "CrAlone";
                         });

TEST(SavePaperRecord, WritesCrLfWhateverTheFileHad) {
    TempDir dir;
    const auto file = dir.Write("first2QEN.txt", "#101#>a\r#102#>b\r");
    auto lines = qv::ReadPaperLines(file, 2).value;
    ASSERT_EQ(qv::SavePaperRecord(lines, {"z"}, 2, "102", 2, 1, file), IoStatus::Ok);
    EXPECT_EQ(dir.Read("first2QEN.txt"), "#101#>a\r\n#102#>z\r\n");
}

TEST(SavePaperRecord, ALineEndInsideAKeptLineCannotSplitIt) {
    TempDir dir;
    const auto file = dir.Write("first2QEN.txt", "");
    Fields lines{"#101#>a\r\n#102#>forged\rx\ny", "#102#>b"};
    ASSERT_EQ(qv::SavePaperRecord(lines, {"z"}, 2, "102", 2, 1, file), IoStatus::Ok);
    EXPECT_EQ(dir.Read("first2QEN.txt"), "#101#>a  #102#>forged x y\r\n#102#>z\r\n");
}

struct RecoverCase {
    const char* name;
    std::string file;
    std::string expected;  // after saving "new" for paper 101 of five
};
void PrintTo(const RecoverCase& c, std::ostream* os) { *os << c.name; }

class SaveKeepsRecordsTest : public testing::TestWithParam<RecoverCase> {};

TEST_P(SaveKeepsRecordsTest, NoReadableRecordIsLost) {
    TempDir dir;
    const auto file = dir.Write("first2QEN.txt", GetParam().file);
    auto lines = qv::ReadPaperLines(file, 5).value;
    ASSERT_EQ(qv::SavePaperRecord(lines, {"new"}, 1, "101", 5, 1, file), IoStatus::Ok);
    EXPECT_EQ(dir.Read("first2QEN.txt"), GetParam().expected);
    // The file is in order again, so the one-pass reader sees every record.
    const auto again = qv::ReadPaperLines(file, 5).value;
    EXPECT_EQ(again, lines);
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(qv::LineHasKey(again[i], std::to_string(101 + i))) << i;
}

INSTANTIATE_TEST_SUITE_P(
    DamagedFiles, SaveKeepsRecordsTest,
    testing::Values(
        RecoverCase{"OutOfOrder", "#101#>a\r\n#103#>c\r\n#102#>b\r\n#104#>d\r\n#105#>e\r\n",
                    "#101#>new\r\n#102#>b\r\n#103#>c\r\n#104#>d\r\n#105#>e\r\n"},
        RecoverCase{"Gap", "#101#>a\r\n#102#>b\r\n#104#>d\r\n#105#>e\r\n",
                    "#101#>new\r\n#102#>b\r\n#103#\r\n#104#>d\r\n#105#>e\r\n"},
        RecoverCase{"RepeatedKeyFirstWins", "#101#>a\r\n#102#>b\r\n#102#>b2\r\n#104#>d\r\n#103#>c\r\n",
                    "#101#>new\r\n#102#>b\r\n#103#>c\r\n#104#>d\r\n#105#\r\n"},
        RecoverCase{"ReversedWithTemplateLines", "...\r\n#105#>e\r\n#104#>d\r\n#103#>c\r\n#102#>b\r\n#101#>a\r\n...",
                    "#101#>new\r\n#102#>b\r\n#103#>c\r\n#104#>d\r\n#105#>e\r\n"},
        RecoverCase{"EmptyFile", "", "#101#>new\r\n#102#\r\n#103#\r\n#104#\r\n#105#\r\n"}),
    [](const auto& info) { return info.param.name; });

TEST(SavePaperRecord, TheCallersChangesWinOverTheFile) {
    TempDir dir;
    const auto file = dir.Write("first2QEN.txt", "#101#>a\r\n#103#>c\r\n#102#>b\r\n");
    auto lines = qv::ReadPaperLines(file, 3).value;
    ASSERT_EQ(qv::SavePaperRecord(lines, {"x"}, 2, "102", 3, 1, file), IoStatus::Ok);
    ASSERT_EQ(qv::SavePaperRecord(lines, {"y"}, 3, "103", 3, 1, file), IoStatus::Ok);
    EXPECT_EQ(dir.Read("first2QEN.txt"), "#101#>a\r\n#102#>x\r\n#103#>y\r\n");
}

TEST(SavePaperRecord, AnIndexOutsideTheFileIsAnError) {
    for (int index : {0, -1, 4, 51}) {
        TempDir dir;
        const auto file = dir.Write("first2QEN.txt", "#101#>a\r\n#102#>b\r\n#103#>c\r\n");
        auto lines = qv::ReadPaperLines(file, 3).value;
        const auto before = lines;
        EXPECT_EQ(qv::SavePaperRecord(lines, {"x"}, index, "101", 3, 1, file), IoStatus::BadRecord) << index;
        EXPECT_EQ(lines, before);
        EXPECT_EQ(dir.Read("first2QEN.txt"), "#101#>a\r\n#102#>b\r\n#103#>c\r\n");
    }
}

}  // namespace
