#include "platform/Prompts.h"

#include <QtGlobal>

namespace platform {

namespace {
std::unique_ptr<Prompts>& current()
{
    static std::unique_ptr<Prompts> prompts;
    return prompts;
}
} // namespace

Prompts& Prompts::instance()
{
    if (!current())
        qFatal("No prompts are installed: the program's start-up installs them before any window asks");
    return *current();
}

std::unique_ptr<Prompts> Prompts::install(std::unique_ptr<Prompts> prompts)
{
    std::unique_ptr<Prompts> old = std::move(current());
    current() = std::move(prompts);
    return old;
}

} // namespace platform
