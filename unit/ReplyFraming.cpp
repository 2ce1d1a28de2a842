#include "unit/ReplyFraming.h"

#include <algorithm>
#include <array>
#include <limits>

namespace unit {

namespace {

constexpr qsizetype Absent = std::numeric_limits<qsizetype>::max();

qsizetype find(const QString& text, QChar c)
{
    const qsizetype at = text.indexOf(c);
    return at < 0 ? Absent : at;
}

bool isOpening(QChar c)
{
    return c == u'(' || c == u'[';
}

// The first c at or after from and before end.
qsizetype findBefore(const QString& text, QChar c, qsizetype from, qsizetype end)
{
    const qsizetype at = QStringView(text).first(std::min(end, text.size())).indexOf(c, from);
    return at < 0 ? Absent : at;
}

// The first position of each bracket in the text being framed. Each is
// searched for forward from the start once; when the front of the text is
// dropped the positions move with it, and a bracket is searched for again,
// from the new start, only when its position was dropped. So every
// character is looked at a few times, however long the text.
class BracketPositions {
public:
    explicit BracketPositions(const QString& text) : m_text(text) { forget(); }

    qsizetype first(QChar bracket)
    {
        qsizetype& at = m_at[slot(bracket)];
        if (at == Unknown)
            at = find(m_text, bracket);
        return at;
    }
    // The text lost its first n characters.
    void dropped(qsizetype n)
    {
        for (qsizetype& at : m_at)
            if (at != Unknown && at != Absent)
                at = at < n ? Unknown : at - n;
    }
    // The text was changed otherwise.
    void forget() { m_at.fill(Unknown); }

private:
    static constexpr qsizetype Unknown = -1;
    static int slot(QChar bracket)
    {
        switch (bracket.unicode()) {
        case u'(': return 0;
        case u')': return 1;
        case u'[': return 2;
        default: return 3;
        }
    }

    const QString& m_text;
    std::array<qsizetype, 4> m_at;
};

// Whether text is another text than seen, which held it before a handler
// ran: a pass inside the handler that changed text had to detach it from
// seen's buffer, which seen keeps alive, so a changed text never starts at
// the same place.
bool changedDuring(const QString& text, const QString& seen)
{
    return text.constData() != seen.constData() || text.size() != seen.size();
}

// Runs a handler with text as it stands; whether a pass inside the handler
// changed it.
template <typename Call>
bool report(const QString& text, Call call)
{
    const QString seen = text;
    call();
    return changedDuring(text, seen);
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
    BracketPositions at(text);
    // Framing drops what it has handled from the front of text, which moves
    // the start of the text and copies nothing while no one else holds it.
    const auto drop = [&](qsizetype n) {
        text.remove(0, n);
        at.dropped(n);
    };
    bool changed = true; // text may hold NULs and brackets not yet found
    for (;;) {
        if (changed) {
            if (text.contains(QChar(0)))
                text = stripNulls(text);
            at.forget();
            changed = false;
        }
        if (text.isEmpty())
            break;
        {
            const QString seen = text;
            handler.onBuffer(seen);
            if (changedDuring(text, seen) && text != seen) {
                changed = true;
                continue; // a pass inside the handler has taken the text over
            }
        }

        const qsizetype roundOpen = at.first(u'(');
        const qsizetype roundClose = at.first(u')');
        const qsizetype squareOpen = at.first(u'[');
        const qsizetype squareClose = at.first(u']');

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
                const qsizetype otherKind = std::max(roundOpen, squareOpen);
                const qsizetype next = std::min(findBefore(text, text.at(first), first + 1, otherKind), otherKind);
                const qsizetype ownClose = first == roundOpen ? roundClose : squareClose;
                if (next != Absent && (ownClose == Absent || next < ownClose)) {
                    const QString message = QStringLiteral("Incomplete frame discarded: ") + text.left(next);
                    drop(next);
                    changed = report(text, [&] { handler.onMalformed(message); });
                    continue;
                }
            }
            if (text.size() > MaxPendingLength) {
                // Keep only a frame start that fits the bound.
                const qsizetype last = std::max(text.lastIndexOf(u'('), text.lastIndexOf(u'['));
                const qsizetype keep = last >= 0 && text.size() - last <= MaxPendingLength ? last : text.size();
                drop(keep);
                handler.onMalformed(
                    QStringLiteral("Receive text without a complete frame discarded (%1 characters)").arg(keep));
            }
            break;
        }

        if (close > open) {
            // A frame whose text holds an opening bracket of its own kind
            // lost its end: what follows the last opening bracket is the frame.
            const qsizetype inner = text.lastIndexOf(text.at(open), close);
            if (inner > open) {
                const QString message = QStringLiteral("Incomplete frame discarded: ") + text.mid(open, inner - open);
                drop(inner);
                changed = report(text, [&] { handler.onMalformed(message); });
                continue;
            }
        }

        // What follows the frame stays in text while the frame's handler
        // runs: a read inside the handler (one that waits lets the poll
        // cycle read again) is parsed at once, behind it and in order.
        const qsizetype next = close + 1;
        const qsizetype rest = text.size() - next;
        const qsizetype handled = rest >= 2 || (rest == 1 && isOpening(text.at(next))) ? next : text.size();

        if (close > open) {
            const QString frame = text.mid(open, close - open + 1);
            drop(handled);
            changed =
                report(text, [&] { handler.onFrame(unitFrame, frame, QStringView(frame).mid(1, frame.size() - 2)); });
        } else {
            // A closing bracket before its opening bracket is stray text of
            // a broken frame: it is skipped like a frame.
            const QString message = QStringLiteral("Stray text skipped: ") + text.left(close + 1);
            drop(handled);
            changed = report(text, [&] { handler.onMalformed(message); });
        }
    }
    // A long text leaves its room behind; the pending text is short.
    if (text.capacity() > 4 * MaxPendingLength)
        text.squeeze();
}

} // namespace unit
