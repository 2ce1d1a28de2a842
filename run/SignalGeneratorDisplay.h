#pragma once
// What the signal generator's connection shows on the test window: its
// lamp, its status text and the main frame's Connect/Disconnect items.
// Called on the user-interface thread; it cannot fail.

namespace run {

class SignalGeneratorDisplay {
public:
    virtual ~SignalGeneratorDisplay() = default;
    virtual void showSignalGeneratorConnected(bool connected) = 0;
};

} // namespace run
