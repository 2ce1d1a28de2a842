#pragma once
// Cuts the text that a measuring unit sends into frames. The unit speaks
// plain ASCII without length, checksum or terminator: a frame is known only
// by its brackets. Square brackets carry replies of the unit itself, round
// brackets replies of one of its channels. Text without a complete frame at
// its front waits as pending text for the next read.

#include <QString>
#include <QStringView>

#include <functional>

class ReplyFraming {
public:
    // What the framing hands on, in this order for every pass of its loop.
    struct Handler {
        virtual ~Handler() = default;
        // The whole unparsed text at the start of each pass.
        virtual void OnBuffer(const QString& text) = 0;
        // One complete frame, brackets included, and the text between them.
        virtual void OnFrame(bool unitFrame, const QString& frame, QStringView inner) = 0;
        // A line for the log: a broken frame or discarded text.
        virtual void OnMalformed(const QString& message) = 0;
    };

    // Pending text above this many characters is discarded; a reply is
    // never longer than a few dozen characters.
    static constexpr qsizetype MaxPendingLength = 1024;

    // The framing keeps its pending text in the string it is given, so that
    // the text outlives the framing object.
    explicit ReplyFraming(QString& pending) : pending_(pending) {}

    // Bytes of one read: the pending text is put in front of them.
    void FeedRead(const QString& received, Handler& handler);
    // Text handed over by a caller (a polled exchange, the simulated unit):
    // it is parsed alone; the pending text does not join it and is dropped.
    void FeedText(const QString& text, Handler& handler);

    const QString& PendingText() const { return pending_; }

    // The text without its NUL characters; every other character in order.
    static QString StripNulls(const QString& text);

private:
    void Parse(QString work, Handler& handler);

    QString& pending_;
};
