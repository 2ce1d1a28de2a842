#pragma once
// The default test lists: standard.tsq and standard80.tsq are written when
// missing and read at every start into the standard lists.

#include "config/PaceSettings.h"
#include "config/StationPaths.h"

#include <QStringList>

// Writes the standard test lists (standard.tsq and standard80.tsq of the
// paths, on the default selection of lists, the latter with the pace
// duration of [PACE]) when missing, and reads them into the standard lists
// of lists. Gives what the operator is to be told of lines left out of them
// (one text per file, none when every line was understood).
namespace testlists {

class StationTestLists;

QStringList buildDefaultSequenceFiles(StationTestLists& lists, const config::StationPaths& paths,
                                      const config::PaceSettings& pace);

} // namespace testlists
