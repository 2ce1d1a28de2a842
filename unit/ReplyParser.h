#pragma once
// The receive side of a unit link: turns the text that a measuring unit
// sends into the state of its ctlZAMOUsbComm (unit diagnostics, lid, channel
// records) and into the component's events. It needs no device: it can be
// fed any byte string. Test-data, maintenance and calibration-board replies
// are decoded by TestDataDecoders, MaintenanceReplies and CalBoardReplies.

#include "unit/ReplyFraming.h"

#include <QByteArray>
#include <QString>

class ctlZAMOUsbComm;
class ReplyFieldReader;
struct UnitDiagnostics;

class ReceiveParser : private ReplyFraming::Handler {
public:
    explicit ReceiveParser(ctlZAMOUsbComm& comm);

    // The bytes of one read (one byte is one character); the pending text of
    // the previous read goes in front of them.
    void ParseRead(const QByteArray& received);
    // Text handed over by a caller (a polled exchange, the simulated unit),
    // parsed alone: the pending text is dropped, not joined.
    void ParseText(const QString& text);

    // Channel replies that follow belong to this channel (the channel of the
    // last channel frame sent, or of the simulated reply).
    void AttributeTo(qint16 channel);

private:
    void OnBuffer(const QString& text) override;
    void OnFrame(bool unitFrame, const QString& frame, QStringView inner) override;
    void OnMalformed(const QString& message) override;

    void DecodeUnitReply(ReplyFieldReader& fields);
    void DecodeChannelReply(qint16 channel, ReplyFieldReader& fields);
    void StoreDiagnostics(const UnitDiagnostics& d);
    void StoreFoundChannels(QStringView map);
    void StoreLidState(QChar flag);

    ctlZAMOUsbComm& m_comm;
    ReplyFraming m_framing;
};
