#include "ui/editors/BiasTestDialog.h"

#include "testlists/StationTestLists.h"
#include "ui/common/Twips.h"
#include "ui/editors/NumberList.h"
#include "ui/shell/TestWindowCommands.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

namespace {

QLabel* label(const char* name, const QString& caption)
{
    auto* l = new QLabel(caption);
    l->setObjectName(name);
    return l;
}

} // namespace

BiasTestDialog::BiasTestDialog(TestWindowServices& mainForm, QWidget* parent) : QDialog(parent), m_mainForm(mainForm)
{
    setObjectName("BiasTestParametersForm");
    setWindowTitle("BIAS Test Parameters");
    setModal(true);

    auto* frame = new QGroupBox("Bias Test", this);
    frame->setObjectName("BiasTestFrame");
    testTimeComboBox = new QComboBox;
    testTimeComboBox->setObjectName("TestTimeComboBox");
    samplingIntervalComboBox = new QComboBox;
    samplingIntervalComboBox->setObjectName("SamplingIntervalComboBox");
    auto* grid = new QGridLayout(frame);
    grid->addWidget(label("Label6", "Test Time:"), 0, 0);
    grid->addWidget(testTimeComboBox, 0, 1);
    grid->addWidget(label("Label7", "Hours"), 0, 2);
    grid->addWidget(label("Label5", "Sampling Interval:"), 1, 0);
    grid->addWidget(samplingIntervalComboBox, 1, 1);
    grid->addWidget(label("Label8", "Minutes"), 1, 2);

    auto* ok = new QPushButton("OK");
    ok->setObjectName("cmdOk");
    auto* cancel = new QPushButton("Cancel");
    cancel->setObjectName("cmdCancel");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttons);
    resize(Twips::toPixels(4500), Twips::toPixels(2400));

    connect(ok, &QPushButton::clicked, this, &BiasTestDialog::acceptEntries);
    connect(cancel, &QPushButton::clicked, this, &BiasTestDialog::cancel);
    load();
}

void BiasTestDialog::load()
{
    NumberList::fill(testTimeComboBox, 1, 165);
    testTimeComboBox->setCurrentIndex(7);
    NumberList::fill(samplingIntervalComboBox, 1, 60);
    samplingIntervalComboBox->setCurrentIndex(29);
}

void BiasTestDialog::acceptEntries()
{
    m_mainForm.clearTestList();
    auto step = std::make_shared<testlists::TestStep>();
    step->initByParams("BIAS", 1, QString(), NumberList::selected(testTimeComboBox),
                       NumberList::selected(samplingIntervalComboBox), false, 0, false);
    m_mainForm.testLists().active.append(step);
    hide();
    m_mainForm.updateTestSequenceList();
    m_mainForm.startFirstTestSequence(true);
    accept();
}

void BiasTestDialog::cancel()
{
    reject();
}

} // namespace ui
