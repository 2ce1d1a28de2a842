#pragma once
// What the unit link's small status display shows: the lamp, the status and
// error labels, the Connect toggle and the simulator controls. The link keeps
// it up to date; ctlZAMOUsbCommView draws it.

#include <QColor>
#include <QString>

struct UsbCommDisplay {
    static QColor Grey() { return QColor(192, 192, 192); }   // 12632256
    static QColor Green() { return QColor(0, 255, 0); }      // 65280
    static QColor Red() { return QColor(255, 0, 0); }        // 255

    QColor lamp = Grey();                                 // shpStatus
    QString statusCaption = QStringLiteral("Unit #<>; Electrodes <>"); // lblStatus
    QString errorMessage;                                 // lblErrorMessage
    bool connectChecked = false;                          // chkConnect
    QColor connectColour = Red();
    bool connectEnabled = true;
    bool simVisible = false;                              // chkUseSim, txtSimChannels
    bool useSimChecked = false;
    QString simChannelsText = QStringLiteral("2");
};
