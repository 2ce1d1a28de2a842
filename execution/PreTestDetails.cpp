#include "execution/PreTestDetails.h"

#include "execution/RunGlobals.h"

bool AcceptingPreTestDetails::Show()
{
    Globals::TestCancelled = false;
    return true;
}
