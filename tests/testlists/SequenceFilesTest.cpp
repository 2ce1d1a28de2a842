#include "LogCapture.h"
#include "platform/WholeFile.h"
#include "support/TestListLines.h"
#include "testlists/SequenceFile.h"
#include "testlists/StandardSequences.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>

namespace {

class SequenceFiles : public ::testing::Test {
protected:
    QString path(const QString& name = "list.tsq") const { return m_dir.filePath(name); }

    void writeBytes(const QByteArray& bytes, const QString& name = "list.tsq") const
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QByteArray readBytes(const QString& name = "list.tsq") const
    {
        QFile file(path(name));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }

    static testlists::TestList listOf(const QStringList& lines) { return testsupport::stepsFromLines(lines); }

    static QStringList linesOf(const testlists::TestList& list) { return testsupport::linesOfSteps(list); }

    LogCapture m_log;

private:
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(SequenceFiles, WriteThenReadGivesTheSameLinesForEveryType)
{
    const QStringList lines = {
        "DCO,A1-P2,1",         "SDR,A1-D1.F1,4",   "ACZ,A1-P2,1",       "NOISE,B2,3",
        "BIAS,8/30,1",         "ACZ30,A1.C1,2",    "ACLG,A1-P2,2",      "DEFR,P1-A2,1",
        "PACE1,A1-P2,60,-1,0", "PACE2,C1,45,0,-1", "ACZ30ZERO,A2-P2,1", "SGROLL,None,5",
    };
    const testlists::TestList original = listOf(lines);
    ASSERT_TRUE(testlists::writeSequenceFile(path(), original, true, false));
    EXPECT_EQ(readBytes(), "2.0\r\n" + lines.join("\r\n").toLatin1() + "\r\n");

    testlists::TestList read;
    ASSERT_TRUE(testlists::readSequenceFile(path(), read, true, false));
    EXPECT_EQ(linesOf(read), lines);
    EXPECT_EQ(read[4]->electrodeString(), "A1-P2");
    EXPECT_EQ(read[8]->testCount(), 1);
    EXPECT_FALSE(read[0]->showPaceRollPrompt());
}

TEST_F(SequenceFiles, WriterPicksTheVersionFromTheFlags)
{
    struct Case {
        bool is80, is80With24;
        QByteArray version;
    };
    const Case cases[] = {{false, false, "1.0"}, {true, false, "2.0"}, {false, true, "3.0"}, {true, true, "2.0"}};
    for (const Case& c : cases) {
        ASSERT_TRUE(testlists::writeSequenceFile(path(), {}, c.is80, c.is80With24));
        EXPECT_EQ(readBytes(), c.version + "\r\n");
    }
}

TEST_F(SequenceFiles, VersionMatrixOfTheReader)
{
    struct Case {
        QByteArray version;
        bool is80, is80With24;
        bool accepted;
    };
    const Case cases[] = {
        {"1.0", false, false, true},
        {"1.0", true, false, false},
        {"1.0", false, true, false},
        {"2.0", false, false, false},
        {"2.0", true, false, true},
        {"2.0", false, true, true},
        {"3.0", false, false, false},
        {"3.0", true, false, true},
        {"3.0", false, true, true},
        {"4.0", false, false, false},
        {"4.0", true, false, false},
        {"1.0 ", false, false, false},
        {"ACZ,A1,1", false, false, false},
        // A byte-order mark before the version, as some editors save.
        {"\xEF\xBB\xBF"
         "1.0",
         false, false, true},
        {"\xEF\xBB\xBF"
         "2.0",
         true, false, true},
        {"\xEF\xBB\xBF"
         "2.0",
         false, false, false},
    };
    for (const Case& c : cases) {
        writeBytes(c.version + "\r\nACZ,B1,2\r\nDCO,C1,1\r\n");
        testlists::TestList list = listOf({"NOISE,A1,1"});
        const auto kept = list.first();
        EXPECT_EQ(testlists::readSequenceFile(path(), list, c.is80, c.is80With24), c.accepted)
            << c.version.constData() << c.is80 << c.is80With24;
        if (c.accepted) {
            EXPECT_EQ(linesOf(list), (QStringList{"ACZ,B1,2", "DCO,C1,1"}));
        } else {
            ASSERT_EQ(list.size(), 1);
            EXPECT_EQ(list.first(), kept);
            EXPECT_EQ(kept->testString(), "NOISE,A1,1");
        }
    }
    const QString log = m_log.text();
    EXPECT_TRUE(log.contains("has version \"4.0\", expected \"1.0\""));
    EXPECT_TRUE(log.contains("has version \"2.0\", expected \"1.0\"")) << "a refused file with a mark is logged";
}

TEST_F(SequenceFiles, VersionOnlyFileEmptiesTheList)
{
    for (const QByteArray& bytes : {QByteArray("1.0\r\n"), QByteArray("1.0")}) {
        writeBytes(bytes);
        testlists::TestList list = listOf({"ACZ,A1,1"});
        EXPECT_TRUE(testlists::readSequenceFile(path(), list, false, false));
        EXPECT_TRUE(list.isEmpty());
    }
}

TEST_F(SequenceFiles, OnlyLinesThatAreUnderstoodBecomeStepsAndTheOthersAreNamedByNumber)
{
    writeBytes("1.0\r\nACZ,A1,1\r\n\r\nXYZ,,,\r\nACZ,A1-P2,abc\r\n\x01\x02\x7f\r\nPACE1,A1-P2,60\r\n"
               "DCO,B1,2\n   \nACZ,A1,40000\nSDR,C1,4");
    testlists::TestList list;
    QList<testlists::SkippedLine> skipped;
    ASSERT_TRUE(testlists::readSequenceFile(path(), list, false, false, &skipped));
    EXPECT_EQ(linesOf(list), (QStringList{"ACZ,A1,1", "DCO,B1,2", "SDR,C1,4"}));
    QStringList named;
    for (const testlists::SkippedLine& line : skipped)
        named << QString::number(line.number) + ":" + line.text;
    EXPECT_EQ(named,
              (QStringList{"4:XYZ,,,", "5:ACZ,A1-P2,abc", "6:\x01\x02\x7f", "7:PACE1,A1-P2,60", "10:ACZ,A1,40000"}));
    const QString log = m_log.text();
    EXPECT_TRUE(log.contains("line 4 not understood: XYZ,,,"));
    EXPECT_TRUE(log.contains("line 6 not understood: <01><02><7f>"));

    const QString message = testlists::skippedLinesMessage(path(), skipped);
    EXPECT_EQ(message, "These lines of the test sequence file " + path()
                           + " are not understood and left out of the list:\r\n"
                             "\r\nLine 4: XYZ,,,\r\nLine 5: ACZ,A1-P2,abc\r\nLine 6: <01><02><7f>"
                             "\r\nLine 7: PACE1,A1-P2,60\r\nLine 10: ACZ,A1,40000");
    EXPECT_EQ(testlists::skippedLinesMessage(path(), {}), "");
}

TEST_F(SequenceFiles, TheMessageOfManyOrLongLinesStaysReadable)
{
    QList<testlists::SkippedLine> skipped;
    for (int n = 2; n <= 14; ++n)
        skipped.append({n, n == 2 ? QString(500, 'x') : "XYZ"});
    const QStringList lines = testlists::skippedLinesMessage(path(), {skipped.first()}).split("\r\n");
    EXPECT_EQ(lines.first(),
              "This line of the test sequence file " + path() + " is not understood and left out of the list:");
    EXPECT_EQ(lines.last(), "Line 2: " + QString(80, 'x') + "...");
    const QStringList many = testlists::skippedLinesMessage(path(), skipped).split("\r\n");
    EXPECT_FALSE(many.contains("Line 12: XYZ"));
    EXPECT_EQ(many.at(11), "Line 11: XYZ");
    EXPECT_EQ(many.last(), "... and 3 more");
}

TEST_F(SequenceFiles, UnreadableFilesLeaveTheListAndAreLogged)
{
    testlists::TestList list = listOf({"ACZ,A1,1"});
    EXPECT_FALSE(testlists::readSequenceFile(path("missing.tsq"), list, false, false));
    writeBytes("", "empty.tsq");
    EXPECT_FALSE(testlists::readSequenceFile(path("empty.tsq"), list, false, false));
    EXPECT_EQ(linesOf(list), QStringList{"ACZ,A1,1"});
    const QString log = m_log.text();
    EXPECT_TRUE(log.contains("Cannot read test sequence file " + path("missing.tsq")));
    EXPECT_TRUE(log.contains("Test sequence file " + path("empty.tsq") + " is empty"));
}

TEST_F(SequenceFiles, AFileThatCannotBeWrittenIsReportedAndLoggedAndTheOldOneStays)
{
    EXPECT_FALSE(testlists::writeSequenceFile(path("no-folder/list.tsq"), listOf({"DCO,A1,1"}), false, false));
    EXPECT_TRUE(m_log.text().contains("Cannot write test sequence file " + path("no-folder/list.tsq")));

    writeBytes("1.0\r\nACZ,A1,1\r\n");
    {
        platform::WholeFile::FaultForTesting full(platform::WholeFile::Step::Write, ENOSPC);
        EXPECT_FALSE(testlists::writeSequenceFile(path(), listOf({"DCO,A1,1", "SDR,A1,4"}), false, false));
    }
    EXPECT_EQ(readBytes(), "1.0\r\nACZ,A1,1\r\n");
    EXPECT_TRUE(m_log.text().contains("Cannot write test sequence file " + path() + ": No space left on device"));
}

TEST_F(SequenceFiles, DefaultFilesByteForByte)
{
    ASSERT_TRUE(
        testlists::writeSequenceFile(path("standard.tsq"), testlists::standardSequenceSteps("A1-P2"), false, false));
    EXPECT_EQ(readBytes("standard.tsq"), "1.0\r\nDCO,A1-P2,1\r\nACZ,A1-P2,1\r\nSDR,A1-P2,4\r\nACZ,A1-P2,1\r\n");

    ASSERT_TRUE(testlists::writeSequenceFile(path("standard80.tsq"), testlists::standard80SequenceSteps("A1-P2", 60),
                                             true, false));
    EXPECT_EQ(readBytes("standard80.tsq"),
              "2.0\r\nPACE1,A1-P2,60,0,0\r\nACLG,A1-P2,2\r\nDEFR,A1-P2,1\r\nNOISE,A1-P2,1\r\n"
              "ACZ,A1-P2,1\r\nACZ30,A1-P2,1\r\nDCO,A1-P2,1\r\n");

    ASSERT_TRUE(testlists::writeSequenceFile(path("none.tsq"), testlists::standardSequenceSteps("None"), false, false));
    EXPECT_EQ(readBytes("none.tsq"), "1.0\r\nDCO,None,1\r\nACZ,None,1\r\nSDR,None,4\r\nACZ,None,1\r\n");

    testlists::TestList standard80;
    ASSERT_TRUE(testlists::readSequenceFile(path("standard80.tsq"), standard80, true, false));
    EXPECT_EQ(standard80.size(), 7);
    EXPECT_EQ(standard80.first()->paceTestTime(), 60);
}
