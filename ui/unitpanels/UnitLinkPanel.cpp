#include "ui/unitpanels/UnitLinkPanel.h"

#include "config/Log.h"
#include "platform/Convert.h"
#include "unit/UnitLink.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace ui {

namespace {
QString fill(const QColor& c)
{
    return QString("background-color: %1; border: 1px solid black; border-radius: 8px;").arg(c.name());
}
} // namespace

UnitLinkPanel::UnitLinkPanel(unit::UnitLink* comm, QWidget* parent)
    : QWidget(parent),
      m_comm(comm),
      m_statusLamp(new QLabel(this)),
      m_statusLabel(new QLabel(this)),
      m_errorMessageLabel(new QLabel(this)),
      m_connectCheck(new QCheckBox(QStringLiteral("Connect"), this)),
      m_useSimCheck(new QCheckBox(QStringLiteral("Sim"), this)),
      m_simChannelsEdit(new QLineEdit(this))
{
    m_statusLamp->setFixedSize(16, 16);
    m_statusLamp->setAccessibleName(QStringLiteral("Unit status lamp"));
    m_errorMessageLabel->setStyleSheet(QStringLiteral("color: #ff0000;"));
    m_simChannelsEdit->setText(QStringLiteral("2"));
    m_simChannelsEdit->setMaximumWidth(40);
    m_simChannelsEdit->setAccessibleName(QStringLiteral("Simulator channels"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(m_statusLamp, 0, 0);
    grid->addWidget(m_statusLabel, 0, 1, 1, 3);
    grid->addWidget(m_errorMessageLabel, 1, 1, 1, 3);
    grid->addWidget(m_connectCheck, 2, 1);
    grid->addWidget(m_useSimCheck, 2, 2);
    grid->addWidget(m_simChannelsEdit, 2, 3);

    // clicked comes from the operator only; the link's own changes of the
    // toggle are shown without running the click logic.
    connect(m_connectCheck, &QCheckBox::clicked, this, &UnitLinkPanel::connectClicked);
    connect(m_comm, &unit::UnitLink::displayChanged, this, &UnitLinkPanel::refresh);
    refresh();
}

void UnitLinkPanel::refresh()
{
    const unit::UnitLinkDisplay& d = m_comm->status().display();
    m_statusLamp->setStyleSheet(fill(d.lamp));
    m_statusLamp->setAccessibleDescription(d.lamp == unit::UnitLinkDisplay::green() ? QStringLiteral("Connected")
                                                                                    : QStringLiteral("Not connected"));
    m_statusLabel->setText(d.statusCaption);
    m_errorMessageLabel->setText(d.errorMessage);
    {
        const QSignalBlocker block(m_connectCheck);
        m_connectCheck->setChecked(d.connectChecked);
    }
    m_connectCheck->setStyleSheet(QString("background-color: %1;").arg(d.connectColour.name()));
    m_connectCheck->setEnabled(d.connectEnabled);
    m_useSimCheck->setVisible(d.simVisible);
    m_simChannelsEdit->setVisible(d.simVisible);
}

void UnitLinkPanel::connectClicked(bool checked)
{
    std::optional<qint16> simulatedChannels;
    if (m_useSimCheck->isChecked()) {
        const QString text = m_simChannelsEdit->text();
        simulatedChannels = platform::Convert::toInt16(text);
        if (!simulatedChannels) {
            config::writeLog("Simulated channel count is not a number: \"" + text + "\"");
            m_comm->restoreConnectToggle();
            return;
        }
    }
    m_comm->connectToggled(checked, simulatedChannels);
}

} // namespace ui
