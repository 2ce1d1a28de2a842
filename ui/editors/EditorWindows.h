#pragma once
// Opening the test-definition windows: each opening builds the window
// afresh and shows it modally over the main frame.

namespace ui {

class TestWindowServices;

namespace DefinitionWindows {

void showTestSequenceEditor(TestWindowServices& mainForm);
void showLimitsEditor(TestWindowServices& mainForm);
void showBiasTestParameters(TestWindowServices& mainForm);

// Hands the two editors to the main frame's "Configure Test Sequence" and
// "Set Limits" items; they open nothing while there is no main test window.
void installOpeners();

} // namespace DefinitionWindows

} // namespace ui
