#include "platform/IniFile.h"
#include "platform/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>

using platform::IniFile;

namespace {

class IniFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath("settings.ini");

    void put(const QByteArray& content)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    QByteArray content() const
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

TEST_F(IniFileTest, ReadsWithProfileSemantics)
{
    put("; comment\r\n[Timers]\r\nPolling = 150 \r\nTests=5000\r\npolling=999\r\n"
        "[Other]\r\nX=1\r\n[TIMERS]\r\nLate=7\r\n\r\n[Empty]\r\nBlank=\r\n");
    struct Case {
        const char* section;
        const char* key;
        const char* expected;
    };
    const Case cases[] = {
        {"Timers", "Polling", "150"},                         // trimmed, first of two equal keys
        {"timers", "POLLING", "150"},                         // case-insensitive
        {"Timers", "Tests", "5000"},  {"Timers", "Late", ""}, // only the first of two equal sections counts
        {"Timers", "X", ""},                                  // key of another section
        {"Missing", "Polling", ""},   {"Empty", "Blank", ""}, {"Other", "X", "1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::IniFile::read(path, c.section, c.key), QString(c.expected)) << c.section << "/" << c.key;
    EXPECT_EQ(platform::IniFile::read(dir.filePath("none.ini"), "Timers", "Polling"), "");
}

TEST_F(IniFileTest, ByteOrderMarkDoesNotHideTheFirstSection)
{
    put("\xEF\xBB\xBF[Timers]\r\nPolling=200\r\n");
    EXPECT_EQ(platform::IniFile::read(path, "Timers", "Polling"), "200");
}

TEST_F(IniFileTest, CutsValuesLongerThan255Characters)
{
    put("[S]\nK=" + QByteArray(300, 'x') + "\n");
    EXPECT_EQ(platform::IniFile::read(path, "S", "K").size(), 255);
}

// whyNotKept says "" exactly for the values that a write and a read give
// back unchanged.
TEST_F(IniFileTest, TellsWhichValuesReadBackAsTheyWereWritten)
{
    const struct {
        QString value;
        bool kept;
    } cases[] = {
        {"pass word", true},
        {"a=b;c[d]", true},
        {"", true},
        {QString(255, QChar(0xFC)), true},
        {"/srv/bench data/", true},
        {"secret ", false},
        {" secret", false},
        {QString(QChar(0xA0)) + "x", false},
        {"\tx", false},
        {QString(256, 'x'), false},
        {"a\rb", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value.toStdString());
        EXPECT_EQ(IniFile::whyNotKept(c.value).isEmpty(), c.kept);
        if (IniFile::write(path, "Database", "SQLPassword", c.value))
            EXPECT_EQ(IniFile::read(path, "Database", "SQLPassword") == c.value, c.kept);
        else
            EXPECT_FALSE(c.kept);
    }
}

TEST_F(IniFileTest, AWriteChangesOneLineAndKeepsEveryOtherByte)
{
    struct Case {
        const char* what;
        QByteArray before; // "-" for no file
        const char* section;
        const char* key;
        const char* value;
        QByteArray after;
    };
    const Case cases[] = {
        {"in place, in the file's spelling of the key",
         "; keep me\r\n[Timers]\r\nPolling = 100   ; odd\r\nTests=5000\r\n\r\n[Reports]\r\nA=1\r\n", "timers",
         "polling", "150", "; keep me\r\n[Timers]\r\nPolling=150\r\nTests=5000\r\n\r\n[Reports]\r\nA=1\r\n"},
        {"a key spelt otherwise by the defaults", "[PACE]\r\nZAMO24ContinueWithoutRoll=\r\n", "PACE",
         "Zamo24ContinueWithoutRoll", "0", "[PACE]\r\nZAMO24ContinueWithoutRoll=0\r\n"},
        {"a new key after the section's last line", "[Timers]\r\nPolling=150\r\n\r\n[Reports]\r\nA=1", "Timers",
         "Tests", "5000", "[Timers]\r\nPolling=150\r\nTests=5000\r\n\r\n[Reports]\r\nA=1"},
        {"a new key in the last section, which lacks its line end", "[Reports]\r\nA=1", "Reports", "B", "2",
         "[Reports]\r\nA=1\r\nB=2\r\n"},
        {"a new section at the end", "[Reports]\r\nA=1", "PACE", "PaceDuration", "60",
         "[Reports]\r\nA=1\r\n[PACE]\r\nPaceDuration=60\r\n"},
        {"the first of two equal sections and keys", "[A]\r\nx=1\r\nX=2\r\n[a]\r\nx=3\r\n", "A", "x", "9",
         "[A]\r\nx=9\r\nX=2\r\n[a]\r\nx=3\r\n"},
        {"a line-feed file", "[A]\nx=1\n", "A", "y", "2", "[A]\nx=1\ny=2\n"},
        {"a byte-order mark", "\xEF\xBB\xBF[Timers]\r\nPolling=200\r\n", "Timers", "Tests", "5000",
         "\xEF\xBB\xBF[Timers]\r\nPolling=200\r\nTests=5000\r\n"},
        {"a new file", "-", "Limits", "DCO", "100", "[Limits]\r\nDCO=100\r\n"},
    };
    for (const Case& c : cases) {
        QFile::remove(path);
        if (c.before != "-")
            put(c.before);
        ASSERT_TRUE(platform::IniFile::write(path, c.section, c.key, c.value)) << c.what;
        EXPECT_EQ(content(), c.after) << c.what;
        EXPECT_EQ(platform::IniFile::read(path, c.section, c.key), c.value) << c.what;
    }
}

TEST_F(IniFileTest, SeveralKeysReachTheFileTogetherOrNotAtAll)
{
    put("[Limits]\r\nDCO=100\r\n");
    const QList<platform::IniFile::Key> keys{{"Limits", "DCO", "50"}, {"Warnings", "DCO", "40"}};
    {
        platform::WholeFile::SimulatedFault full(platform::WholeFile::Step::Write, ENOSPC);
        QString error;
        EXPECT_FALSE(platform::IniFile::write(path, keys, &error));
        EXPECT_EQ(error, qt_error_string(ENOSPC));
    }
    EXPECT_EQ(content(), "[Limits]\r\nDCO=100\r\n");
    EXPECT_EQ(platform::IniFile::read(path, "Limits", "DCO"), "100")
        << "what is kept follows the file, not the failed write";
    ASSERT_TRUE(platform::IniFile::write(path, keys));
    EXPECT_EQ(content(), "[Limits]\r\nDCO=50\r\n[Warnings]\r\nDCO=40\r\n");
}

TEST_F(IniFileTest, AChangeByAnotherProgramIsSeenAtTheNextRead)
{
    put("[A]\r\nx=1\r\n");
    ASSERT_EQ(platform::IniFile::read(path, "A", "x"), "1");
    put("[A]\r\nx=2\r\n"); // same size, same file, within the same moment
    EXPECT_EQ(platform::IniFile::read(path, "A", "x"), "2");
    ASSERT_TRUE(platform::IniFile::write(path, "A", "y", "3"));
    put("[A]\r\nx=4\r\n");
    EXPECT_EQ(platform::IniFile::read(path, "A", "x"), "4");
    EXPECT_EQ(platform::IniFile::read(path, "A", "y"), "");
    QFile::remove(path);
    EXPECT_EQ(platform::IniFile::read(path, "A", "x"), "");
}

TEST_F(IniFileTest, AFileThatCannotBeReadIsNotTakenForAMissingOne)
{
    QString error;
    EXPECT_TRUE(platform::IniFile::readable(dir.filePath("none.ini"), &error));
    EXPECT_EQ(error, "");

    put("[A]\r\nx=1\r\n");
    {
        platform::WholeFile::SimulatedFault refused(platform::WholeFile::Step::Open, EACCES, "settings.ini");
        EXPECT_FALSE(platform::IniFile::readable(path, &error));
        EXPECT_EQ(error, qt_error_string(EACCES));
        EXPECT_EQ(platform::IniFile::read(path, "A", "x", &error), "");
        EXPECT_EQ(error, qt_error_string(EACCES));
        EXPECT_FALSE(platform::IniFile::write(path, "A", "y", "2"));
    }
    EXPECT_EQ(content(), "[A]\r\nx=1\r\n");

    const QString folder = dir.filePath("folder.ini");
    ASSERT_TRUE(QDir().mkdir(folder));
    EXPECT_FALSE(platform::IniFile::readable(folder, &error));
    EXPECT_EQ(error, qt_error_string(EISDIR));
    EXPECT_FALSE(platform::IniFile::write(folder, "A", "x", "1", &error));
    EXPECT_EQ(error, qt_error_string(EISDIR));
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

TEST_F(IniFileTest, RefusesWritesThatWouldBreakTheFile)
{
    put("[A]\r\nx=1\r\n");
    EXPECT_FALSE(platform::IniFile::write(path, "A", "x", "1\r\n[B]"));
    EXPECT_FALSE(platform::IniFile::write(path, "A", "k=v", "1"));
    EXPECT_FALSE(platform::IniFile::write(path, "A]", "k", "1"));
    EXPECT_FALSE(platform::IniFile::write(path, "A", "", "1"));
    EXPECT_EQ(content(), "[A]\r\nx=1\r\n");
    EXPECT_FALSE(platform::IniFile::write(dir.filePath("no/such/folder.ini"), "A", "x", "1"));
}

} // namespace
