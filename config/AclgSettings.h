#pragma once
// settings.ini [ACLG]: the gains of the ZAMO80 ACLG measurement and the
// divider calibration of the ZAMO2-4 ACLG at each energy.

// One ZAMO2-4 divider: its gain correction and its four resistors.
namespace config {

struct AclgDivider {
    double correctGain = 1;
    double r1 = 0;
    double r2 = 0;
    double r3 = 0;
    double r4 = 0;
};

struct AclgSettings {
    double gainVe = 401;                                  // GainVe
    double gainV50 = 2001;                                // GainV50
    double correctGain = 0.92;                            // Correct_Gain
    AclgDivider energy100J{1, 404990, 804, 424300, 4990}; // 24_100_...
    AclgDivider energy360J{1, 404990, 402, 424300, 2490}; // 24_360_...
    AclgDivider energyX{1, 406810, 475, 402000, 2800};    // 24_X_...
    double energyXJoules = 200;                           // 24_X_Energy
    bool energyXEnabled = false;                          // 24_X_Enabled
};

} // namespace config
