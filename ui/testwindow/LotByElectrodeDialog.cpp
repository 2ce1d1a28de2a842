#include "ui/testwindow/LotByElectrodeDialog.h"

#include "config/StationText.h"
#include "platform/Prompts.h"
#include "results/SanitizeText.h"
#include "results/TestGroupWriter.h"
#include "testlists/ElectrodeSelection.h"
#include "testlists/ElectrodeSelectionItems.h"
#include "testlists/TestStep.h"
#include "ui/common/Twips.h"
#include "ui/testwindow/TestDetailsDialog.h"
#include "unit/Unit.h"

#include <QCheckBox>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ui {

namespace {

constexpr int kElectrodes = 32;

QPushButton* button(QWidget* parent, const char* name, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

QString electrodeName(int index)
{
    return testlists::TestStep::findElectrodeNameByIndex(static_cast<qint16>(index));
}

} // namespace

LotByElectrodeDialog::LotByElectrodeDialog(TestDetailsDialog& details, QWidget* parent)
    : QDialog(parent), m_details(details)
{
    setObjectName(QStringLiteral("LotByElectrodeForm"));
    setWindowTitle(QStringLiteral("Lot Numbers by Electrode"));
    setModal(true);
    buildControls();
}

QGroupBox* LotByElectrodeDialog::buildElectrodesFrame()
{
    electrodesGroup = new QGroupBox(QStringLiteral("Electrodes"), this);
    electrodesGroup->setObjectName(QStringLiteral("ElectrodesFrame"));
    auto* grid = new QGridLayout(electrodesGroup);
    QFont fixed(QStringLiteral("Courier New"));
    fixed.setStyleHint(QFont::TypeWriter);
    for (int unit = 1; unit <= 2; ++unit) {
        QStringList names;
        for (int c = 0; c < 16; ++c)
            names << QChar(65 + c) + QString::number(unit);
        auto* label = new QLabel(names.join(QLatin1Char(' ')), electrodesGroup);
        label->setFont(fixed);
        grid->addWidget(label, (unit - 1) * 2, 0, 1, 16);
        for (int c = 0; c < 16; ++c) {
            const int i = (unit - 1) * 16 + c;
            auto* box = new QCheckBox(electrodesGroup);
            box->setObjectName(QStringLiteral("ElectrodesCheckBox_%1").arg(i));
            box->setToolTip(electrodeName(i));
            grid->addWidget(box, (unit - 1) * 2 + 1, c);
            electrodeChecks[std::size_t(i)] = box;
        }
    }
    return electrodesGroup;
}

void LotByElectrodeDialog::buildControls()
{
    lotNumberEdit = new QLineEdit(this);
    lotNumberEdit->setObjectName(QStringLiteral("txtLotNumber"));
    // No more than the group stores whole of an electrode's lot.
    lotNumberEdit->setMaxLength(results::MaxElectrodeLotLength);
    addButton = button(this, "cmdAdd", QStringLiteral("Add"));
    checkAllButton = button(this, "CheckAllButton", QStringLiteral("Check All"));
    uncheckAllButton = button(this, "UncheckAllButton", QStringLiteral("Uncheck All"));
    maskUnavailableElectrodesCheck = new QCheckBox(QStringLiteral("Mask Unavailable Electrodes"), this);
    maskUnavailableElectrodesCheck->setObjectName(QStringLiteral("chkMaskUnavailableElectrodes"));
    maskUnavailableElectrodesCheck->setChecked(true);
    clearButton = button(this, "cmdClear", QStringLiteral("Clear"));
    okButton = button(this, "OKButton", QStringLiteral("OK"));
    cancelButton = button(this, "CancelButton", QStringLiteral("Cancel"));
    lotGrid = new QTableWidget(0, 3, this);
    lotGrid->setObjectName(QStringLiteral("LotListFlexGrid"));
    lotGrid->setAccessibleName(QStringLiteral("Lot numbers by electrode"));
    lotGrid->setHorizontalHeaderLabels({QString(), QStringLiteral("Electrodes"), QStringLiteral("Lot Number")});
    lotGrid->verticalHeader()->hide();
    lotGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lotGrid->setSelectionBehavior(QAbstractItemView::SelectRows);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildElectrodesFrame());
    auto* selection = new QHBoxLayout();
    selection->addWidget(checkAllButton);
    selection->addWidget(uncheckAllButton);
    selection->addWidget(maskUnavailableElectrodesCheck);
    selection->addStretch();
    layout->addLayout(selection);
    auto* lot = new QHBoxLayout();
    auto* lotLabel = new QLabel(QStringLiteral("Lot Number"), this);
    lotLabel->setBuddy(lotNumberEdit);
    lot->addWidget(lotLabel);
    lot->addWidget(lotNumberEdit);
    lot->addWidget(addButton);
    layout->addLayout(lot);
    layout->addWidget(lotGrid);
    auto* buttons = new QHBoxLayout();
    buttons->addWidget(clearButton);
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    layout->addLayout(buttons);

    connect(addButton, &QPushButton::clicked, this, [this] { addLot(); });
    connect(checkAllButton, &QPushButton::clicked, this, [this] { checkAll(); });
    connect(uncheckAllButton, &QPushButton::clicked, this, [this] { uncheckAll(); });
    connect(maskUnavailableElectrodesCheck, &QCheckBox::clicked, this, [this] { maskUnavailableElectrodes(); });
    connect(clearButton, &QPushButton::clicked, this, [this] { clear(); });
    connect(okButton, &QPushButton::clicked, this, [this] { acceptEntries(); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { cancel(); });
}

void LotByElectrodeDialog::showDialog()
{
    load();
    exec();
}

void LotByElectrodeDialog::load()
{
    maskUnavailableElectrodes();
    clearAllAssignments();
    loadExistingAssignments();
}

bool LotByElectrodeDialog::channelAvailable(int index) const
{
    unit::Unit* unit = m_details.units()[std::size_t(index / 16)];
    return unit && unit->connected() && unit->electrodeChannelExists(static_cast<qint16>(index % 16));
}

void LotByElectrodeDialog::maskUnavailableElectrodes()
{
    const bool mask = maskUnavailableElectrodesCheck->isChecked();
    for (int i = 0; i < kElectrodes; ++i) {
        QCheckBox* box = electrodeChecks[std::size_t(i)];
        const bool visible = !mask || channelAvailable(i);
        box->setVisible(visible);
        if (!visible)
            box->setChecked(false);
    }
}

void LotByElectrodeDialog::clearAllAssignments()
{
    resetLotGrid();
    for (QCheckBox* box : electrodeChecks) {
        box->setChecked(false);
        box->setEnabled(true);
    }
    m_lots.fill(QString());
}

void LotByElectrodeDialog::resetLotGrid()
{
    lotGrid->clearContents();
    lotGrid->setRowCount(0);
    lotGrid->setColumnWidth(0, lotGrid->horizontalHeader()->sizeHint().height());
    lotGrid->setColumnWidth(1, Twips::toPixels(2000));
    lotGrid->setColumnWidth(2, Twips::toPixels(4000));
    lotGrid->setHorizontalHeaderLabels({QString(), QStringLiteral("Electrodes"), QStringLiteral("Lot Number")});
}

void LotByElectrodeDialog::addGridRow(const QString& list, const QString& lot)
{
    const int row = lotGrid->rowCount();
    lotGrid->insertRow(row);
    lotGrid->setItem(row, 0, new QTableWidgetItem());
    lotGrid->setItem(row, 1, new QTableWidgetItem(list));
    lotGrid->setItem(row, 2, new QTableWidgetItem(lot));
}

QString LotByElectrodeDialog::buildCheckedElectrodeList() const
{
    testlists::ElectrodeCheckBoxes boxes;
    for (const QCheckBox* box : electrodeChecks)
        boxes.append({box->checkState(), box->toolTip()});
    const QString list = testlists::buildElectrodeString(boxes);
    return list == QLatin1String("None") ? QString() : list;
}

void LotByElectrodeDialog::addLot()
{
    const QString list = buildCheckedElectrodeList();
    const QString lot = lotNumberEdit->text();
    if (list.isEmpty() || lot.isEmpty()) {
        platform::Prompts::instance().message(QStringLiteral("Electrodes not selected, or Lot number not specified."),
                                              config::StationText::appTitle(), platform::MsgButtons::Ok,
                                              platform::MsgIcon::Information);
        return;
    }
    addGridRow(list, lot);
    for (int i = 0; i < kElectrodes; ++i) {
        QCheckBox* box = electrodeChecks[std::size_t(i)];
        if (!box->isChecked())
            continue;
        box->setChecked(false);
        box->setEnabled(false);
        m_lots[std::size_t(i)] = lot;
    }
    lotNumberEdit->clear();
}

void LotByElectrodeDialog::checkAll()
{
    for (QCheckBox* box : electrodeChecks)
        box->setChecked(true);
    maskUnavailableElectrodes();
}

void LotByElectrodeDialog::uncheckAll()
{
    for (QCheckBox* box : electrodeChecks)
        box->setChecked(false);
}

void LotByElectrodeDialog::clear()
{
    clearAllAssignments();
}

void LotByElectrodeDialog::loadExistingAssignments()
{
    for (const QString& item : m_details.electrodeLotList) {
        const int second = item.indexOf(QLatin1Char('\t'), 1);
        if (second < 0)
            continue;
        const QString list = item.mid(1, second - 1);
        const QString lot = item.mid(second + 1);
        addGridRow(list, lot);
        applyLotToElectrodeList(list, lot);
    }
}

void LotByElectrodeDialog::applyLotToElectrodeList(const QString& list, const QString& lot)
{
    auto valid = [](int index) { return index >= 0 && index < kElectrodes; };
    testlists::forEachElectrodeSelectionItem(list, [&](const QString& name, const std::optional<QString>& end) {
        const int first = testlists::TestStep::findElectrodeIndex(name);
        if (!valid(first))
            return false;
        m_lots[std::size_t(first)] = lot;
        electrodeChecks[std::size_t(first)]->setEnabled(false);
        if (!end)
            return true;
        const int last = testlists::TestStep::findElectrodeIndex(*end);
        if (!valid(last))
            return false;
        for (int i = first; i <= last; ++i) {
            m_lots[std::size_t(i)] = lot;
            electrodeChecks[std::size_t(i)]->setChecked(true);
            electrodeChecks[std::size_t(i)]->setEnabled(false);
        }
        return true;
    });
}

void LotByElectrodeDialog::acceptEntries()
{
    m_details.initVars();
    for (int row = 0; row < lotGrid->rowCount(); ++row)
        m_details.electrodeLotList << QStringLiteral("\t") + lotGrid->item(row, 1)->text() + QStringLiteral("\t")
                                          + lotGrid->item(row, 2)->text();
    QStringList parts;
    for (int i = 0; i < kElectrodes; ++i) {
        const QString& lot = m_lots[std::size_t(i)];
        m_details.setElectrodeLotNumber(i, lot);
        parts << electrodeName(i) + QStringLiteral(": ") + results::sanitizeText(lot, 0);
    }
    m_details.lotNumberEdit->setText(QStringLiteral("CUSTOM: ") + parts.join(QStringLiteral(", ")));
    m_details.lotNumberEdit->setEnabled(false);
    accept();
}

void LotByElectrodeDialog::cancel()
{
    reject();
}

} // namespace ui
