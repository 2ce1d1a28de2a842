#pragma once
// The unit-mode flags with which .tsq files are read and written:
// a single ZAMO2-4 unit (is80With24, version "3.0"), other ZAMO80-mode units
// (is80, "2.0"), anything else (neither, "1.0").

class MainFormServices;

struct SequenceFileFlags {
    bool is80 = false;
    bool is80With24 = false;

    // From the units connected now.
    static SequenceFileFlags ForConnectedUnits(const MainFormServices& mainForm);
};
