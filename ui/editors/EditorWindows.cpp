#include "ui/editors/EditorWindows.h"

#include "ui/editors/BiasTestDialog.h"
#include "ui/editors/LimitsDialog.h"
#include "ui/editors/SequenceEditor.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/StationWindows.h"

namespace ui {

namespace DefinitionWindows {

namespace {

template <typename testWindow>
void showModal(TestWindowServices& mainForm)
{
    testWindow form(mainForm, StationWindows::existingFrame());
    form.exec();
}

template <typename testWindow>
void showForMainForm()
{
    if (TestWindowServices* mainForm = StationWindows::testWindow())
        showModal<testWindow>(*mainForm);
}

} // namespace

void showTestSequenceEditor(TestWindowServices& mainForm)
{
    showModal<SequenceEditor>(mainForm);
}

void showLimitsEditor(TestWindowServices& mainForm)
{
    showModal<LimitsDialog>(mainForm);
}

void showBiasTestParameters(TestWindowServices& mainForm)
{
    showModal<BiasTestDialog>(mainForm);
}

void installOpeners()
{
    StationWindows::Openers& openers = StationWindows::windowOpeners();
    openers.testSequenceEditor = showForMainForm<SequenceEditor>;
    openers.limitsEditor = showForMainForm<LimitsDialog>;
}

} // namespace DefinitionWindows

} // namespace ui
