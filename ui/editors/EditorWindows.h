#pragma once
// Opening the test-definition windows: each opening builds the window
// afresh and shows it modally over the main frame.

class MainFormServices;

namespace DefinitionWindows {

void ShowTestSequenceEditor(MainFormServices& mainForm);
void ShowLimitsEditor(MainFormServices& mainForm);
void ShowBiasTestParameters(MainFormServices& mainForm);

// Hands the two editors to the main frame's "Configure Test Sequence" and
// "Set Limits" items; they open nothing while there is no main test window.
void InstallOpeners();

} // namespace DefinitionWindows
