#include "ui/options/DatabaseOptionsWindow.h"

#include "config/IniKeys.h"
#include "config/Log.h"
#include "config/SamePath.h"
#include "config/StationSettings.h"
#include "platform/IniFile.h"
#include "platform/Prompts.h"
#include "results/EmptyDatabase.h"
#include "results/ResultsDatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <filesystem>
#include <system_error>

namespace ui {

namespace {

const QString kDatabaseFileName = QStringLiteral("ZAMO_Results.mdb");

// Copies source over target, whole or not at all: into a new file beside the
// target, then renamed over it. On failure the error's number and text.
bool copyOver(const QString& source, const QString& target, int* number, QString* text)
{
    namespace fs = std::filesystem;
    const fs::path to(QFile::encodeName(target).toStdString());
    fs::path part = to;
    part += ".copying";
    std::error_code error;
    fs::copy_file(fs::path(QFile::encodeName(source).toStdString()), part, fs::copy_options::overwrite_existing, error);
    if (!error)
        fs::rename(part, to, error);
    if (!error)
        return true;
    std::error_code ignored;
    fs::remove(part, ignored);
    *number = error.value();
    *text = QString::fromLocal8Bit(error.message().c_str());
    return false;
}

QLineEdit* addBox(QFormLayout* form, const QString& label, const char* name, QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setAccessibleName(label);
    form->addRow(label, box);
    return box;
}

} // namespace

DatabaseOptionsWindow::DatabaseOptionsWindow(config::StationSettings& settings, results::ResultsDatabase& database,
                                             std::function<void()> recheck, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_database(database), m_recheck(std::move(recheck))
{
    setObjectName(QStringLiteral("DatabaseOptionsForm"));
    setWindowTitle(QStringLiteral("Database Options"));
    buildControls();
    load();
}

void DatabaseOptionsWindow::buildControls()
{
    auto* layout = new QVBoxLayout(this);
    localDatabaseButton = new QRadioButton(QStringLiteral("Local Database"), this);
    localDatabaseButton->setObjectName(QStringLiteral("localDatabaseButton"));
    layout->addWidget(localDatabaseButton);
    auto* folderForm = new QFormLayout();
    auto* folderRow = new QHBoxLayout();
    folderEdit = new QLineEdit(this);
    folderEdit->setObjectName(QStringLiteral("folderEdit"));
    folderEdit->setAccessibleName(QStringLiteral("Folder Path"));
    selectFolderButton = new QPushButton(QStringLiteral("Select Folder"), this);
    selectFolderButton->setObjectName(QStringLiteral("selectFolderButton"));
    folderRow->addWidget(folderEdit, 1);
    folderRow->addWidget(selectFolderButton);
    folderForm->addRow(QStringLiteral("Folder Path"), folderRow);
    layout->addLayout(folderForm);

    serverDatabaseButton = new QRadioButton(QStringLiteral("MSSQL Database"), this);
    serverDatabaseButton->setObjectName(QStringLiteral("serverDatabaseButton"));
    layout->addWidget(serverDatabaseButton);
    auto* serverForm = new QFormLayout();
    serverHostEdit = addBox(serverForm, QStringLiteral("Server IP/Hostname"), "serverHostEdit", this);
    serverInstanceEdit = addBox(serverForm, QStringLiteral("MSSQL Instance"), "serverInstanceEdit", this);
    databaseNameEdit = addBox(serverForm, QStringLiteral("Database"), "databaseNameEdit", this);
    usernameEdit = addBox(serverForm, QStringLiteral("Username"), "usernameEdit", this);
    passwordEdit = addBox(serverForm, QStringLiteral("Password"), "passwordEdit", this);
    passwordEdit->setEchoMode(QLineEdit::Password);
    layout->addLayout(serverForm);

    testStatusLabel = new QLabel(this);
    testStatusLabel->setObjectName(QStringLiteral("testStatusLabel"));
    layout->addWidget(testStatusLabel);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    saveButton = new QPushButton(QStringLiteral("Save"), this);
    saveButton->setObjectName(QStringLiteral("saveButton"));
    cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    buttons->addWidget(saveButton);
    buttons->addWidget(cancelButton);
    layout->addLayout(buttons);

    connect(localDatabaseButton, &QRadioButton::clicked, this, [this] { enableFieldsFor(true); });
    connect(serverDatabaseButton, &QRadioButton::clicked, this, [this] { enableFieldsFor(false); });
    connect(selectFolderButton, &QPushButton::clicked, this, &DatabaseOptionsWindow::chooseFolder);
    connect(saveButton, &QPushButton::clicked, this, &DatabaseOptionsWindow::save);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void DatabaseOptionsWindow::load()
{
    const config::DatabaseSettings& database = m_settings.database;
    (database.useLocalDatabase ? localDatabaseButton : serverDatabaseButton)->setChecked(true);
    enableFieldsFor(database.useLocalDatabase);
    folderEdit->setText(database.localDatabaseFolder);
    serverHostEdit->setText(database.serverHost);
    serverInstanceEdit->setText(database.serverInstance);
    databaseNameEdit->setText(database.serverDatabaseName);
    usernameEdit->setText(database.username);
    passwordEdit->setText(database.password);
    testStatusLabel->clear();
    m_folderChanged = false;
}

void DatabaseOptionsWindow::enableFieldsFor(bool local)
{
    for (QLineEdit* box : {serverHostEdit, serverInstanceEdit, databaseNameEdit, usernameEdit, passwordEdit})
        box->setEnabled(!local);
    selectFolderButton->setEnabled(local);
}

void DatabaseOptionsWindow::chooseFolder()
{
    const QString folder =
        platform::Prompts::instance().chooseFolder(QStringLiteral("Select a Folder"), folderEdit->text());
    if (folder.isEmpty())
        return;
    if (!config::samePath(folder, folderEdit->text())) {
        m_folderChanged = true;
        m_previousDatabasePath = m_settings.paths.databaseFile;
    }
    folderEdit->setText(folder);
}

bool DatabaseOptionsWindow::save()
{
    if (!textsKeptAsTyped())
        return false;
    const config::DatabaseSettings kept = m_settings.database;
    config::DatabaseSettings& database = m_settings.database;
    database.useLocalDatabase = localDatabaseButton->isChecked();
    database.localDatabaseFolder = folderEdit->text();
    database.serverHost = serverHostEdit->text();
    database.serverInstance = serverInstanceEdit->text();
    database.serverDatabaseName = databaseNameEdit->text();
    database.username = usernameEdit->text();
    database.password = passwordEdit->text();
    m_database.closeDatabase();
    m_settings.paths.placeDatabase(database.localDatabaseFolder);
    if (database.useLocalDatabase) {
        if (m_folderChanged)
            offerCopy();
        makeMissingDatabase();
    }

    testStatusLabel->setText(QStringLiteral("Testing Database Connection... please wait."));
    testStatusLabel->repaint();
    if (!m_database.openDatabase(false) || !writeSettings()) {
        m_database.closeDatabase();
        m_settings.database = kept;
        m_settings.paths.placeDatabase(kept.localDatabaseFolder);
        testStatusLabel->setText(QStringLiteral("Database connection failed!"));
        return false;
    }
    m_recheck();
    accept();
    return true;
}

bool DatabaseOptionsWindow::textsKeptAsTyped()
{
    for (QLineEdit* box :
         {folderEdit, serverHostEdit, serverInstanceEdit, databaseNameEdit, usernameEdit, passwordEdit}) {
        const QString why = platform::IniFile::whyNotKept(box->text());
        if (why.isEmpty())
            continue;
        const QString text = QStringLiteral("The text in \"%1\" cannot be saved in settings.ini as typed: %2.")
                                 .arg(box->accessibleName(), why);
        config::writeLog(QStringLiteral("Database Options not saved: ") + text);
        testStatusLabel->clear();
        platform::Prompts::instance().message(text + QStringLiteral("\r\nNothing was saved."),
                                              QStringLiteral("Database Options"), platform::MsgButtons::Ok,
                                              platform::MsgIcon::Warning);
        box->setFocus();
        return false;
    }
    return true;
}

void DatabaseOptionsWindow::offerCopy()
{
    platform::Prompts& prompts = platform::Prompts::instance();
    if (prompts.message(QStringLiteral("A new database folder has been specified.  Click OK to copy the current "
                                       "database to the new location, ")
                            + QStringLiteral("\r\n")
                            + QStringLiteral("or click CANCEL to load the database found in the new location.  If "
                                             "no database is found, a new blank database file will be created."),
                        QStringLiteral("Copy Database?"), platform::MsgButtons::OkCancel)
        != platform::MsgResult::Ok)
        return;
    config::StationPaths& paths = m_settings.paths;
    int number = 0;
    QString text;
    if (copyOver(m_previousDatabasePath, paths.databaseFile, &number, &text))
        return;
    prompts.message(QStringLiteral("Error copying database file to ") + paths.databaseFile + QStringLiteral(".")
                        + QStringLiteral("\r\n") + QStringLiteral("Reloading original database.")
                        + QStringLiteral("\r\n\r\n") + QStringLiteral("[Error #%1 - %2]").arg(number).arg(text),
                    QString(), platform::MsgButtons::Ok);
    QString folder = m_previousDatabasePath;
    if (folder.endsWith(kDatabaseFileName))
        folder.chop(kDatabaseFileName.size());
    m_settings.database.localDatabaseFolder = folder;
    paths.placeDatabase(folder);
    paths.databaseFile = m_previousDatabasePath;
}

void DatabaseOptionsWindow::makeMissingDatabase()
{
    const QString& file = m_settings.paths.databaseFile;
    if (QFileInfo::exists(file))
        return;
    config::writeLog(QStringLiteral("Creating new default database file"));
    QDir().mkpath(QFileInfo(file).absolutePath());
    results::buildEmptyDatabase(file);
}

bool DatabaseOptionsWindow::writeSettings()
{
    const config::DatabaseSettings& database = m_settings.database;
    const QString section = QStringLiteral("Database");
    QString error;
    if (config::iniWriteKeys(
            {
                {section, QStringLiteral("UseLocalDatabase"),
                 database.useLocalDatabase ? QStringLiteral("1") : QStringLiteral("0")},
                {section, QStringLiteral("SQLServerHost"), database.serverHost},
                {section, QStringLiteral("SQLServerInstance"), database.serverInstance},
                {section, QStringLiteral("SQLServerDatabaseName"), database.serverDatabaseName},
                {section, QStringLiteral("SQLUsername"), database.username},
                {section, QStringLiteral("SQLPassword"), database.password},
                {section, QStringLiteral("LocalDatabaseFolder"), database.localDatabaseFolder},
            },
            m_settings.paths.settingsFile, &error))
        return true;
    platform::Prompts::instance().message(QStringLiteral("The database settings could not be saved: ") + error,
                                          QStringLiteral("Database Error"), platform::MsgButtons::Ok,
                                          platform::MsgIcon::Warning);
    return false;
}

} // namespace ui
