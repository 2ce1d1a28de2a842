#include "config/EmbeddedFile.h"
#include "platform/ScriptedPrompts.h"
#include "support/SettingsFixture.h"

#include <QDir>

namespace {

class EmbeddedFilesTest : public SettingsFixture {
protected:
    platform::ScriptedPrompts* prompts = nullptr;

    void SetUp() override
    {
        SettingsFixture::SetUp();
        prompts = platform::ScriptedPrompts::installNew();
    }
};

TEST_F(EmbeddedFilesTest, BuildFileFromResourceWritesExactlyTheBytesOverAnOldFile)
{
    const QString path = home.path() + "/out.wav";
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(100000, 'x'));
    old.close();
    EXPECT_EQ(config::buildFileFromResource(path, 103, "WAVE"), path);
    EXPECT_EQ(readAll(path), readAll(":/WAVE/103"));
    EXPECT_TRUE(prompts->messages().isEmpty());
}

TEST_F(EmbeddedFilesTest, FailuresAreShownAndGiveAnEmptyPath)
{
    EXPECT_EQ(config::buildFileFromResource(home.path() + "/x.rpt", 999, "RPT"), "");
    EXPECT_EQ(config::buildFileFromResource(home.path() + "/missing/x.rpt", 201, "RPT"), "");
    const QStringList shown = prompts->messages();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_TRUE(shown[0].startsWith("326:Error in BuildFileFromResource.  Error Message: ")) << shown[0].toStdString();
    EXPECT_TRUE(shown[1].startsWith("75:Error in BuildFileFromResource.  Error Message: ")) << shown[1].toStdString();
    EXPECT_EQ(prompts->shown[1].title, "Warning");
    EXPECT_FALSE(QFile::exists(home.path() + "/x.rpt"));
}

TEST_F(EmbeddedFilesTest, ATemplateThatCannotBeWrittenDoesNotStopTheOthers)
{
    QDir().mkpath(settings.paths.condensedReport); // a folder in the template's place
    config::extractReportFiles(settings.paths, settings.diagnostics.enabled);
    EXPECT_EQ(prompts->messages().size(), 1);
    EXPECT_EQ(readAll(settings.paths.electrodeTestReport), readAll(":/RPT/202"));
    EXPECT_EQ(readAll(settings.paths.sqlZamo80CondensedReport), readAll(":/RPT/1252"));
    EXPECT_TRUE(logText().contains(" - Extracting report files\r\n"));
}

} // namespace
