#pragma once
// The archive of the live local database as the report list window starts
// it (automatically at MaxRecords groups, or by "Archive Now"): the live
// file moves into the archive folder and an empty one takes its place. The
// job shows its own progress, tells the operator of a failure itself, and
// returns when it is done; the live database is as before when it fails.
// The report list window reloads its lists afterwards either way.

namespace ui {

class DatabaseArchiving {
public:
    virtual ~DatabaseArchiving() = default;
    virtual void archiveDatabase() = 0;
};

} // namespace ui
