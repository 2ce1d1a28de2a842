#pragma once
// A step of a run that throws (a unit call, a record) is skipped with a log
// line, and the run goes on with the next step.

#include "config/Log.h"

#include <QString>

#include <exception>

namespace run {

template <typename F>
void ignoreErrors(F&& f)
{
    try {
        f();
    } catch (const std::exception& e) {
        config::writeLog(QStringLiteral("Run step skipped after error: ") + QString::fromUtf8(e.what()));
    }
}

} // namespace run
