#pragma once
// The test window's half of the shell's cycle.

#include "ui/shell/ShellFrame.h"
