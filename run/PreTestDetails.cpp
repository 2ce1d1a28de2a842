#include "run/PreTestDetails.h"

#include "run/RunGlobals.h"

bool AcceptingPreTestDetails::Show()
{
    Globals::TestCancelled = false;
    return true;
}
