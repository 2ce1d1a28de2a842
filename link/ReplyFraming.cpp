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

void ReplyFraming::FeedRead(const QString& received, Handler& handler)
{
    Parse(pending_ + received, handler);
}

void ReplyFraming::FeedText(const QString& text, Handler& handler)
{
    Parse(text, handler);
}

void ReplyFraming::Parse(QString work, Handler& handler)
{
    work = StripNulls(work);
    while (!work.isEmpty()) {
        handler.OnBuffer(work);
        pending_.clear();

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
                handler.OnMalformed(QStringLiteral("Receive text without a complete frame discarded (%1 characters)")
                                    .arg(work.size()));
                return;
            }
            pending_ = work;
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
