#include "ui/options/AdvancedOptionsWindow.h"

#include "config/IniKeys.h"
#include "config/Log.h"
#include "config/StationSettings.h"
#include "platform/Convert.h"
#include "platform/Prompts.h"
#include "ui/common/Twips.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace ui {

using AdvancedOptionsFields::Field;
using AdvancedOptionsFields::Kind;

namespace {

QLabel* label(const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setWordWrap(true);
    return l;
}

bool isLimitsPage(const QString& caption)
{
    return caption == QLatin1String("[Limits]") || caption == QLatin1String("[Warnings]");
}

} // namespace

AdvancedOptionsWindow::AdvancedOptionsWindow(const config::StationSettings& settings, QWidget* parent)
    : QWidget(parent), m_settings(settings)
{
    setObjectName(QStringLiteral("AdvancedOptionsForm"));
    setWindowTitle(QStringLiteral("Advanced Options"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* layout = new QVBoxLayout(this);
    settingsTabs = new QTabWidget(this);
    settingsTabs->setObjectName(QStringLiteral("IniConfigSSTab"));
    settingsTabs->setUsesScrollButtons(true);
    layout->addWidget(settingsTabs);

    auto* buttons = new QHBoxLayout();
    saveButton = new QPushButton(QStringLiteral("Save"), this);
    saveButton->setObjectName(QStringLiteral("SaveButton"));
    cancelButton = new QPushButton(QStringLiteral("Close"), this);
    cancelButton->setObjectName(QStringLiteral("CancelButton"));
    refreshButton = new QPushButton(QStringLiteral("Refresh"), this);
    refreshButton->setObjectName(QStringLiteral("RefreshButton"));
    buttons->addWidget(saveButton);
    buttons->addWidget(cancelButton);
    buttons->addWidget(refreshButton);
    buttons->addStretch();
    layout->addLayout(buttons);

    buildPages();

    connect(saveButton, &QPushButton::clicked, this, &AdvancedOptionsWindow::saveAllFields);
    connect(refreshButton, &QPushButton::clicked, this, &AdvancedOptionsWindow::readAllFields);
    connect(cancelButton, &QPushButton::clicked, this, [this] {
        // Unloads the window (its sub-window in the frame too).
        if (parentWidget())
            parentWidget()->close();
        close();
    });
}

void AdvancedOptionsWindow::buildPages()
{
    for (const auto& page : AdvancedOptionsFields::pages()) {
        auto* tab = new QWidget();
        auto* tabLayout = new QVBoxLayout(tab);
        auto* frame = new QGroupBox(page.caption, tab);
        tabLayout->addWidget(frame);
        tabLayout->addStretch();
        auto* grid = new QGridLayout(frame);
        int row = 0;
        if (!page.heading.isEmpty())
            grid->addWidget(label(page.heading, frame), row++, 0, 1, 6);
        const bool limits = isLimitsPage(page.caption);
        if (limits) {
            grid->addWidget(label(QStringLiteral("ZAMO"), frame), row, 0, 1, 3);
            grid->addWidget(label(QStringLiteral("ZAMO80 and ZAMO2-4"), frame), row, 3, 1, 3);
            ++row;
        }
        int columnRow[2] = {row, row};
        for (const Field& field : AdvancedOptionsFields::fields()) {
            if (field.page != page.caption)
                continue;
            Bound bound;
            bound.field = field;
            const int col = limits ? field.column * 3 : 0;
            int& r = columnRow[limits ? field.column : 0];
            if (field.kind == Kind::Check) {
                bound.box = new QCheckBox(field.checkCaption, frame);
                bound.box->setObjectName(field.control);
                // Greyed only as read from the file; a click makes it two-state.
                connect(bound.box, &QCheckBox::clicked, bound.box, [box = bound.box] { box->setTristate(false); });
                grid->addWidget(label(field.label, frame), r, col);
                grid->addWidget(bound.box, r, col + 1);
            } else {
                bound.text = new QLineEdit(frame);
                bound.text->setObjectName(field.control);
                bound.text->setMaximumWidth(Twips::toPixels(2400));
                grid->addWidget(label(field.label, frame), r, col);
                grid->addWidget(bound.text, r, col + 1);
            }
            if (!field.description.isEmpty())
                grid->addWidget(label(field.description, frame), r, col + 2);
            ++r;
            m_fields << bound;
        }
        grid->setColumnStretch(limits ? 5 : 2, 1);
        settingsTabs->addTab(tab, page.caption);
    }

    // The fields are read and saved in the order of the field table.
    QList<Bound> ordered;
    for (const Field& field : AdvancedOptionsFields::fields())
        for (const Bound& bound : m_fields)
            if (bound.field.control == field.control)
                ordered << bound;
    m_fields = ordered;
}

QString AdvancedOptionsWindow::settingsFile() const
{
    return m_settings.paths.settingsFile;
}

void AdvancedOptionsWindow::load()
{
    settingsTabs->setCurrentIndex(0);
    readAllFields();
}

void AdvancedOptionsWindow::readAllFields()
{
    for (const Bound& bound : m_fields)
        readField(bound);
}

void AdvancedOptionsWindow::readField(const Bound& bound)
{
    const QString value = config::iniRead(bound.field.section, bound.field.key, settingsFile());
    if (bound.text) {
        bound.text->setText(value);
        return;
    }
    // 0, 1 or 2; any other value (a word, "-1") leaves the box as it is.
    const auto number = platform::Convert::toInt32(value);
    if (!number || *number < 0 || *number > 2 || value.contains(QLatin1Char('.')))
        return;
    if (*number == 2) {
        bound.box->setCheckState(Qt::PartiallyChecked);
    } else {
        bound.box->setTristate(false);
        bound.box->setChecked(*number == 1);
    }
}

void AdvancedOptionsWindow::saveAllFields()
{
    for (const Bound& bound : m_fields)
        saveField(bound);
    platform::Prompts::instance().message(QStringLiteral("Please restart ZAMO to apply configuration changes"),
                                          QStringLiteral("Options Saved"), platform::MsgButtons::Ok,
                                          platform::MsgIcon::Information);
}

void AdvancedOptionsWindow::saveField(const Bound& bound)
{
    const Field& field = bound.field;
    QString value;
    if (bound.box) {
        value = QString::number(bound.box->checkState() == Qt::PartiallyChecked ? 2 : bound.box->isChecked() ? 1 : 0);
    } else if (field.kind == Kind::WholeNumber) {
        const auto number = platform::Convert::toInt32(bound.text->text());
        if (!number) {
            config::writeLog(QStringLiteral("Options: %1 \"%2\" is not a number and was not saved")
                                 .arg(field.key, bound.text->text()));
            return;
        }
        value = QString::number(*number);
    } else {
        value = bound.text->text();
    }
    config::iniWrite(field.section, field.key, value, settingsFile());
}

} // namespace ui
