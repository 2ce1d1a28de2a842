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

namespace ui {

SimulatedUnitPanel::SimulatedUnitPanel(unit::SimulatedUnit* unit, QWidget* parent)
    : QWidget(parent), m_unit(unit), m_channelsEdit(new QLineEdit(this)), m_initButton(new QPushButton("Init", this))
{
    QFrame* border = addPanelBorder(this);

    auto* layout = new QVBoxLayout(border);
    layout->addWidget(new QLabel("ZAMO Simulator", border));
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel("Channels", border));
    m_channelsEdit->setObjectName("txtChannels");
    m_channelsEdit->setAccessibleName("Channels");
    row->addWidget(m_channelsEdit);
    m_initButton->setObjectName("cmdInit");
    row->addWidget(m_initButton);
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

    connect(m_channelsEdit, &QLineEdit::textEdited, m_unit, &unit::SimulatedUnit::setChannelsText);
    connect(m_initButton, &QPushButton::clicked, m_unit, [this] { m_unit->init(); });
    connect(m_unit, &unit::SimulatedUnit::displayChanged, this, &SimulatedUnitPanel::refresh);
    setFixedSize(sizeHint()); // the panel keeps the size of its border
    refresh();
}

void SimulatedUnitPanel::refresh()
{
    if (m_channelsEdit->text() != m_unit->channelsText())
        m_channelsEdit->setText(m_unit->channelsText());
    for (int i = 0; i < static_cast<int>(m_lamps.size()); ++i) {
        QPalette p = m_lamps[static_cast<size_t>(i)]->palette();
        p.setColor(QPalette::Window, m_unit->lampColour(i));
        m_lamps[static_cast<size_t>(i)]->setPalette(p);
    }
}

} // namespace ui
