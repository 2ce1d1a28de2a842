#include "ui/unitpanels/SignalGeneratorPanel.h"

#include "ui/common/PanelBorder.h"
#include "unit/SignalGeneratorLink.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

ctlZAMORollerView::ctlZAMORollerView(ctlZAMORoller* roller, QWidget* parent)
    : QWidget(parent), m_roller(roller)
{
    QFrame* border = AddPanelBorder(this);

    auto* layout = new QVBoxLayout(border);
    layout->addWidget(new QLabel("ZAMO-SG", border));   // Label1
    m_chkConnect = new QCheckBox("Connect", border);
    m_chkConnect->setObjectName("chkConnect");
    m_chkConnect->setAutoFillBackground(true);
    layout->addWidget(m_chkConnect);
    m_lblStatus = new QLabel(border);
    m_lblStatus->setObjectName("lblStatus");
    layout->addWidget(m_lblStatus);
    m_lblErrorMessage = new QLabel(border);
    m_lblErrorMessage->setObjectName("lblErrorMessage");
    layout->addWidget(m_lblErrorMessage);

    connect(m_chkConnect, &QCheckBox::clicked, m_roller, &ctlZAMORoller::ConnectToggleClicked);
    connect(m_roller, &ctlZAMORoller::DisplayChanged, this, &ctlZAMORollerView::Refresh);
    setFixedSize(sizeHint());   // the panel keeps the size of its border
    Refresh();
}

void ctlZAMORollerView::Refresh()
{
    const UsbCommDisplay& d = m_roller->Display();
    {
        const QSignalBlocker block(m_chkConnect);
        m_chkConnect->setChecked(d.connectChecked);
    }
    QPalette p = m_chkConnect->palette();
    p.setColor(QPalette::Window, d.connectColour);
    m_chkConnect->setPalette(p);
    m_lblStatus->setText(d.statusCaption);
    m_lblErrorMessage->setText(d.errorMessage);
}
