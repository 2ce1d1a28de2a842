#pragma once
// Opening the test-definition windows: each opening builds the window
// afresh and shows it modally over the main frame of the station's windows.

namespace ui {

class StationWindows;
class TestWindowServices;

namespace DefinitionWindows {

void showTestSequenceEditor(StationWindows& windows, TestWindowServices& mainForm);
void showLimitsEditor(StationWindows& windows, TestWindowServices& mainForm);
void showBiasTestParameters(StationWindows& windows, TestWindowServices& mainForm);

// Hands the two editors to the main frame's "Configure Test Sequence" and
// "Set Limits" items; they open nothing while there is no main test window.
// windows: kept by reference.
void installOpeners(StationWindows& windows);

} // namespace DefinitionWindows

} // namespace ui
