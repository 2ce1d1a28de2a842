#pragma once
// The station's test lists and its default electrode selection. The
// station owns one and hands it down by reference: the test window, the
// editors, the service panel and the run all work on the same lists. The
// lists hold their steps by shared reference: a step may sit in several
// lists and windows at once.

#include "testlists/ElectrodeSelection.h"
#include "testlists/TestStep.h"

#include <QString>

namespace testlists {

class StationTestLists {
public:
    // The list shown in the test window and started by a run.
    TestList active;
    // Read from standard.tsq (base-model units) and standard80.tsq (ZAMO80 and
    // ZAMO2-4 units) at start-up.
    TestList standard;
    TestList standard80;
    // The current default selection, loaded at start-up and replaced by every
    // applyElectrodeString.
    ElectrodeFlags defaultSelection;

    // The test window installs the source of its boxes when it loads.
    void setElectrodeCheckBoxSource(ElectrodeCheckBoxSource source);

    // The selection string of the default selection (fromDefaults) or of the
    // test window's check boxes, where any state but unchecked counts as
    // selected.
    QString buildElectrodeString(bool fromDefaults) const;

    // Reads [Electrodes] Default ("A1-P2", written back, when it reads empty)
    // of the settings file and applies it.
    void loadDefaultElectrodes(const QString& settingsFile);

    // Makes the string the default selection and sets it on every step of the
    // active test list. "None" clears the default and leaves the steps as they
    // are; a string that names an electrode of no unit leaves the flags set up
    // to that point, changes no step and is logged.
    void applyElectrodeString(const QString& selection);

private:
    ElectrodeCheckBoxSource m_checkBoxSource;
};

} // namespace testlists
