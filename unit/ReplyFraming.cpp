#include "unit/ReplyFraming.h"

namespace unit {

namespace {

constexpr qsizetype Absent = std::numeric_limits<qsizetype>::max();

qsizetype find(const QString& text, QChar c, qsizetype from = 0)
{
    const qsizetype at = text.indexOf(c, from);
    return at < 0 ? Absent : at;
}

bool isOpening(QChar c)
{
    return c == u'(' || c == u'[';
}

// First opening bracket of either kind at or after from.
qsizetype findOpening(const QString& text, qsizetype from)
{
    return std::min(find(text, u'(', from), find(text, u'[', from));
}

} // namespace

QString ReplyFraming::stripNulls(const QString& text)
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

// Marks a pass as running for its lifetime; a pass inside a handler of
// another leaves it marked when it ends.
class BusyGuard {
public:
    explicit BusyGuard(bool& busy) : m_busy(busy), m_was(busy) { m_busy = true; }
    ~BusyGuard() { m_busy = m_was; }

private:
    bool& m_busy;
    bool m_was;
};

} // namespace

void ReplyFraming::feedRead(const QString& received, Handler& handler)
{
    BusyGuard guard(m_busy);
    m_pending += received;
    parse(m_pending, handler);
}

void ReplyFraming::feedText(const QString& text, Handler& handler)
{
    if (m_busy) {
        // A reply handed over inside a running pass is parsed at once and
        // alone; the running pass keeps its pending text.
        QString alone = text;
        parse(alone, handler);
        if (!alone.isEmpty())
            handler.onMalformed(QStringLiteral("Incomplete reply discarded: ") + alone);
        return;
    }
    const QString work = stripNulls(text);
    if (work.isEmpty())
        return;
    BusyGuard guard(m_busy);
    m_pending = work;
    parse(m_pending, handler);
}

void ReplyFraming::parse(QString& text, Handler& handler)
{
    for (;;) {
        QString work = stripNulls(text);
        text = work;
        if (work.isEmpty())
            break;
        handler.onBuffer(work);
        if (text != work)
            continue; // a pass inside the handler has taken the text over
        text.clear();

        const qsizetype roundOpen = find(work, u'(');
        const qsizetype roundClose = find(work, u')');
        const qsizetype squareOpen = find(work, u'[');
        const qsizetype squareClose = find(work, u']');

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
                const qsizetype next = findOpening(work, first + 1);
                const qsizetype ownClose = first == roundOpen ? roundClose : squareClose;
                if (next != Absent && (ownClose == Absent || next < ownClose)) {
                    handler.onMalformed(QStringLiteral("Incomplete frame discarded: ") + work.left(next));
                    text = work.mid(next);
                    continue;
                }
            }
            if (work.size() > MaxPendingLength) {
                // Keep only a frame start that fits the bound.
                const qsizetype last = std::max(work.lastIndexOf(u'('), work.lastIndexOf(u'['));
                const qsizetype keep = last >= 0 && work.size() - last <= MaxPendingLength ? last : work.size();
                handler.onMalformed(
                    QStringLiteral("Receive text without a complete frame discarded (%1 characters)").arg(keep));
                work.remove(0, keep);
            }
            text = work;
            return;
        }

        if (close > open) {
            // A frame whose text holds an opening bracket of its own kind
            // lost its end: what follows the last opening bracket is the frame.
            const QChar openChar = work.at(open);
            const qsizetype inner = work.lastIndexOf(openChar, close);
            if (inner > open) {
                handler.onMalformed(QStringLiteral("Incomplete frame discarded: ") + work.mid(open, inner - open));
                text = work.mid(inner);
                continue;
            }
        }

        // What follows the frame stays in text while the frame's handler
        // runs: a read inside the handler (one that waits lets the poll
        // cycle read again) is parsed at once, behind it and in order.
        const qsizetype next = close + 1;
        const qsizetype rest = work.size() - next;
        if (rest >= 2 || (rest == 1 && isOpening(work.at(next))))
            text = work.mid(next);

        if (close > open) {
            const QString frame = work.mid(open, close - open + 1);
            handler.onFrame(unitFrame, frame, QStringView(frame).mid(1, frame.size() - 2));
        } else {
            // A closing bracket before its opening bracket is stray text of
            // a broken frame: it is skipped like a frame.
            handler.onMalformed(QStringLiteral("Stray text skipped: ") + work.left(close + 1));
        }
    }
}

} // namespace unit
