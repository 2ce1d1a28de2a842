#pragma once
// settings.ini (and .lim files) [Limits] and [Warnings]: the 26 values
// against which every measurement is judged, in the base model's units and
// in the ZAMO80 and ZAMO2-4 units' ones. The initialisers are the defaults.

namespace config {

struct Limits {
    double limitDco = 100;
    double warningDco = 100;
    double limitAcz = 3000;
    double warningAcz = 2000;
    double limitSdrDco = 100;
    double warningSdrDco = 100;
    double limitSdrSlope = 1;
    double warningSdrSlope = 1;
    double limitNoise = 150;
    double warningNoise = 150;
    double limitBias = 100;
    double warningBias = 100;

    double limitZamo80Dco = 100;
    double warningZamo80Dco = 100;
    double limitZamo80Acz = 3000;
    double warningZamo80Acz = 2000;
    double limitZamo80Acz30 = 5;
    double warningZamo80Acz30 = 4;
    double limitZamo80Aclg = 3;
    double warningZamo80Aclg = 2;
    double limitZamo80Defr4 = 400;
    double warningZamo80Defr4 = 400;
    double limitZamo80Defr60 = 300;
    double warningZamo80Defr60 = 300;
    double limitZamo80Noise = 100;
    double warningZamo80Noise = 100;
};

} // namespace config
