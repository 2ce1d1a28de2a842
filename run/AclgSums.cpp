#include "run/AclgSums.h"

namespace run {

void AclgSums::clear()
{
    m_first.fill(Empty);
    m_second.fill(Empty);
}

void AclgSums::add(std::size_t channel, double first, std::optional<double> second)
{
    if (m_first[channel] == Empty) {
        m_first[channel] = 0;
        if (second)
            m_second[channel] = 0;
    }
    m_first[channel] += first;
    if (second)
        m_second[channel] += *second;
}

} // namespace run
