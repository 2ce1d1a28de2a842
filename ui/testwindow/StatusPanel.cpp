#include "ui/testwindow/StatusPanel.h"

#include "run/OperatorLog.h"
#include "ui/common/StatusLamp.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace ui {

namespace {

// The room each status text keeps: that of the longest fixed status.
const QString StatusRoom = QStringLiteral("Remote Database File Disconnected");

} // namespace

StatusPanel::StatusPanel(QWidget* parent) : QGroupBox(QStringLiteral("Status"), parent)
{
    m_grid = new QGridLayout(this);
    for (int n = 1; n <= 2; ++n) {
        auto* caption = new QLabel(QStringLiteral("Unit %1:").arg(n), this);
        m_unitLamps[n] = new StatusLamp(QStringLiteral("Unit %1 status").arg(n), this);
        m_unitLamps[n]->setObjectName(QStringLiteral("StatusShape_%1").arg(n));
        m_unitLabels[n] = new ElidedLabel(QStringLiteral("Disconnected"), StatusRoom, this);
        m_unitLabels[n]->setObjectName(QStringLiteral("UnitStatusLabel_%1").arg(n));
        m_grid->addWidget(caption, n - 1, 0);
        m_grid->addWidget(m_unitLamps[n], n - 1, 1);
        m_grid->addWidget(m_unitLabels[n], n - 1, 2);
    }
    m_databaseLamp = new StatusLamp(QStringLiteral("Database status"), this);
    m_databaseLamp->setObjectName(QStringLiteral("DatabaseStatusShape"));
    m_databaseLabel = new ElidedLabel(QStringLiteral("Local Disconnected"), StatusRoom, this);
    m_databaseLabel->setObjectName(QStringLiteral("DatabaseStatusLabel"));
    m_grid->addWidget(new QLabel(QStringLiteral("Database:"), this), 2, 0);
    m_grid->addWidget(m_databaseLamp, 2, 1);
    m_grid->addWidget(m_databaseLabel, 2, 2);
    m_signalGeneratorCaption = new QLabel(QStringLiteral("ZAMO-SG:"), this);
    m_signalGeneratorCaption->setObjectName(QStringLiteral("ZamoSGLabel"));
    m_signalGeneratorLamp = new StatusLamp(QStringLiteral("ZAMO-SG status"), this);
    m_signalGeneratorLamp->setObjectName(QStringLiteral("ZamoSGStatusShape"));
    m_signalGeneratorLabel = new ElidedLabel(QStringLiteral("Disconnected"), StatusRoom, this);
    m_signalGeneratorLabel->setObjectName(QStringLiteral("ZamoSGStatusLabel"));
    m_grid->addWidget(m_signalGeneratorCaption, 3, 0);
    m_grid->addWidget(m_signalGeneratorLamp, 3, 1);
    m_grid->addWidget(m_signalGeneratorLabel, 3, 2);

    m_simulatorFrame = new QFrame(this);
    m_simulatorFrame->setObjectName(QStringLiteral("VadovFrame"));
    auto* simulator = new QHBoxLayout(m_simulatorFrame);
    m_zamo80Button = new QRadioButton(QStringLiteral("ZAMO80"), m_simulatorFrame);
    m_zamo80Button->setObjectName(QStringLiteral("optZamo80"));
    m_zamo24Button = new QRadioButton(QStringLiteral("ZAMO2-4"), m_simulatorFrame);
    m_zamo24Button->setObjectName(QStringLiteral("optZamo24"));
    m_simulatorChannelsEdit = new QLineEdit(QStringLiteral("2"), m_simulatorFrame);
    m_simulatorChannelsEdit->setObjectName(QStringLiteral("txtSimChannels"));
    m_simulatorChannelsEdit->setAccessibleName(QStringLiteral("Simulator channels"));
    m_advanceClockButton = new QPushButton(QStringLiteral("Adv. Clk"), m_simulatorFrame);
    m_advanceClockButton->setObjectName(QStringLiteral("cmdAdvanceClock"));
    m_advanceClockButton->hide();
    m_advanceClockEdit = new QLineEdit(QStringLiteral("350"), m_simulatorFrame);
    m_advanceClockEdit->setObjectName(QStringLiteral("txtAdvanceClock"));
    m_advanceClockEdit->setAccessibleName(QStringLiteral("Elapsed seconds"));
    m_advanceClockEdit->hide();
    for (QWidget* w : {static_cast<QWidget*>(m_zamo80Button), static_cast<QWidget*>(m_zamo24Button),
                       static_cast<QWidget*>(m_simulatorChannelsEdit), static_cast<QWidget*>(m_advanceClockButton),
                       static_cast<QWidget*>(m_advanceClockEdit)})
        simulator->addWidget(w);
    m_grid->addWidget(m_simulatorFrame, 4, 0, 1, 3);
}

void StatusPanel::placeUnitLinkView(int unit, QWidget* view)
{
    if (unit >= 1 && unit <= 2 && view) {
        // Tells the two units' "Connect" toggles apart.
        view->setAccessibleName(QStringLiteral("Unit #%1").arg(unit));
        m_grid->addWidget(view, 4 + unit, 0, 1, 3);
    }
}

void StatusPanel::showUnitConnecting(int unit)
{
    m_unitLamps[std::size_t(unit)]->setFillColor(StatusLamp::green());
    m_unitLabels[std::size_t(unit)]->setStatusText(QStringLiteral("Connecting..."));
    m_unitLabels[std::size_t(unit)]->setStyleSheet(QStringLiteral("color: black;"));
}

void StatusPanel::showUnitLost(int unit)
{
    m_unitLamps[std::size_t(unit)]->setFillColor(StatusLamp::red());
}

void StatusPanel::showHardwareStatus(int unit, const QString& status, bool error)
{
    ElidedLabel* label = unit == 1 || unit == 2 ? m_unitLabels[std::size_t(unit)] : nullptr;
    if (!label)
        return;
    if (!error) {
        label->setStatusText(status);
        label->setStyleSheet(QStringLiteral("color: black;"));
        return;
    }
    label->setStyleSheet(QStringLiteral("color: red;"));
    label->setStatusText(run::CommLog::captionWithError(label->text(), status));
}

void StatusPanel::showDatabaseStatus(const QString& text, bool connected)
{
    m_databaseLamp->setFillColor(connected ? StatusLamp::green() : StatusLamp::red());
    m_databaseLabel->setStatusText(text);
}

void StatusPanel::showSignalGeneratorConnected(bool connected)
{
    m_signalGeneratorLamp->setFillColor(connected ? StatusLamp::green() : StatusLamp::red());
    m_signalGeneratorLabel->setStatusText(connected ? QStringLiteral("Connected") : QStringLiteral("Disconnected"));
}

void StatusPanel::setSignalGeneratorShown(bool shown)
{
    m_signalGeneratorLamp->setVisible(shown);
    m_signalGeneratorCaption->setVisible(shown);
    m_signalGeneratorLabel->setVisible(shown);
}

void StatusPanel::setSimulatorShown(bool shown)
{
    m_simulatorFrame->setVisible(shown);
}

void StatusPanel::showAdvanceClock()
{
    m_advanceClockButton->show();
    m_advanceClockEdit->show();
}

bool StatusPanel::zamo80Selected() const
{
    return m_zamo80Button->isChecked();
}

bool StatusPanel::zamo24Selected() const
{
    return m_zamo24Button->isChecked();
}

QString StatusPanel::simulatorChannelsText() const
{
    return m_simulatorChannelsEdit->text();
}

QString StatusPanel::advanceClockText() const
{
    return m_advanceClockEdit->text();
}

} // namespace ui
