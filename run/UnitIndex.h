#pragma once
// One of the station's two measuring units, by position. In code a unit is a
// UnitIndex and what the run keeps per unit is a PerUnit; the unit number
// that operators read ("Unit #1") and that the records store is number(),
// 1 or 2, and it is used only where a text or a row shows it.

#include <array>
#include <cstddef>
#include <optional>

namespace run {

class UnitIndex {
public:
    static constexpr std::size_t count = 2;

    static constexpr UnitIndex first() { return UnitIndex(0); }
    static constexpr UnitIndex second() { return UnitIndex(1); }
    static constexpr std::array<UnitIndex, count> all() { return {first(), second()}; }
    // Unit number 1 or 2; none for any other number.
    static constexpr std::optional<UnitIndex> fromNumber(int number)
    {
        if (number < 1 || number > int(count))
            return std::nullopt;
        return UnitIndex(std::size_t(number - 1));
    }

    // 0 for the first unit, 1 for the second.
    constexpr std::size_t position() const { return m_position; }
    // The unit number shown and stored: 1 or 2.
    constexpr int number() const { return int(m_position) + 1; }

    constexpr bool operator==(const UnitIndex&) const = default;

private:
    constexpr explicit UnitIndex(std::size_t position) : m_position(position) {}

    std::size_t m_position;
};

// One value for each unit, reached by its UnitIndex.
template <class T>
class PerUnit {
public:
    constexpr T& operator[](UnitIndex unit) { return m_values[unit.position()]; }
    constexpr const T& operator[](UnitIndex unit) const { return m_values[unit.position()]; }
    constexpr auto begin() { return m_values.begin(); }
    constexpr auto end() { return m_values.end(); }
    constexpr auto begin() const { return m_values.begin(); }
    constexpr auto end() const { return m_values.end(); }
    constexpr void fill(const T& value) { m_values.fill(value); }

    constexpr bool operator==(const PerUnit&) const = default;

private:
    std::array<T, UnitIndex::count> m_values{};
};

} // namespace run
