#include "ui/testwindow/TestListPanel.h"

#include "ui/common/GridColumns.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

namespace ui {

TestListPanel::TestListPanel(QWidget* parent) : QGroupBox(QStringLiteral("Test Sequence"), parent)
{
    auto* v = new QVBoxLayout(this);
    auto* modes = new QHBoxLayout;
    m_singleListButton = new QRadioButton(QStringLiteral("Single Test List"), this);
    m_singleListButton->setObjectName(QStringLiteral("optSingleList"));
    m_singleListButton->setChecked(true);
    m_consecutiveListsButton = new QRadioButton(QStringLiteral("Consecutive Test Lists"), this);
    m_consecutiveListsButton->setObjectName(QStringLiteral("optConsecutiveLists"));
    modes->addWidget(m_singleListButton);
    modes->addWidget(m_consecutiveListsButton);
    v->addLayout(modes);

    for (int n = 1; n <= 2; ++n) {
        auto* row = new QHBoxLayout;
        auto* button = new QPushButton(QStringLiteral("Load"), this);
        button->setObjectName(QStringLiteral("cmdLoadFile%1").arg(n));
        auto* text = new QLineEdit(this);
        text->setObjectName(QStringLiteral("txtFile%1").arg(n));
        text->setReadOnly(true);
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("lblFile%1").arg(n));
        row->addWidget(button);
        row->addWidget(text, 1);
        row->addWidget(label);
        v->addLayout(row);
        m_loadFileButtons[std::size_t(n - 1)] = button;
        m_fileEdits[std::size_t(n - 1)] = text;
        m_fileLabels[std::size_t(n - 1)] = label;
    }

    m_grid = new QTableWidget(0, 4, this);
    m_grid->setObjectName(QStringLiteral("TestSequenceListFlexGrid"));
    m_grid->setAccessibleName(QStringLiteral("Test Sequence"));
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->hide();
    GridColumns::followWidth(m_grid, [this] { sizeColumns(); });
    v->addWidget(m_grid, 1);

    auto* buttons = new QHBoxLayout;
    auto button = [&](QPushButton*& b, const QString& name, const QString& text) {
        b = new QPushButton(text, this);
        b->setObjectName(name);
        buttons->addWidget(b);
    };
    button(m_runButton, QStringLiteral("cmdRunTestList"), QStringLiteral("Run"));
    button(m_cancelButton, QStringLiteral("cmdCancelTests"), QStringLiteral("Cancel"));
    button(m_editButton, QStringLiteral("cmdEditTestList"), QStringLiteral("Edit"));
    button(m_standardSequenceButton, QStringLiteral("RunStandardSequenceButton"),
           QStringLiteral("Run Standard Sequence"));
    v->addLayout(buttons);

    connect(m_singleListButton, &QRadioButton::clicked, this, &TestListPanel::showSingleList);
    connect(m_consecutiveListsButton, &QRadioButton::clicked, this, &TestListPanel::showConsecutiveLists);
    connect(m_grid, &QTableWidget::itemSelectionChanged, this, [this] {
        const int row = m_grid->currentRow();
        if (row >= 0)
            m_grid->selectRow(row);
    });
}

void TestListPanel::clearList()
{
    m_grid->clearContents();
    m_grid->setRowCount(0);
    sizeColumns();
    m_grid->setHorizontalHeaderLabels({QStringLiteral("#"), QStringLiteral("Test"),
                                       QStringLiteral("Electrodes or (TT/SI)"), QStringLiteral("Count")});
    m_grid->setCurrentCell(-1, -1);
}

void TestListPanel::sizeColumns()
{
    const double w = std::round(m_grid->width() / 10.0);
    const double factors[] = {1.0, 1.7, 5.0, 1.5};
    for (int c = 0; c < 4; ++c)
        m_grid->setColumnWidth(c, int(std::round(w * factors[c])));
}

void TestListPanel::showList(const testlists::TestList& list, const QString& selection)
{
    clearList();
    QString sel = selection;
    if (sel.size() > 20)
        sel = sel.left(20) + QStringLiteral("...");
    int row = 0;
    for (const auto& step : list) {
        m_grid->insertRow(row);
        const QString type = step->testType();
        const bool pace = type == QLatin1String("PACE1") || type == QLatin1String("PACE2");
        const QString electrodes =
            type == QLatin1String("BIAS")
                ? QString::number(step->biasTestTime()) + QLatin1Char('/') + QString::number(step->biasSampleTime())
                : sel;
        const QString count = pace ? QString::number(step->paceTestTime()) : QString::number(step->testCount());
        const QString cells[] = {QString::number(row + 1), type, electrodes, count};
        for (int c = 0; c < 4; ++c)
            m_grid->setItem(row, c, new QTableWidgetItem(cells[c]));
        ++row;
    }
    m_grid->setCurrentCell(-1, -1);
}

void TestListPanel::showLoadedFile(int n, const QString& file, qsizetype steps)
{
    fileEdit(n)->setText(file);
    fileLabel(n)->setText(QStringLiteral("TSQ file with ") + QString::number(steps)
                          + (steps == 1 ? QStringLiteral(" test loaded.") : QStringLiteral(" tests loaded.")));
}

bool TestListPanel::consecutiveListsChosen() const
{
    return m_consecutiveListsButton->isChecked();
}

void TestListPanel::setTestButtonsEnabled(bool enabled)
{
    m_editButton->setEnabled(enabled);
    m_runButton->setEnabled(enabled);
    m_standardSequenceButton->setEnabled(enabled);
}

void TestListPanel::setEditEnabled(bool enabled)
{
    m_editButton->setEnabled(enabled);
}

void TestListPanel::setSingleListShown(bool shown)
{
    m_grid->setVisible(shown);
    m_editButton->setVisible(shown);
    m_standardSequenceButton->setVisible(shown);
}

void TestListPanel::showSingleList()
{
    setSingleListShown(true);
}

void TestListPanel::showConsecutiveLists()
{
    setSingleListShown(false);
}

} // namespace ui
