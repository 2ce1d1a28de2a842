#include "ui/unitpanels/UnitLinkPanel.h"

#include "unit/UnitLink.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace {
QString Fill(const QColor& c)
{
    return QString("background-color: %1; border: 1px solid black; border-radius: 8px;").arg(c.name());
}
} // namespace

ctlZAMOUsbCommView::ctlZAMOUsbCommView(ctlZAMOUsbComm* comm, QWidget* parent)
    : QWidget(parent),
      m_comm(comm),
      m_shpStatus(new QLabel(this)),
      m_lblStatus(new QLabel(this)),
      m_lblErrorMessage(new QLabel(this)),
      m_chkConnect(new QCheckBox(QStringLiteral("Connect"), this)),
      m_chkUseSim(new QCheckBox(QStringLiteral("Sim"), this)),
      m_txtSimChannels(new QLineEdit(this))
{
    m_shpStatus->setFixedSize(16, 16);
    m_shpStatus->setAccessibleName(QStringLiteral("Unit status lamp"));
    m_lblErrorMessage->setStyleSheet(QStringLiteral("color: #ff0000;"));
    m_txtSimChannels->setMaximumWidth(40);
    m_txtSimChannels->setAccessibleName(QStringLiteral("Simulator channels"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(m_shpStatus, 0, 0);
    grid->addWidget(m_lblStatus, 0, 1, 1, 3);
    grid->addWidget(m_lblErrorMessage, 1, 1, 1, 3);
    grid->addWidget(m_chkConnect, 2, 1);
    grid->addWidget(m_chkUseSim, 2, 2);
    grid->addWidget(m_txtSimChannels, 2, 3);

    // clicked comes from the operator only; the link's own changes of the
    // toggle are shown without running the click logic.
    connect(m_chkConnect, &QCheckBox::clicked, m_comm, &ctlZAMOUsbComm::ConnectToggleClicked);
    connect(m_chkUseSim, &QCheckBox::clicked, m_comm, &ctlZAMOUsbComm::setUseSimChecked);
    connect(m_txtSimChannels, &QLineEdit::textEdited, m_comm, &ctlZAMOUsbComm::setSimChannelsText);
    connect(m_comm, &ctlZAMOUsbComm::DisplayChanged, this, &ctlZAMOUsbCommView::Refresh);
    Refresh();
}

void ctlZAMOUsbCommView::Refresh()
{
    const UsbCommDisplay& d = m_comm->Display();
    m_shpStatus->setStyleSheet(Fill(d.lamp));
    m_shpStatus->setAccessibleDescription(d.lamp == UsbCommDisplay::Green() ? QStringLiteral("Connected")
                                                                           : QStringLiteral("Not connected"));
    m_lblStatus->setText(d.statusCaption);
    m_lblErrorMessage->setText(d.errorMessage);
    {
        const QSignalBlocker block(m_chkConnect);
        m_chkConnect->setChecked(d.connectChecked);
    }
    m_chkConnect->setStyleSheet(QString("background-color: %1;").arg(d.connectColour.name()));
    m_chkConnect->setEnabled(d.connectEnabled);
    m_chkUseSim->setVisible(d.simVisible);
    m_chkUseSim->setChecked(d.useSimChecked);
    m_txtSimChannels->setVisible(d.simVisible);
    if (m_txtSimChannels->text() != d.simChannelsText)
        m_txtSimChannels->setText(d.simChannelsText);
}
