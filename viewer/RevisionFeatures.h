#pragma once
// What the viewer offers for a results database of one schema revision.
// Older databases lack columns: the groups of a revision up to 6 are
// numbered by their GroupID, the unit model is stored from revision 8
// (ZAMO80) and 11 (ZAMO2-4), condensed reports exist from 8, the lot sort
// field from 14. There are report templates for revisions 4 to 15.

#include <QStringList>

namespace viewer {

struct RevisionFeatures {
    int revision = 0;
    bool listed = false;          // above 0: a results database whose groups can be listed
    bool reports = false;         // 4..15: its reports can be shown and exported
    bool byUniqueGroupId = false; // above 6: a group is named by its UniqueGroupID, else by its GroupID
    bool archives = false;        // above 6: the database keeps its archive records
    bool reportTypes = false;     // above 7: the report-type choice and condensed reports
    bool zamo24Type = false;      // from 11: "ZAMO2-4" among the report types
    bool lotSort = false;         // from 14: the lot column and sorting by lot

    static RevisionFeatures of(int revision);

    // The report types to choose from: "ALL", "ZAMO", "ZAMO80", and
    // "ZAMO2-4" where the revision knows it.
    QStringList reportTypeChoices() const;
    // The type that a list of this revision is read with: "ZAMO" where
    // there is no choice (every group of those revisions is a base-model
    // run); otherwise the type asked for when it is one of the choices,
    // else "ALL".
    QString reportTypeFor(const QString& asked) const;
};

} // namespace viewer
