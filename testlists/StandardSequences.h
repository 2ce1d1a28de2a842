#pragma once
// The steps of the default test lists that start-up writes to standard.tsq
// (version "1.0") and standard80.tsq (version "2.0") when they are missing.

#include "testlists/TestStep.h"

// DCO 1, ACZ 1, SDR 4, ACZ 1 on the given electrodes.
namespace testlists {

TestList standardSequenceSteps(const QString& electrodes);

// PACE1 of paceDuration minutes without roll prompt, then ACLG 2, DEFR 1,
// NOISE 1, ACZ 1, ACZ30 1, DCO 1 on the given electrodes.
TestList standard80SequenceSteps(const QString& electrodes, qint16 paceDuration);

} // namespace testlists
