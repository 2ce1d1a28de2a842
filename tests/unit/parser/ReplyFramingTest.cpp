// Framing of the received text: frames whole and split across reads, stray
// brackets, NULs, pending text and its bound.
#include "unit/ReplyFraming.h"

#include <QRegularExpression>
#include <QStringList>

#include <gmock/gmock.h>

namespace {

// Records what the framing hands on as "B:<text>", "U:<frame>", "C:<frame>", "E".
struct Recorder : unit::ReplyFraming::Handler {
    QStringList events;
    void onBuffer(const QString& text) override { events << "B:" + text; }
    void onFrame(bool unit, const QString& frame, QStringView inner) override
    {
        EXPECT_EQ(inner, QStringView(frame).mid(1, frame.size() - 2));
        events << (unit ? "U:" : "C:") + frame;
    }
    void onMalformed(const QString&) override { events << "E"; }
    QStringList frames() const { return events.filter(QRegularExpression("^[UC]:")); }
};

struct Case {
    const char* name;
    QStringList reads;  // read path, one entry per read
    QStringList frames; // expected frames, in order
    QString pending;    // expected pending text at the end
};

class FramingTable : public ::testing::TestWithParam<Case> {};

TEST_P(FramingTable, FramesAndPendingText)
{
    const Case& c = GetParam();
    QString pending;
    bool busy = false;
    unit::ReplyFraming framing(pending, busy);
    Recorder rec;
    for (const QString& read : c.reads)
        framing.feedRead(read, rec);
    EXPECT_EQ(rec.frames(), c.frames) << rec.events.join(" | ").toStdString();
    EXPECT_EQ(framing.pendingText(), c.pending);
}

const QChar nul(0);

INSTANTIATE_TEST_SUITE_P(
    reads, FramingTable,
    ::testing::Values(
        Case{"UnitThenChannel", {"[*](*)"}, {"U:[*]", "C:(*)"}, ""},
        Case{"ChannelThenUnit", {"(*)[*]"}, {"C:(*)", "U:[*]"}, ""},
        Case{"SplitAcrossReads", {"(GA2130,35", "93,0000,2175,1470*)"}, {"C:(GA2130,3593,0000,2175,1470*)"}, ""},
        Case{"NulsStripped", {QString("(") + nul + "*)" + nul + nul}, {"C:(*)"}, ""},
        Case{"OneCharacterAfterFrameDropped", {"(*)x"}, {"C:(*)"}, ""},
        Case{"TwoCharactersWithoutBracketWait", {"(*)xy"}, {"C:(*)"}, "xy"},
        Case{"OpeningBracketAfterFrameKept", {"(*)(", "!)"}, {"C:(*)", "C:(!)"}, ""},
        Case{"SquareOpeningAfterFrameKept", {"(*)[", "*]"}, {"C:(*)", "U:[*]"}, ""},
        Case{"StrayClosingBracketSkipped", {"x)(*)"}, {"C:(*)"}, ""},
        Case{"StrayTextBeforeFrame", {"junk[F1100000000000001]"}, {"U:[F1100000000000001]"}, ""},
        Case{"UnitFrameCutByChannelFrame", {"[ab(*)cd]"}, {"C:(*)"}, "cd]"},
        Case{"UnresolvedUnitFrameRecovers", {"[ab(*", ")", "[*]"}, {"C:(*)", "U:[*]"}, ""},
        Case{"ChannelFrameCutByUnitFrame", {"(GA21[*]30)", "(!)"}, {"U:[*]", "C:(!)"}, ""},
        Case{"SameKindRestartsFrame", {"(GA21(*)"}, {"C:(*)"}, ""},
        Case{"IncompleteFrameWaits", {"(GA2130"}, {}, "(GA2130"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Framing, RaisesBufferTextAtEveryPassBeforeItsFrame)
{
    QString pending;
    bool busy = false;
    unit::ReplyFraming framing(pending, busy);
    Recorder rec;
    framing.feedRead("[*](*)", rec);
    EXPECT_EQ(rec.events, QStringList({"B:[*](*)", "U:[*]", "B:(*)", "C:(*)"}));
}

// A handler that waits lets the poll cycle read again: that read is framed
// at once behind the text not yet parsed, and the running pass goes on with
// what it leaves, wherever its brackets now stand.
TEST(Framing, AReadWhileAFrameIsHandledIsFramedAtOnceBehindTheRest)
{
    struct Reading : Recorder {
        QString pending;
        bool busy = false;
        void onFrame(bool unit, const QString& frame, QStringView inner) override
        {
            Recorder::onFrame(unit, frame, inner);
            if (frame == "(a)")
                unit::ReplyFraming(pending, busy).feedRead("(c)zz", *this);
        }
    } rec;
    unit::ReplyFraming(rec.pending, rec.busy).feedRead("(a)xx[b]", rec);
    EXPECT_EQ(rec.events,
              QStringList({"B:(a)xx[b]", "C:(a)", "B:xx[b](c)zz", "U:[b]", "B:(c)zz", "C:(c)", "B:zz", "B:zz"}));
    EXPECT_EQ(rec.pending, "zz");
}

TEST(Framing, GivenTextIsParsedAloneAndDropsPendingText)
{
    QString pending;
    bool busy = false;
    unit::ReplyFraming framing(pending, busy);
    Recorder rec;
    framing.feedRead("(GA21", rec);
    ASSERT_EQ(framing.pendingText(), "(GA21");
    framing.feedText("30*)(*)", rec);
    EXPECT_EQ(rec.frames(), QStringList({"C:(*)"}));
    EXPECT_EQ(framing.pendingText(), "");
}

TEST(Framing, PendingTextIsBoundedAndResynchronisesAtTheNextFrame)
{
    QString pending;
    bool busy = false;
    unit::ReplyFraming framing(pending, busy);
    Recorder rec;
    framing.feedRead("(GA", rec);
    for (int i = 0; i < 100; ++i)
        framing.feedRead(QString(50, u'7'), rec);
    EXPECT_LE(framing.pendingText().size(), unit::ReplyFraming::MaxPendingLength);
    EXPECT_TRUE(rec.events.contains("E"));
    rec.events.clear();
    framing.feedRead("(*)", rec);
    EXPECT_EQ(rec.frames(), QStringList({"C:(*)"}));
}

TEST(Framing, OverflowKeepsAFrameStartThatFits)
{
    QString pending;
    bool busy = false;
    unit::ReplyFraming framing(pending, busy);
    Recorder rec;
    framing.feedRead(QString(3000, u'x') + "(GA21", rec);
    EXPECT_EQ(pending, "(GA21");
    framing.feedRead("30*)", rec);
    EXPECT_EQ(rec.frames(), QStringList({"C:(GA2130*)"}));
}

TEST(Framing, stripNulls)
{
    EXPECT_EQ(unit::ReplyFraming::stripNulls(""), "");
    EXPECT_EQ(unit::ReplyFraming::stripNulls(QString("a") + nul + "b" + nul), "ab");
}

} // namespace
