#pragma once
// A folder that the cycle includes but that is not in it.

#include <QString>
