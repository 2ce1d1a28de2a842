#pragma once
// Cuts the text that a measuring unit sends into frames. The unit speaks
// plain ASCII without length, checksum or terminator: a frame is known only
// by its brackets. Square brackets carry replies of the unit itself, round
// brackets replies of one of its channels. Text without a complete frame at
// its front waits as pending text for the next read.

#include <QString>
#include <QStringView>

#include <functional>

namespace unit {

class ReplyFraming {
public:
    // What the framing hands on, in this order for every pass of its loop.
    struct Handler {
        virtual ~Handler() = default;
        // The whole unparsed text at the start of each pass.
        virtual void onBuffer(const QString& text) = 0;
        // One complete frame, brackets included, and the text between them.
        virtual void onFrame(bool unitFrame, const QString& frame, QStringView inner) = 0;
        // A line for the log: a broken frame or discarded text.
        virtual void onMalformed(const QString& message) = 0;
    };

    // Pending text above this many characters is discarded; a reply is
    // never longer than a few dozen characters.
    static constexpr qsizetype MaxPendingLength = 1024;

    // The framing keeps its pending text, and whether a pass is running, in
    // the variables it is given, so that both outlive the framing object.
    // While a frame's handler runs, the text of the pass not yet parsed is
    // the pending text: a read that arrives meanwhile (an event handler that
    // waits lets the poll cycle read again) is parsed at once behind it, and
    // the running pass goes on with whatever that leaves.
    ReplyFraming(QString& pending, bool& busy) : m_pending(pending), m_busy(busy) {}

    // Bytes of one read: the pending text is put in front of them.
    void feedRead(const QString& received, Handler& handler);
    // Text handed over by a caller (a polled exchange, the simulated unit):
    // it is parsed alone; the pending text does not join it and is dropped.
    void feedText(const QString& text, Handler& handler);

    const QString& pendingText() const { return m_pending; }

    // The text without its NUL characters; every other character in order.
    static QString stripNulls(const QString& text);

private:
    // Frames text; what does not complete is left in it.
    void parse(QString& text, Handler& handler);

    QString& m_pending;
    bool& m_busy;
};

} // namespace unit
