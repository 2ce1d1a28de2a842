#pragma once
// A filled report as rows of cells, the form that the tab-separated text and
// the workbook share: the title and each heading or text on a row of its
// own, a blank row before every heading but the first, fields as label and
// value, tables as their header row and rows. The text export joins the
// cells of a row with tabs (tabs and line breaks inside a cell become spaces)
// and ends each row with a line break.

#include "platform/ReportContent.h"

#include <QList>
#include <QString>

namespace platform {

namespace ReportTabText {

QList<QList<ReportCell>> rows(const ReportContent& content);
QString text(const ReportContent& content);

} // namespace ReportTabText

} // namespace platform
