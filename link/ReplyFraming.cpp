#include "link/ReplyFraming.h"

namespace {

constexpr qsizetype Absent = std::numeric_limits<qsizetype>::max();

qsizetype Find(const QString& text, QChar c, qsizetype from = 0)
{
    const qsizetype at = text.indexOf(c, from);
    return at < 0 ? Absent : at;
}

bool IsOpening(QChar c) { return c == u'(' || c == u'['; }

// First opening bracket of either kind at or after from.
qsizetype FindOpening(const QString& text, qsizetype from)
{
    return std::min(Find(text, u'(', from), Find(text, u'[', from));
}

} // namespace

QString ReplyFraming::StripNulls(const QString& text)
{
    if (!text.contains(QChar(0)))
        return text;
    QString out;
    out.reserve(text.size());
    for (QChar c : text)
        if (c != QChar(0))
            out.append(c);
    return out;
}

namespace {

// Marks a pass as running for its lifetime.
class BusyGuard {
public:
    explicit BusyGuard(bool& busy) : m_busy(busy) { m_busy = true; }
    ~BusyGuard() { m_busy = false; }

private:
    bool& m_busy;
};

} // namespace

void ReplyFraming::FeedRead(const QString& received, Handler& handler)
{
    if (busy_) {
        pending_ += received;   // the running pass takes it up
        return;
    }
    BusyGuard guard(busy_);
    QString work = pending_ + received;
    pending_.clear();
    Parse(work, handler, pending_, true);
}

void ReplyFraming::FeedText(const QString& text, Handler& handler)
{
    if (busy_) {
        // A reply handed over inside a running pass is parsed at once and
        // alone; the running pass keeps its pending text.
        QString tail;
        Parse(text, handler, tail, false);
        if (!tail.isEmpty())
            handler.OnMalformed(QStringLiteral("Incomplete reply discarded: ") + tail);
        return;
    }
    const QString work = StripNulls(text);
    if (work.isEmpty())
        return;
    BusyGuard guard(busy_);
    pending_.clear();
    Parse(work, handler, pending_, true);
}

void ReplyFraming::Parse(QString work, Handler& handler, QString& tail, bool joinArrivals)
{
    work = StripNulls(work);
    for (;;) {
        if (joinArrivals && !tail.isEmpty()) {
            work += StripNulls(tail);
            tail.clear();
        }
        if (work.isEmpty())
            break;
        handler.OnBuffer(work);

        const qsizetype roundOpen = Find(work, u'(');
        const qsizetype roundClose = Find(work, u')');
        const qsizetype squareOpen = Find(work, u'[');
        const qsizetype squareClose = Find(work, u']');

        bool unitFrame = false;
        qsizetype open = Absent;
        qsizetype close = Absent;
        if (squareOpen < roundOpen && squareClose < roundOpen) {
            unitFrame = true;
            open = squareOpen;
            close = squareClose;
        } else if (roundOpen < squareOpen && roundClose < squareOpen) {
            open = roundOpen;
            close = roundClose;
        } else {
            // No complete frame at the front. Frames never nest: an opening
            // bracket followed by another one before its own closing bracket
            // starts a frame that can never complete, so drop it and go on
            // at the next opening bracket.
            const qsizetype first = std::min(roundOpen, squareOpen);
            if (first != Absent) {
                const qsizetype next = FindOpening(work, first + 1);
                const qsizetype ownClose = first == roundOpen ? roundClose : squareClose;
                if (next != Absent && (ownClose == Absent || next < ownClose)) {
                    handler.OnMalformed(QStringLiteral("Incomplete frame discarded: ")
                                        + work.left(next));
                    work.remove(0, next);
                    continue;
                }
            }
            if (work.size() > MaxPendingLength) {
                // Keep only a frame start that fits the bound.
                const qsizetype last = std::max(work.lastIndexOf(u'('), work.lastIndexOf(u'['));
                const qsizetype keep = last >= 0 && work.size() - last <= MaxPendingLength ? last : work.size();
                handler.OnMalformed(QStringLiteral("Receive text without a complete frame discarded (%1 characters)")
                                    .arg(keep));
                work.remove(0, keep);
            }
            tail.prepend(work);   // before anything that arrived meanwhile
            return;
        }

        if (close > open) {
            // A frame whose text holds an opening bracket of its own kind
            // lost its end: what follows the last opening bracket is the frame.
            const QChar openChar = work.at(open);
            const qsizetype inner = work.lastIndexOf(openChar, close);
            if (inner > open) {
                handler.OnMalformed(QStringLiteral("Incomplete frame discarded: ")
                                    + work.mid(open, inner - open));
                work.remove(0, inner);
                continue;
            }
            const QString frame = work.mid(open, close - open + 1);
            handler.OnFrame(unitFrame, frame, QStringView(frame).mid(1, frame.size() - 2));
        }
        else {
            // A closing bracket before its opening bracket is stray text of
            // a broken frame: it is skipped like a frame.
            handler.OnMalformed(QStringLiteral("Stray text skipped: ") + work.left(close + 1));
        }

        const qsizetype next = close + 1;
        const qsizetype rest = work.size() - next;
        if (rest >= 2 || (rest == 1 && IsOpening(work.at(next))))
            work.remove(0, next);
        else
            work.clear();
    }
}
