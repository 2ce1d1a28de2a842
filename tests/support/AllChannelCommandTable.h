#pragma once
// The all-channel command of each test type on each unit model ("" where the
// model has none), checked both on the frame builder and on the wire.

namespace testsupport {

struct AllChannelCommandRow {
    const char* testType;
    const char* base;
    const char* zamo80;
    const char* zamo24;
};

inline constexpr AllChannelCommandRow kAllChannelCommandsByTestType[] = {
    {"ACZ", "(GA))", "(GA))", "(GA))"}, {"DCO", "(GD1)", "(Gd1)", "(Gd1)"},
    {"ACZ30", "", "(Ga))", "(Ga))"},    {"ACZ30ZERO", "", "(Gz))", "(Gz))"},
    {"ACLG", "", "(GT))", "(Gt))"},     {"PACE1", "", "(GP1)", "(Gp1)"},
    {"PACE2", "", "(GP2)", "(Gp2)"},    {"NOISE", "(GN1)", "(GN1)", "(GN1)"},
    {"SDR", "(GS))", "", ""},           {"SDRACZ", "(Gs))", "", ""},
    {"BIAS", "(GB1)", "", ""},          {"BIASSTOP", "(GB0)", "", ""},
};

} // namespace testsupport
