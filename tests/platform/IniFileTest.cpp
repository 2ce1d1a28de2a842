#include "platform/IniFile.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

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
    struct Case { const char* section; const char* key; const char* expected; };
    const Case cases[] = {
        {"Timers", "Polling", "150"},   // trimmed, first of two equal keys
        {"timers", "POLLING", "150"},   // case-insensitive
        {"Timers", "Tests", "5000"},
        {"Timers", "Late", ""},         // only the first of two equal sections counts
        {"Timers", "X", ""},            // key of another section
        {"Missing", "Polling", ""},
        {"Empty", "Blank", ""},
        {"Other", "X", "1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IniFile::read(path, c.section, c.key), QString(c.expected))
            << c.section << "/" << c.key;
    EXPECT_EQ(IniFile::read(dir.filePath("none.ini"), "Timers", "Polling"), "");
}

TEST_F(IniFileTest, ByteOrderMarkDoesNotHideTheFirstSection)
{
    put("\xEF\xBB\xBF[Timers]\r\nPolling=200\r\n");
    EXPECT_EQ(IniFile::read(path, "Timers", "Polling"), "200");
    ASSERT_TRUE(IniFile::write(path, "Timers", "Tests", "5000"));
    EXPECT_EQ(content(), "\xEF\xBB\xBF[Timers]\r\nPolling=200\r\nTests=5000\r\n");
}

TEST_F(IniFileTest, CutsValuesLongerThan255Characters)
{
    put("[S]\nK=" + QByteArray(300, 'x') + "\n");
    EXPECT_EQ(IniFile::read(path, "S", "K").size(), 255);
}

TEST_F(IniFileTest, WriteChangesKeyInPlaceAndKeepsOtherLines)
{
    put("; keep me\r\n[Timers]\r\nPolling = 100   ; odd\r\nTests=5000\r\n\r\n[Reports]\r\nA=1\r\n");
    ASSERT_TRUE(IniFile::write(path, "timers", "polling", "150"));
    EXPECT_EQ(content(),
              "; keep me\r\n[Timers]\r\npolling=150\r\nTests=5000\r\n\r\n[Reports]\r\nA=1\r\n");
}

TEST_F(IniFileTest, NewKeyGoesToEndOfItsSectionAndNewSectionToEndOfFile)
{
    put("[Timers]\r\nPolling=150\r\n\r\n[Reports]\r\nA=1");
    ASSERT_TRUE(IniFile::write(path, "Timers", "Tests", "5000"));
    ASSERT_TRUE(IniFile::write(path, "Reports", "B", "2"));
    ASSERT_TRUE(IniFile::write(path, "PACE", "PaceDuration", "60"));
    EXPECT_EQ(content(), "[Timers]\r\nPolling=150\r\nTests=5000\r\n\r\n[Reports]\r\nA=1\r\nB=2\r\n"
                         "[PACE]\r\nPaceDuration=60\r\n");
}

TEST_F(IniFileTest, CreatesMissingFileAndKeepsLineFeedFiles)
{
    ASSERT_TRUE(IniFile::write(path, "Limits", "DCO", "100"));
    EXPECT_EQ(content(), "[Limits]\r\nDCO=100\r\n");

    put("[A]\nx=1\n");
    ASSERT_TRUE(IniFile::write(path, "A", "y", "2"));
    EXPECT_EQ(content(), "[A]\nx=1\ny=2\n");
}

TEST_F(IniFileTest, RefusesWritesThatWouldBreakTheFile)
{
    put("[A]\r\nx=1\r\n");
    EXPECT_FALSE(IniFile::write(path, "A", "x", "1\r\n[B]"));
    EXPECT_FALSE(IniFile::write(path, "A", "k=v", "1"));
    EXPECT_FALSE(IniFile::write(path, "A]", "k", "1"));
    EXPECT_FALSE(IniFile::write(path, "A", "", "1"));
    EXPECT_EQ(content(), "[A]\r\nx=1\r\n");
    EXPECT_FALSE(IniFile::write(dir.filePath("no/such/folder.ini"), "A", "x", "1"));
}

} // namespace
