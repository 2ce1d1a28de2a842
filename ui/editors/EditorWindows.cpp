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
void showModal(StationWindows& windows, TestWindowServices& mainForm)
{
    testWindow form(mainForm, windows.existingFrame());
    form.exec();
}

template <typename testWindow>
void showForMainForm(StationWindows& windows)
{
    if (TestWindowServices* mainForm = windows.testWindow())
        showModal<testWindow>(windows, *mainForm);
}

} // namespace

void showTestSequenceEditor(StationWindows& windows, TestWindowServices& mainForm)
{
    showModal<SequenceEditor>(windows, mainForm);
}

void showLimitsEditor(StationWindows& windows, TestWindowServices& mainForm)
{
    showModal<LimitsDialog>(windows, mainForm);
}

void showBiasTestParameters(StationWindows& windows, TestWindowServices& mainForm)
{
    showModal<BiasTestDialog>(windows, mainForm);
}

void installOpeners(StationWindows& windows)
{
    StationWindows::Openers& openers = windows.windowOpeners();
    openers.testSequenceEditor = [&windows] { showForMainForm<SequenceEditor>(windows); };
    openers.limitsEditor = [&windows] { showForMainForm<LimitsDialog>(windows); };
}

} // namespace DefinitionWindows

} // namespace ui
