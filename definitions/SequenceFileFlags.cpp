#include "definitions/SequenceFileFlags.h"

#include "core/MainFormServices.h"

SequenceFileFlags SequenceFileFlags::ForConnectedUnits(const MainFormServices& mainForm)
{
    if (mainForm.CheckZAMOMode() != "ZAMO80")
        return {false, false};
    if (mainForm.CheckZAMO24())
        return {false, true};
    return {true, false};
}
