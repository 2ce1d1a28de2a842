#pragma once
// The shell reaches for the test window, which reaches back for the shell:
// the layer check must refuse the cycle, though both are station windows.

#include "ui/options/OptionsEditor.h"
#include "ui/testwindow/TestWindowPanel.h"
