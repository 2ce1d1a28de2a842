#include "ui/unitpanels/SignalGeneratorPanel.h"

#include "ui/common/PanelBorder.h"
#include "unit/SignalGeneratorLink.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace ui {

SignalGeneratorPanel::SignalGeneratorPanel(unit::SignalGeneratorLink* roller, QWidget* parent)
    : QWidget(parent), m_roller(roller)
{
    QFrame* border = addPanelBorder(this);

    auto* layout = new QVBoxLayout(border);
    layout->addWidget(new QLabel("ZAMO-SG", border));
    m_connectCheck = new QCheckBox("Connect", border);
    m_connectCheck->setObjectName("chkConnect");
    m_connectCheck->setAutoFillBackground(true);
    layout->addWidget(m_connectCheck);
    m_statusLabel = new QLabel(border);
    m_statusLabel->setObjectName("lblStatus");
    layout->addWidget(m_statusLabel);
    m_errorMessageLabel = new QLabel(border);
    m_errorMessageLabel->setObjectName("lblErrorMessage");
    layout->addWidget(m_errorMessageLabel);

    // clicked comes from the operator only; the link's own changes of the
    // toggle are shown without running the click logic.
    connect(m_connectCheck, &QCheckBox::clicked, this, &SignalGeneratorPanel::connectClicked);
    connect(m_roller, &unit::SignalGeneratorLink::displayChanged, this, &SignalGeneratorPanel::refresh);
    setFixedSize(sizeHint()); // the panel keeps the size of its border
    refresh();
}

void SignalGeneratorPanel::refresh()
{
    const unit::UnitLinkDisplay& d = m_roller->display();
    {
        const QSignalBlocker block(m_connectCheck);
        m_connectCheck->setChecked(d.connectChecked);
    }
    QPalette p = m_connectCheck->palette();
    p.setColor(QPalette::Window, d.connectColour);
    m_connectCheck->setPalette(p);
    m_statusLabel->setText(d.statusCaption);
    m_errorMessageLabel->setText(d.errorMessage);
}

void SignalGeneratorPanel::connectClicked(bool checked)
{
    if (checked)
        m_roller->connectDevice();
    else
        m_roller->disconnectDevice();
}

} // namespace ui
