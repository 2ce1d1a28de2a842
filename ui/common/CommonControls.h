#pragma once
// Whether a program's windows can be made: the widget application object
// exists. The station and the report viewer ask it before their first
// window.

namespace ui {

bool initCommonControls();

} // namespace ui
