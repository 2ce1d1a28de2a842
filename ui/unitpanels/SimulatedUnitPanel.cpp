#include "ui/unitpanels/SimulatedUnitPanel.h"

#include "ui/common/PanelBorder.h"
#include "unit/SimulatedUnit.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

ctlSimUnitView::ctlSimUnitView(ctlSimUnit* unit, QWidget* parent)
    : QWidget(parent), m_unit(unit), m_txtChannels(new QLineEdit(this)), m_cmdInit(new QPushButton("Init", this))
{
    QFrame* border = AddPanelBorder(this);

    auto* layout = new QVBoxLayout(border);
    layout->addWidget(new QLabel("ZAMO Simulator", border));
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel("Channels", border));
    m_txtChannels->setObjectName("txtChannels");
    m_txtChannels->setAccessibleName("Channels");
    row->addWidget(m_txtChannels);
    m_cmdInit->setObjectName("cmdInit");
    row->addWidget(m_cmdInit);
    layout->addLayout(row);

    auto* lamps = new QGridLayout;
    for (int i = 0; i < static_cast<int>(m_lamps.size()); ++i) {
        auto* lamp = new QLabel(border);
        lamp->setObjectName(QString("shpActive%1").arg(i));
        lamp->setAccessibleName(QString("Simulated channel %1").arg(QChar('A' + i)));
        lamp->setFixedSize(12, 12);
        lamp->setAutoFillBackground(true);
        lamp->setFrameShape(QFrame::Box);
        lamps->addWidget(lamp, 0, i);
        m_lamps[static_cast<size_t>(i)] = lamp;
    }
    layout->addLayout(lamps);

    connect(m_txtChannels, &QLineEdit::textEdited, m_unit, &ctlSimUnit::SetChannelsText);
    connect(m_cmdInit, &QPushButton::clicked, m_unit, [this] { m_unit->Init(); });
    connect(m_unit, &ctlSimUnit::DisplayChanged, this, &ctlSimUnitView::Refresh);
    setFixedSize(sizeHint());   // the panel keeps the size of its border
    Refresh();
}

void ctlSimUnitView::Refresh()
{
    if (m_txtChannels->text() != m_unit->ChannelsText())
        m_txtChannels->setText(m_unit->ChannelsText());
    for (int i = 0; i < static_cast<int>(m_lamps.size()); ++i) {
        QPalette p = m_lamps[static_cast<size_t>(i)]->palette();
        p.setColor(QPalette::Window, m_unit->LampColour(i));
        m_lamps[static_cast<size_t>(i)]->setPalette(p);
    }
}
