#pragma once
// What a unit link shows of itself: the small status display that
// UnitLinkPanel draws (lamp, status and error captions, the Connect
// toggle, the simulator controls) and the hardware status lines that the
// test window logs. It keeps the text of the last failure, which a closed
// link's status repeats. It decides nothing about the link: the link tells
// it what happened. Nothing here fails.

#include "unit/LinkStatus.h"

#include <QObject>
#include <QString>

namespace unit {

class UnitLinkStatus : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    const UnitLinkDisplay& display() const { return m_display; }
    // The caption of the last status update ("Unit #1; Electrodes A1-B1").
    QString hardwareInfo() const { return m_hardwareInfo; }
    QString lastError() const { return m_lastError; }
    void setLastError(const QString& text) { m_lastError = text; }

    // The full status update: connected with its channel list (or none),
    // or closed with the unit's number and the last failure.
    void refresh(bool connected, const QString& modelName, const QString& channelList, qint16 unitNumber);
    void showConnectToggle(bool connected);
    // Red lamp, the failure's text, the toggle off.
    void showFailure(const QString& text);
    // The text of a failure that a closed link will show at its next update.
    void noteFailure(const QString& text);
    // An open sequence has begun; announce tells it as a status line too.
    void showConnecting(bool announce);
    // The port failed while open; the link reconnects.
    void showReconnecting(const QString& failure);
    void showClosed();
    void showCloseFailed(bool redLamp);

    // The operator's side of the display.
    void setConnectEnabled(bool enabled);
    void setConnectChecked(bool checked) { m_display.connectChecked = checked; }
    void showSimControls();

signals:
    // A status line for the test window; error marks a failure.
    void hardwareStatus(const QString& status, bool error);
    // The display changed (for the view).
    void changed();

private:
    UnitLinkDisplay m_display;
    QString m_lastError;
    QString m_hardwareInfo;
};

} // namespace unit
