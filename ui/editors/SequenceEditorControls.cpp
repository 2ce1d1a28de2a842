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
    TestTypeComboBox = dropDownList("TestTypeComboBox");
    countLabel = named(new QLabel("Count"), "lblCount");
    CountComboBox = dropDownList("CountComboBox");
    paceDurationLabel = named(new QLabel("Duration"), "lblPaceDuration");
    PaceDurationComboBox = dropDownList("PaceDurationComboBox");
    auto* grid = new QGridLayout(parameters);
    grid->addWidget(new QLabel("Test Type"), 0, 0);
    grid->addWidget(TestTypeComboBox, 1, 0);
    // The duration list stands in the place of the count list.
    grid->addWidget(countLabel, 0, 1);
    grid->addWidget(paceDurationLabel, 0, 1);
    grid->addWidget(CountComboBox, 1, 1);
    grid->addWidget(PaceDurationComboBox, 1, 1);
    layout->addWidget(parameters);

    BiasFrame = named(new QGroupBox("Bias Test Parameters"), "BiasFrame");
    TTLabel = named(new QLabel("Test Time (Hr)"), "TTLabel");
    TestTimeComboBox = dropDownList("TestTimeComboBox");
    SILabel = named(new QLabel("Sample Interval (min)"), "SILabel");
    SampleIntervalComboBox = dropDownList("SampleIntervalComboBox");
    auto* bias = new QGridLayout(BiasFrame);
    bias->addWidget(TTLabel, 0, 0);
    bias->addWidget(TestTimeComboBox, 1, 0);
    bias->addWidget(SILabel, 0, 1);
    bias->addWidget(SampleIntervalComboBox, 1, 1);
    layout->addWidget(BiasFrame);

    PaceRollFrame = named(new QGroupBox("Manual PACE Roll"), "PaceRollFrame");
    PaceRollPromptCheckBox =
        named(new QCheckBox("Prompt operator to complete post-PACE roll"), "PaceRollPromptCheckBox");
    ConcurrentRollCheckBox = named(new QCheckBox("Start next test while prompt displayed"), "ConcurrentRollCheckBox");
    auto* roll = new QVBoxLayout(PaceRollFrame);
    roll->addWidget(PaceRollPromptCheckBox);
    roll->addWidget(ConcurrentRollCheckBox);
    layout->addWidget(PaceRollFrame);

    DefibChargeFrame = named(new QGroupBox("Defib Charge Time"), "DefibChargeFrame");
    defibChargeTimeEdit = named(new QLineEdit, "txtDefibChargeTime");
    auto* apply = button("cmdApplyDefibChargeTime", "Apply");
    auto* reset = button("cmdResetDefibChargeTime", "Reset");
    auto* defib = new QHBoxLayout(DefibChargeFrame);
    defib->addWidget(new QLabel("Default Defib Charge Time (s)"));
    defib->addWidget(defibChargeTimeEdit);
    defib->addWidget(apply);
    defib->addWidget(reset);
    layout->addWidget(DefibChargeFrame);

    InsertButton = button("InsertButton", "Insert");
    SaveEditButton = button("SaveEditButton", "Save");
    CancelEditButton = button("CancelEditButton", "Cancel Edit");
    auto* editing = new QHBoxLayout;
    editing->addWidget(InsertButton);
    editing->addWidget(SaveEditButton);
    editing->addWidget(CancelEditButton);
    layout->addLayout(editing);
    layout->addStretch();

    connect(TestTypeComboBox, &QComboBox::currentIndexChanged, this, &SequenceEditor::testTypeChosen);
    connect(apply, &QPushButton::clicked, this, &SequenceEditor::applyDefibChargeTime);
    connect(reset, &QPushButton::clicked, this, &SequenceEditor::resetDefibChargeTime);
    connect(InsertButton, &QPushButton::clicked, this, &SequenceEditor::insertRow);
    connect(SaveEditButton, &QPushButton::clicked, this, &SequenceEditor::saveEdit);
    connect(CancelEditButton, &QPushButton::clicked, this, &SequenceEditor::cancelEdit);
    return panel;
}

QWidget* SequenceEditor::buildSequenceControls()
{
    auto* frame = named(new QGroupBox("Test Sequence"), "TestSequenceFrame");
    TestSequenceFlexGrid = named(new QTableWidget(0, 4), "TestSequenceFlexGrid");
    TestSequenceFlexGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TestSequenceFlexGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    TestSequenceFlexGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    TestSequenceFlexGrid->verticalHeader()->hide();
    TestSequenceFlexGrid->setAccessibleName("Test Sequence");
    GridColumns::followWidth(TestSequenceFlexGrid, [this] { sizeGridColumns(); });

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
    gridRow->addWidget(TestSequenceFlexGrid, 1);
    gridRow->addLayout(pictures);
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(new QLabel("Double click row to edit:"));
    layout->addLayout(gridRow);
    layout->addLayout(files);

    connect(TestSequenceFlexGrid, &QTableWidget::cellDoubleClicked, this, &SequenceEditor::editRow);
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
