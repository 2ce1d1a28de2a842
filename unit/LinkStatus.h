#pragma once
// What the unit link's small status display shows: the lamp, the status and
// error labels, the Connect toggle and whether the simulator controls are
// shown. The link keeps it up to date; UnitLinkPanel draws it and keeps the
// operator's own input (the "Sim" box and the channel count).

#include <QColor>
#include <QString>

namespace unit {

struct UnitLinkDisplay {
    static QColor grey() { return QColor(192, 192, 192); } // 12632256
    static QColor green() { return QColor(0, 255, 0); }    // 65280
    static QColor red() { return QColor(255, 0, 0); }      // 255

    QColor lamp = grey();                                              // statusLamp
    QString statusCaption = QStringLiteral("Unit #<>; Electrodes <>"); // statusLabel
    QString errorMessage;                                              // errorMessageLabel
    bool connectChecked = false;                                       // connectCheck
    QColor connectColour = red();
    bool connectEnabled = true;
    bool simVisible = false; // useSimCheck, simChannelsEdit
};

} // namespace unit
