#include "definitions/DefinitionWindows.h"

#include "core/ParentMDIForm.h"
#include "core/StationWindows.h"
#include "definitions/BiasTestParametersForm.h"
#include "definitions/SetLimitsForm.h"
#include "definitions/TestSequenceEditorForm.h"

namespace DefinitionWindows {

namespace {

template <typename Form>
void showModal(MainFormServices& mainForm)
{
    Form form(mainForm, StationWindows::ExistingFrame());
    form.exec();
}

template <typename Form>
void showForMainForm()
{
    if (MainFormServices* mainForm = StationWindows::MainForm())
        showModal<Form>(*mainForm);
}

} // namespace

void ShowTestSequenceEditor(MainFormServices& mainForm)
{
    showModal<TestSequenceEditorForm>(mainForm);
}

void ShowLimitsEditor(MainFormServices& mainForm)
{
    showModal<SetLimitsForm>(mainForm);
}

void ShowBiasTestParameters(MainFormServices& mainForm)
{
    showModal<BiasTestParametersForm>(mainForm);
}

void InstallOpeners()
{
    StationWindows::Openers& openers = StationWindows::WindowOpeners();
    openers.TestSequenceEditor = showForMainForm<TestSequenceEditorForm>;
    openers.LimitsEditor = showForMainForm<SetLimitsForm>;
}

} // namespace DefinitionWindows
