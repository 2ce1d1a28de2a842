#include "ui/editors/EditorWindows.h"

#include "ui/editors/BiasTestDialog.h"
#include "ui/editors/LimitsDialog.h"
#include "ui/editors/SequenceEditor.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/StationWindows.h"

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
