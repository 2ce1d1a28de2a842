#pragma once
// The drop-down lists of whole numbers in the test-definition windows
// ("1".."1000", "20".."90", ...): the operator can only pick an entry.

#include <QtGlobal>

class QComboBox;

namespace ui {

namespace NumberList {

// Fills the list with first..last as decimal text.
void fill(QComboBox* list, int first, int last);
// Selects the entry equal to value; false (selection unchanged) when the
// list has no such entry.
bool select(QComboBox* list, qint32 value);
// The selected entry as a number (0 when nothing is selected).
qint16 selected(const QComboBox* list);

} // namespace NumberList

} // namespace ui
