#pragma once
// The fields of the "Advanced Options" editor: which settings.ini key each
// control edits, on which page it sits, and the order in which the editor
// reads and writes the keys.

#include <QList>
#include <QString>

namespace ui {

namespace AdvancedOptionsFields {

enum class Kind { Text, Check, WholeNumber };

// One settings.ini key and the control that edits it.
struct Field {
    QString page;    // tab caption
    QString section; // settings.ini section
    QString key;
    QString label;   // row label
    QString control; // object name of the edit control
    Kind kind = Kind::Text;
    QString description;  // "* ..." label, or the unit label on the limits pages
    QString checkCaption; // caption of a check box
    int column = 0;       // limits pages: 0 "ZAMO", 1 "ZAMO80 and ZAMO2-4"
};

// The fifteen pages in tab order, with their heading ("" for none).
struct Page {
    QString caption;
    QString heading;
};
const QList<Page>& pages();

// Every field, in the order the editor reads and saves them.
const QList<Field>& fields();

} // namespace AdvancedOptionsFields

} // namespace ui
