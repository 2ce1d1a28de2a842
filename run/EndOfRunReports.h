#pragma once
// The automatic report actions at the end of a run, in their order: PDF,
// Excel and text exports, print, condensed print, display. Returns the text
// of the "Post-Test Actions" box: one line per action done (the condensed
// print line ends without a line break); "" when nothing is to be told.

#include "config/ReportSettings.h"

#include <QDateTime>
#include <QString>

namespace run {

class ReportActions;

namespace EndOfRunReports {

// The actions follow the [Reports] settings; burnIn exports the PDF
// whatever the PDF setting says. An export is attempted only with an
// export folder set, and told only when it wrote its file.
QString run(ReportActions& reports, const config::ReportSettings& settings, qint32 uniqueGroupID,
            const QDateTime& reportDate, bool mode80, bool burnIn);

} // namespace EndOfRunReports

} // namespace run
