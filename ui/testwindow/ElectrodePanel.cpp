#include "ui/testwindow/ElectrodePanel.h"

#include "config/IniKeys.h"
#include "run/UnitMode.h"
#include "testlists/StationTestLists.h"
#include "testlists/TestStep.h"
#include "unit/Unit.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

namespace {

const QString kSection = QStringLiteral("Electrodes");
const QString kHiddenByModelKey = QStringLiteral("Unit2HiddenByModel");

} // namespace

ElectrodePanel::ElectrodePanel(const std::array<unit::Unit*, 2>& units, const run::UnitModeSource& mode,
                               const config::StationPaths& paths, testlists::StationTestLists& testLists,
                               QWidget* parent)
    : QGroupBox(QStringLiteral("Electrodes"), parent),
      m_units(units),
      m_mode(mode),
      m_paths(paths),
      m_testLists(testLists)
{
    auto* v = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    for (int i = 0; i < 32; ++i) {
        const QString name = testlists::TestStep::findElectrodeNameByIndex(qint16(i));
        auto* check = new QCheckBox(name, this);
        check->setObjectName(QStringLiteral("ElectrodesCheckBox_%1").arg(i));
        check->setToolTip(name);
        check->setAccessibleName(name);
        m_boxes[std::size_t(i)] = check;
        grid->addWidget(check, i % 16, i < 16 ? 0 : 1);
        connect(check, &QCheckBox::clicked, this, &ElectrodePanel::markUnsaved);
    }
    v->addLayout(grid);
    m_unit2Label = new QLabel(QStringLiteral("A2 B2 C2 D2 E2 F2 G2 H2 I2 J2 K2 L2 M2 N2 O2 P2"), this);
    m_unit2Label->setObjectName(QStringLiteral("Unit2ElectrodesLabel"));
    m_unit2Label->setWordWrap(true);
    v->addWidget(m_unit2Label);

    m_unsavedMark = new QFrame(this);
    m_unsavedMark->setObjectName(QStringLiteral("SaveElectrodesShape"));
    m_unsavedMark->setAccessibleName(QStringLiteral("Electrode selection not saved"));
    m_unsavedMark->setFixedSize(12, 12);
    m_unsavedMark->setStyleSheet(QStringLiteral("background-color: rgb(255, 255, 0); border: 1px solid black;"));
    v->addWidget(m_unsavedMark);

    auto add = [&](QPushButton*& b, const QString& name, const QString& text) {
        b = new QPushButton(text, this);
        b->setObjectName(name);
        v->addWidget(b);
    };
    add(m_checkAllButton, QStringLiteral("CheckAllButton"), QStringLiteral("Check All"));
    add(m_uncheckAllButton, QStringLiteral("UncheckAllButton"), QStringLiteral("Uncheck All"));
    add(m_resetButton, QStringLiteral("ResetToDefaultsButton"), QStringLiteral("Reset"));
    add(m_saveAsDefaultsButton, QStringLiteral("SaveAsDefaultElectrodesButton"), QStringLiteral("Save as Defaults"));
    m_maskUnavailableBox = new QCheckBox(QStringLiteral("Mask Unavailable Electrodes"), this);
    m_maskUnavailableBox->setObjectName(QStringLiteral("MaskUnavailableElectrodesCheckBox"));
    v->addWidget(m_maskUnavailableBox);
    v->addStretch(1);

    connect(m_checkAllButton, &QPushButton::clicked, this, &ElectrodePanel::checkAll);
    connect(m_uncheckAllButton, &QPushButton::clicked, this, &ElectrodePanel::uncheckAll);
    connect(m_resetButton, &QPushButton::clicked, this, &ElectrodePanel::resetToDefaults);
    connect(m_saveAsDefaultsButton, &QPushButton::clicked, this, &ElectrodePanel::saveAsDefaults);
    connect(m_maskUnavailableBox, &QCheckBox::clicked, this, &ElectrodePanel::updateAvailability);
    m_savedWithUnit2Hidden = config::iniRead(kSection, kHiddenByModelKey, m_paths.settingsFile) == QLatin1String("1");
}

void ElectrodePanel::applyDefaultSelection()
{
    for (int u = 1; u <= 2; ++u) {
        for (int c = 0; c < 16; ++c) {
            QCheckBox* box = m_boxes[std::size_t((u - 1) * 16 + c)];
            box->setChecked(m_testLists.defaultSelection.at(u, c) && !box->isHidden());
        }
    }
    updateAvailability();
}

void ElectrodePanel::updateAvailability()
{
    const bool mask = m_maskUnavailableBox->isChecked();
    for (int u = 1; u <= 2; ++u) {
        unit::Unit* unit = m_units[std::size_t(u - 1)];
        for (int c = 0; c < 16; ++c) {
            const bool available = !mask || (unit && unit->connected() && unit->electrodeChannelExists(qint16(c)));
            m_boxes[std::size_t((u - 1) * 16 + c)]->setEnabled(available);
        }
    }
}

void ElectrodePanel::setUnit2Shown(bool shown)
{
    for (int i = 16; i < 32; ++i) {
        QCheckBox* box = m_boxes[std::size_t(i)];
        if (!shown)
            box->setChecked(false);
        box->setVisible(shown);
    }
    m_unit2Label->setVisible(shown);
    m_unit2Hidden = !shown;
}

void ElectrodePanel::hideUnit2()
{
    // A ZAMO80 or ZAMO2-4 has no second unit: its electrodes leave the saved
    // default selection, so that the steps and the log name only unit 1's.
    // Once they are out nothing is stored again (a reconnect during a run
    // leaves the selection and the steps alone).
    const bool wasShown = !m_unit2Hidden;
    setUnit2Shown(false);
    bool namesUnit2 = false;
    for (int c = 0; c < 16; ++c)
        namesUnit2 = namesUnit2 || m_testLists.defaultSelection.at(2, c);
    if (wasShown || namesUnit2) {
        saveAsDefaults();
        return;
    }
    if (testlists::buildElectrodeString(boxStates()) == m_testLists.buildElectrodeString(true))
        markSaved();
    else
        markUnsaved();
}

void ElectrodePanel::showUnit2()
{
    if (m_unit2Hidden || m_savedWithUnit2Hidden) {
        // Back from a ZAMO80 or ZAMO2-4, in this session or before a
        // restart: unit 2's electrodes are ticked and stored again, so that a
        // second unit's electrodes are tested.
        setUnit2Shown(true);
        for (int i = 16; i < 32; ++i)
            m_boxes[std::size_t(i)]->setChecked(true);
        saveAsDefaults();
        return;
    }
    // Never hidden: the boxes show the saved default as it is, and a partial
    // selection is not widened when a ZAMO unit connects.
    setUnit2Shown(true);
    applyDefaultSelection();
    markSaved();
}

void ElectrodePanel::setSaveAllowed(bool allowed)
{
    m_saveAsDefaultsButton->setEnabled(allowed);
}

testlists::ElectrodeCheckBoxes ElectrodePanel::boxStates() const
{
    testlists::ElectrodeCheckBoxes boxes;
    for (QCheckBox* box : m_boxes)
        boxes.append({box->checkState(), box->toolTip()});
    return boxes;
}

void ElectrodePanel::checkAll()
{
    const int last = m_mode.checkZAMOMode() == run::ConnectedUnitsMode::Zamo80 ? 16 : 32;
    for (int i = 0; i < last; ++i)
        m_boxes[std::size_t(i)]->setChecked(true);
    markUnsaved();
}

void ElectrodePanel::uncheckAll()
{
    for (QCheckBox* box : m_boxes)
        box->setChecked(false);
    markUnsaved();
}

void ElectrodePanel::resetToDefaults()
{
    applyDefaultSelection();
    markSaved();
}

void ElectrodePanel::saveAsDefaults()
{
    const QString sel = m_testLists.buildElectrodeString(false);
    QList<platform::IniFile::Key> keys{{kSection, QStringLiteral("Default"), sel}};
    // The mark is written once a model has hidden unit 2's boxes; a station
    // that never met such a model keeps settings.ini as it was.
    if (m_unit2Hidden != m_savedWithUnit2Hidden)
        keys.append({kSection, kHiddenByModelKey, m_unit2Hidden ? QStringLiteral("1") : QStringLiteral("0")});
    if (config::iniWriteKeys(keys, m_paths.settingsFile))
        m_savedWithUnit2Hidden = m_unit2Hidden;
    m_testLists.applyElectrodeString(sel);
    emit selectionSaved();
    markSaved();
}

void ElectrodePanel::markUnsaved()
{
    m_unsavedMark->show();
}

void ElectrodePanel::markSaved()
{
    m_unsavedMark->hide();
}

} // namespace ui
