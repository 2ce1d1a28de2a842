#include "ui/reportlists/StationDatabaseArchiving.h"

#include "config/Log.h"
#include "config/StationSettings.h"
#include "config/StationText.h"
#include "platform/Prompts.h"
#include "results/DatabaseArchive.h"
#include "results/ResultsDatabase.h"
#include "results/UpkeepObserver.h"

#include <QCoreApplication>

#include <utility>

namespace ui {

namespace {

class ArchiveProgress : public results::UpkeepObserver {
public:
    explicit ArchiveProgress(const StationDatabaseArchiving::ProgressBar& bar) : m_bar(bar) {}

    void progress(int value) override
    {
        if (m_bar)
            m_bar(value);
    }
    void letEventsRun() override { QCoreApplication::processEvents(); }
    void log(const QString& line) override { config::writeLog(line); }

private:
    const StationDatabaseArchiving::ProgressBar& m_bar;
};

} // namespace

StationDatabaseArchiving::StationDatabaseArchiving(const config::StationSettings& settings, ProgressBar progress)
    : m_settings(settings), m_progress(std::move(progress))
{
}

void StationDatabaseArchiving::archiveDatabase()
{
    results::closeDatabase();
    ArchiveProgress observer(m_progress);
    const results::UpkeepOutcome outcome =
        results::DatabaseArchive(m_settings.paths.databaseFile, m_settings.paths.archiveFolder, observer).archive();
    observer.progress(0);
    if (!outcome.done)
        platform::Prompts::instance().message(QStringLiteral("The database could not be archived: ") + outcome.cause,
                                              config::StationText::appTitle(), platform::MsgButtons::Ok,
                                              platform::MsgIcon::Warning);
}

} // namespace ui
