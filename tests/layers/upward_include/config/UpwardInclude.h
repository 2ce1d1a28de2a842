#pragma once
// A settings header that reaches up into the run: the layer check must refuse it.

#include "platform/Clock.h"
#include "run/RunState.h"
