#include "ui/reportlists/ReportActionsDialog.h"

#include "config/IniKeys.h"
#include "config/StationSettings.h"
#include "platform/Convert.h"
#include "platform/Prompts.h"
#include "ui/common/CloseGuard.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

namespace {

const QString Section = QStringLiteral("Reports");

// A check box's state as the settings file holds it: 0 unchecked, 1
// checked, 2 greyed.
int fileState(const QCheckBox* box)
{
    switch (box->checkState()) {
    case Qt::Checked: return 1;
    case Qt::PartiallyChecked: return 2;
    case Qt::Unchecked: break;
    }
    return 0;
}

} // namespace

ReportActionsDialog::ReportActionsDialog(config::StationSettings& settings, QWidget* parent)
    : QDialog(parent), m_settings(settings)
{
    setObjectName(QStringLiteral("ReportActionsDialog"));
    setWindowTitle(QStringLiteral("Set Automatic Report Actions"));
    setModal(true);
    buildControls();
    connect(m_saveButton, &QPushButton::clicked, this, &ReportActionsDialog::save);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_browseButton, &QPushButton::clicked, this, &ReportActionsDialog::browse);
    readReportActions();
}

void ReportActionsDialog::buildControls()
{
    auto* layout = new QVBoxLayout(this);
    auto* frame = new QGroupBox(QStringLiteral("Automatic Actions When Test Complete"), this);
    layout->addWidget(frame);
    auto* actions = new QVBoxLayout(frame);
    auto box = [frame, actions](const char* name, const QString& caption) {
        auto* b = new QCheckBox(caption, frame);
        b->setObjectName(QString::fromLatin1(name));
        actions->addWidget(b);
        return b;
    };
    m_exportPdfBox = box("exportPdfBox", QStringLiteral("Export to PDF"));
    m_exportExcelBox = box("exportExcelBox", QStringLiteral("Export to Excel"));
    m_exportTabBox = box("exportTabBox", QStringLiteral("Export to TAB delimited file"));
    auto* folder = new QHBoxLayout();
    actions->addLayout(folder);
    m_folderEdit = new QLineEdit(frame);
    m_folderEdit->setObjectName(QStringLiteral("folderEdit"));
    m_browseButton = new QPushButton(QStringLiteral("Browse"), frame);
    m_browseButton->setObjectName(QStringLiteral("browseButton"));
    folder->addWidget(m_folderEdit, 1);
    folder->addWidget(m_browseButton);
    m_printBox = box("printBox", QStringLiteral("Print Full Report to Windows Default Printer"));
    m_printCondensedBox = box("printCondensedBox", QStringLiteral("Print Condensed Report to Windows Default Printer"));
    m_displayBox = box("displayBox", QStringLiteral("Display Report Window"));
    m_displayBox->setChecked(true);

    auto* buttons = new QHBoxLayout();
    layout->addLayout(buttons);
    buttons->addStretch(1);
    m_saveButton = new QPushButton(QStringLiteral("Save"), this);
    m_saveButton->setObjectName(QStringLiteral("saveButton"));
    m_cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    buttons->addWidget(m_saveButton);
    buttons->addWidget(m_cancelButton);
}

QList<ReportActionsDialog::BoxKey> ReportActionsDialog::boxKeys() const
{
    using R = config::ReportSettings;
    return {{m_exportPdfBox, QStringLiteral("ExportPDFEnabled"), &R::exportPdfEnabled},
            {m_exportExcelBox, QStringLiteral("ExportExcelEnabled"), &R::exportExcelEnabled},
            {m_exportTabBox, QStringLiteral("ExportTabEnabled"), &R::exportTabEnabled},
            {nullptr, QStringLiteral("ExportPath"), nullptr},
            {m_printBox, QStringLiteral("PrintEnabled"), &R::printEnabled},
            {m_printCondensedBox, QStringLiteral("PrintCondensedEnabled"), &R::printCondensedEnabled},
            {m_displayBox, QStringLiteral("DisplayEnabled"), &R::displayEnabled}};
}

void ReportActionsDialog::readReportActions()
{
    for (const BoxKey& row : boxKeys()) {
        const QString value = config::iniRead(Section, row.key, m_settings.paths.settingsFile);
        if (!row.box) {
            m_folderEdit->setText(value);
            continue;
        }
        const std::optional<qint16> state = platform::Convert::toInt16(value);
        if (!state || *state < 0 || *state > 2)
            continue;
        row.box->setCheckState(*state == 1 ? Qt::Checked : *state == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
    }
}

bool ReportActionsDialog::writeReportActions()
{
    QList<platform::IniFile::Key> keys;
    for (const BoxKey& row : boxKeys())
        keys << platform::IniFile::Key{Section, row.key,
                                       row.box ? QString::number(fileState(row.box)) : m_folderEdit->text()};
    QString cause;
    if (!config::iniWriteKeys(keys, m_settings.paths.settingsFile, &cause)) {
        platform::Prompts::instance().message(QStringLiteral("The report actions could not be saved: ") + cause,
                                              QStringLiteral("Warning"), platform::MsgButtons::Ok,
                                              platform::MsgIcon::Warning);
        return false;
    }
    for (const BoxKey& row : boxKeys()) {
        if (row.box)
            m_settings.reports.*row.setting = row.box->checkState() != Qt::Unchecked;
    }
    m_settings.reports.exportPath = m_folderEdit->text();
    return true;
}

void ReportActionsDialog::save()
{
    if (m_exportPdfBox->checkState() == Qt::Checked && m_folderEdit->text().isEmpty()) {
        platform::Prompts::instance().message(
            QStringLiteral("A directory must be defined to store the exported reports."), QStringLiteral("Warning"),
            platform::MsgButtons::Ok, platform::MsgIcon::Warning);
        return;
    }
    if (writeReportActions())
        accept();
}

void ReportActionsDialog::browse()
{
    const QString folder = browseForFolder(this);
    if (!folder.isEmpty())
        m_folderEdit->setText(folder);
}

} // namespace ui
