#pragma once
// Counts the calls of fsync and fdatasync that the benchmark program makes,
// the database library's included: the program defines both itself (and
// exports them, see tests/CMakeLists.txt), counts, and passes each call on
// to the C library.

#include <cstdint>

namespace bench {

std::uint64_t syncCalls();

} // namespace bench
