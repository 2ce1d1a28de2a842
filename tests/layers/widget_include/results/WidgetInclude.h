#pragma once
// A results header that reaches for a widget: the layer check must refuse it.

#include <QLabel>
#include <QString>
