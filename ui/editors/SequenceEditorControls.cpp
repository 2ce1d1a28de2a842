// The controls of the test sequence editor and their placing.

#include "ui/common/GridColumns.h"
#include "ui/common/Twips.h"
#include "ui/editors/SequenceEditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace ui {

namespace {

template <typename T>
T* named(T* widget, const char* name)
{
    widget->setObjectName(name);
    return widget;
}

QPushButton* button(const char* name, const QString& caption)
{
    auto* b = named(new QPushButton(caption), name);
    b->setAutoDefault(false);
    return b;
}

QToolButton* pictureButton(const char* name, QStyle::StandardPixmap picture, const QString& tip)
{
    auto* b = named(new QToolButton, name);
    b->setIcon(b->style()->standardIcon(picture));
    b->setToolTip(tip);
    return b;
}

QComboBox* dropDownList(const char* name)
{
    return named(new QComboBox, name); // not editable: only the entries can be picked
}

} // namespace

void SequenceEditor::buildControls()
{
    auto* columns = new QHBoxLayout;
    columns->addWidget(buildParameterControls());
    columns->addWidget(buildSequenceControls(), 1);

    auto* ok = button("OKButton", "OK");
    auto* cancel = button("CancelButton", "Cancel");
    auto* closing = new QHBoxLayout;
    closing->addStretch();
    closing->addWidget(ok);
    closing->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(closing);
    resize(Twips::toPixels(12000), Twips::toPixels(7500));

    connect(ok, &QPushButton::clicked, this, &SequenceEditor::acceptEntries);
    connect(cancel, &QPushButton::clicked, this, &SequenceEditor::cancel);
}

QWidget* SequenceEditor::buildParameterControls()
{
    auto* panel = new QWidget;
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* parameters = named(new QGroupBox("Test Parameters"), "Frame2");
    testTypeComboBox = dropDownList("TestTypeComboBox");
    countLabel = named(new QLabel("Count"), "lblCount");
    countComboBox = dropDownList("CountComboBox");
    paceDurationLabel = named(new QLabel("Duration"), "lblPaceDuration");
    paceDurationComboBox = dropDownList("PaceDurationComboBox");
    auto* grid = new QGridLayout(parameters);
    grid->addWidget(new QLabel("Test Type"), 0, 0);
    grid->addWidget(testTypeComboBox, 1, 0);
    // The duration list stands in the place of the count list.
    grid->addWidget(countLabel, 0, 1);
    grid->addWidget(paceDurationLabel, 0, 1);
    grid->addWidget(countComboBox, 1, 1);
    grid->addWidget(paceDurationComboBox, 1, 1);
    layout->addWidget(parameters);

    biasGroup = named(new QGroupBox("Bias Test Parameters"), "BiasFrame");
    testTimeLabel = named(new QLabel("Test Time (Hr)"), "TTLabel");
    testTimeComboBox = dropDownList("TestTimeComboBox");
    sampleIntervalLabel = named(new QLabel("Sample Interval (min)"), "SILabel");
    sampleIntervalComboBox = dropDownList("SampleIntervalComboBox");
    auto* bias = new QGridLayout(biasGroup);
    bias->addWidget(testTimeLabel, 0, 0);
    bias->addWidget(testTimeComboBox, 1, 0);
    bias->addWidget(sampleIntervalLabel, 0, 1);
    bias->addWidget(sampleIntervalComboBox, 1, 1);
    layout->addWidget(biasGroup);

    paceRollGroup = named(new QGroupBox("Manual PACE Roll"), "PaceRollFrame");
    paceRollPromptCheckBox =
        named(new QCheckBox("Prompt operator to complete post-PACE roll"), "PaceRollPromptCheckBox");
    concurrentRollCheckBox = named(new QCheckBox("Start next test while prompt displayed"), "ConcurrentRollCheckBox");
    auto* roll = new QVBoxLayout(paceRollGroup);
    roll->addWidget(paceRollPromptCheckBox);
    roll->addWidget(concurrentRollCheckBox);
    layout->addWidget(paceRollGroup);

    defibChargeGroup = named(new QGroupBox("Defib Charge Time"), "DefibChargeFrame");
    defibChargeTimeEdit = named(new QLineEdit, "txtDefibChargeTime");
    auto* apply = button("cmdApplyDefibChargeTime", "Apply");
    auto* reset = button("cmdResetDefibChargeTime", "Reset");
    auto* defib = new QHBoxLayout(defibChargeGroup);
    defib->addWidget(new QLabel("Default Defib Charge Time (s)"));
    defib->addWidget(defibChargeTimeEdit);
    defib->addWidget(apply);
    defib->addWidget(reset);
    layout->addWidget(defibChargeGroup);

    insertButton = button("InsertButton", "Insert");
    saveEditButton = button("SaveEditButton", "Save");
    cancelEditButton = button("CancelEditButton", "Cancel Edit");
    auto* editing = new QHBoxLayout;
    editing->addWidget(insertButton);
    editing->addWidget(saveEditButton);
    editing->addWidget(cancelEditButton);
    layout->addLayout(editing);
    layout->addStretch();

    connect(testTypeComboBox, &QComboBox::currentIndexChanged, this, &SequenceEditor::testTypeChosen);
    connect(apply, &QPushButton::clicked, this, &SequenceEditor::applyDefibChargeTime);
    connect(reset, &QPushButton::clicked, this, &SequenceEditor::resetDefibChargeTime);
    connect(insertButton, &QPushButton::clicked, this, &SequenceEditor::insertRow);
    connect(saveEditButton, &QPushButton::clicked, this, &SequenceEditor::saveEdit);
    connect(cancelEditButton, &QPushButton::clicked, this, &SequenceEditor::cancelEdit);
    return panel;
}

QWidget* SequenceEditor::buildSequenceControls()
{
    auto* frame = named(new QGroupBox("Test Sequence"), "TestSequenceFrame");
    testSequenceGrid = named(new QTableWidget(0, 4), "TestSequenceFlexGrid");
    testSequenceGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    testSequenceGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    testSequenceGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    testSequenceGrid->verticalHeader()->hide();
    testSequenceGrid->setAccessibleName("Test Sequence");
    GridColumns::followWidth(testSequenceGrid, [this] { sizeGridColumns(); });

    auto* up = pictureButton("MoveUpImageButton", QStyle::SP_ArrowUp, "Move Up");
    auto* down = pictureButton("MoveDownImageButton", QStyle::SP_ArrowDown, "Move Down");
    auto* remove = pictureButton("DeleteRowImageButton", QStyle::SP_TrashIcon, "Delete");
    auto* pictures = new QVBoxLayout;
    pictures->addWidget(up);
    pictures->addWidget(down);
    pictures->addWidget(remove);
    pictures->addStretch();

    auto* load = button("LoadButton", "Load");
    auto* save = button("SaveCommand", "Save");
    auto* clearAll = button("ClearAllButton", "Clear All");
    auto* loadStandard = button("LoadStandardSequenceButton", "Load Standard Sequence");
    auto* saveStandard = button("SaveStandardSequenceButton", "Save Standard Sequence");
    auto* files = new QGridLayout;
    files->addWidget(load, 0, 0);
    files->addWidget(save, 0, 1);
    files->addWidget(clearAll, 0, 2);
    files->addWidget(loadStandard, 1, 0, 1, 2);
    files->addWidget(saveStandard, 1, 2);

    auto* gridRow = new QHBoxLayout;
    gridRow->addWidget(testSequenceGrid, 1);
    gridRow->addLayout(pictures);
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(new QLabel("Double click row to edit:"));
    layout->addLayout(gridRow);
    layout->addLayout(files);

    connect(testSequenceGrid, &QTableWidget::cellDoubleClicked, this, &SequenceEditor::editRow);
    connect(up, &QToolButton::clicked, this, &SequenceEditor::moveRowUp);
    connect(down, &QToolButton::clicked, this, &SequenceEditor::moveRowDown);
    connect(remove, &QToolButton::clicked, this, &SequenceEditor::deleteRow);
    connect(load, &QPushButton::clicked, this, &SequenceEditor::loadFile);
    connect(save, &QPushButton::clicked, this, &SequenceEditor::saveCommand);
    connect(clearAll, &QPushButton::clicked, this, &SequenceEditor::clearAll);
    connect(loadStandard, &QPushButton::clicked, this, &SequenceEditor::loadStandardSequence);
    connect(saveStandard, &QPushButton::clicked, this, &SequenceEditor::saveStandardSequence);
    return frame;
}

} // namespace ui
