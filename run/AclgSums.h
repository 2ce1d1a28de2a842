#pragma once
// The running sums of a run's good final ACLG readings per channel letter,
// whichever unit a reading came from, for the average verdicts at the end of
// a ZAMO80-mode run: the first reading (the one reading of a ZAMO80) and the
// second reading of a ZAMO2-4 pair. A ZAMO80-mode run starts with every sum
// empty; a run in any other mode starts with every sum at 0.

#include <array>
#include <cstddef>
#include <optional>

namespace run {

class AclgSums {
public:
    static constexpr std::size_t Channels = 16;
    // The value of a sum that holds no reading yet.
    static constexpr double Empty = -99.0;

    // Every sum empty.
    void clear();
    // Adds a final reading of channel 0..15, and the second reading of a pair.
    void add(std::size_t channel, double first, std::optional<double> second);

    // The sums of the channel's first and second readings; Empty when none.
    double first(std::size_t channel) const { return m_first[channel]; }
    double second(std::size_t channel) const { return m_second[channel]; }
    bool holdsReadings(std::size_t channel) const { return m_first[channel] != Empty; }
    // A sum divided by the number of ACLG runs; an empty sum stays empty.
    static double average(double sum, int runs) { return sum == Empty ? sum : sum / runs; }

private:
    std::array<double, Channels> m_first{};
    std::array<double, Channels> m_second{};
};

} // namespace run
