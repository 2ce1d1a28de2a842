#pragma once
// A viewer window's header that reaches for the station's test window beside
// the shared report view: the layer check must refuse the first.

#include "ui/reports/ReportView.h"
#include "ui/testwindow/TestWindow.h"
