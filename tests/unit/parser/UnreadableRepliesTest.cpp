// A reply that holds a field that does not convert, or that ends before a
// field it needs, is never delivered as a value: a test reading becomes an
// unreadable reading (bad data for the run), every other reply nothing.
// Each good frame below is spoiled in every character of every numeric field
// and cut short before each field.
#include "ParserFixture.h"

#include <optional>

namespace {

using unit::ReadingKind;

struct Frame {
    Model model;
    QString frame;
    // The inner text's characters before the first field ("GA", "GN1", "MC0", "D").
    int header;
    // A test reading: its kind and the zamo80 flag it carries. Nothing: the
    // reply is not a test reading and must make no event.
    std::optional<ReadingKind> kind;
    bool zamo80 = false;
    // The last run of digits is text (a firmware version), not a number.
    bool lastIsText = false;
};

// 1-based positions in the inner text of the numeric fields: runs of digits
// and signs after the header.
std::vector<std::pair<int, int>> numericFields(const Frame& f)
{
    const QString inner = f.frame.mid(1, f.frame.size() - 2);
    std::vector<std::pair<int, int>> fields;
    for (int i = f.header; i < inner.size();) {
        if (!inner[i].isDigit() && inner[i] != u'-') {
            ++i;
            continue;
        }
        const int start = i;
        while (i < inner.size() && (inner[i].isDigit() || inner[i] == u'-'))
            ++i;
        fields.emplace_back(start + 1, i - start);
    }
    if (f.lastIsText && !fields.empty())
        fields.pop_back();
    return fields;
}

const std::vector<Frame> kFrames = {
    // Test readings, every model that sends them.
    {Model::Base, "(GA2130,3593,0000,2175,1470*)", 2, ReadingKind::Acz, false},
    {Model::Zamo80, "(GA2130,3593,0000,2175,1470*)", 2, ReadingKind::Acz, true},
    {Model::Zamo24, "(GA2130,3593,0000,2175,1470*)", 2, ReadingKind::Acz, true},
    {Model::Zamo80, "(Ga2130,3593,0000,2175,0000*)", 2, ReadingKind::Acz30, true},
    {Model::Zamo24, "(Ga2130,3593,0000,2175,0000*)", 2, ReadingKind::Acz30, true},
    {Model::Zamo80, "(GT2130,3593*)", 2, ReadingKind::Aclg, true},
    {Model::Zamo24, "(Gt0064,0076,3034,2749,1310,1205*)", 2, ReadingKind::Zamo24Aclg, true},
    {Model::Zamo80, "(GR2022,2513,7492,0008,2031,1222,0060*)", 2, ReadingKind::DefibRecovery, true},
    {Model::Zamo24, "(GR2022,2513,7492,0008,2031,1222,0060*)", 2, ReadingKind::DefibRecovery, true},
    {Model::Base, "(GN12182,3386,0212,2208,2881,0360*)", 3, ReadingKind::Noise, false},
    {Model::Zamo80, "(GN12182,3386,0212,2208,2881,0360*)", 3, ReadingKind::Noise, true},
    {Model::Zamo80, "(Gd12022,2513,7492,0008,2031,0060*)", 3, ReadingKind::Dco, true},
    {Model::Base, "(GD12022,2513,2031,0060*)", 3, ReadingKind::Dco, false},
    {Model::Base, "(GB02022,2513,2046,2054,0001,0030*)", 3, ReadingKind::Bias, false},
    {Model::Base, "(GB12022,2513,2046,2054,0005,0001,0030*)", 3, ReadingKind::Bias, false},
    {Model::Base, "(GS2046,2536,0001,0001,2169,2143,2131,2122,0035*)", 2, ReadingKind::Sdr, false},
    // Test replies that are not judged.
    {Model::Base, "(GN00212*)", 3, std::nullopt},
    {Model::Base, "(GN00212,0300,0100,0030!)", 3, std::nullopt},
    {Model::Base, "(GN22182,3386,0212*)", 3, std::nullopt},
    {Model::Zamo80, "(Gd02022,2513,7492,0008,2031*)", 3, std::nullopt},
    {Model::Base, "(GD02022,2513,2031*)", 3, std::nullopt},
    {Model::Zamo80, "(Gd20008)", 3, std::nullopt},
    // Calibration-board replies.
    {Model::Base, "(mR11000,2000)", 3, std::nullopt},
    {Model::Base, "(mR312345,-1234)", 3, std::nullopt},
    {Model::Base, "(mR53000,0500)", 3, std::nullopt},
    {Model::Base, "(mP100001,99999)", 3, std::nullopt},
    {Model::Base, "(gA11000)", 3, std::nullopt},
    {Model::Base, "(gD216384,10000)", 3, std::nullopt},
    {Model::Base, "(gN316384,05000)", 3, std::nullopt},
    {Model::Base, "(gB10500)", 3, std::nullopt},
    {Model::Base, "(gS116384,10000)", 3, std::nullopt},
    {Model::Base, "(gS2123)", 3, std::nullopt},
    {Model::Base, "(gR116384,10000)", 3, std::nullopt},
    {Model::Base, "(gR216384,10000)", 3, std::nullopt},
    // Channel settings and counters.
    {Model::Base, "(MC000001,00002,00003,00004,00005,00006,99999)", 3, std::nullopt},
    {Model::Base, "(MD12024,03,15)", 3, std::nullopt},
    {Model::Base, "(MR11000,2000,3000)", 3, std::nullopt},
    {Model::Zamo80, "(Mr01000,2000,3000,4000)", 3, std::nullopt},
    {Model::Zamo80, "(MP10010,0020,0900,0800)", 3, std::nullopt},
    {Model::Zamo24, "(Mp11234,5678,1234,5678,1000,0700)", 3, std::nullopt},
    {Model::Base, "(Md10750)", 3, std::nullopt},
    // The unit's diagnostics.
    {Model::Base, "[D0629,0234,0362,0362,0174,1,1,1,01010]", 1, std::nullopt, false, true},
    {Model::Zamo80, "[d0629,0234,0362,0362,0174,0100,1,0,01010]", 1, std::nullopt, false, true},
};

class UnreadableReplies : public ParserFixture {
protected:
    // What a refused reply must give: nothing, or an unreadable reading of
    // the frame's test with the marker as it stands.
    std::vector<Event> refused(const Frame& f, bool completed) const
    {
        if (!f.kind)
            return {};
        return {{"unreadable", {5, int(*f.kind), completed, f.zamo80}}};
    }
};

TEST_F(UnreadableReplies, EveryFrameIsAReplyAsItStands)
{
    for (const Frame& f : kFrames) {
        setModel(f.model);
        const std::vector<Event> events = decode(f.frame, 5);
        ASSERT_FALSE(events.empty()) << f.frame.toStdString();
        EXPECT_NE(events.back().name, "unreadable") << f.frame.toStdString();
        EXPECT_FALSE(numericFields(f).empty()) << f.frame.toStdString();
    }
}

TEST_F(UnreadableReplies, ALetterInAnyFieldIsNeverAReading)
{
    for (const Frame& f : kFrames) {
        setModel(f.model);
        const bool completed = f.frame.contains(u'*');
        for (const auto& [pos, width] : numericFields(f)) {
            for (int at = pos; at < pos + width; ++at) {
                QString spoiled = f.frame;
                spoiled[at] = u'x'; // the frame's position is the inner text's plus one
                EXPECT_TRUE(sameEvents(decode(spoiled, 5), refused(f, completed))) << spoiled.toStdString();
            }
        }
    }
}

TEST_F(UnreadableReplies, AReplyCutShortBeforeAFieldIsNeverAReading)
{
    for (const Frame& f : kFrames) {
        setModel(f.model);
        // Cut short, the marker is gone.
        const bool completed = false;
        for (const auto& [pos, width] : numericFields(f)) {
            const QString cut = f.frame.left(pos) + f.frame.back();
            EXPECT_TRUE(sameEvents(decode(cut, 5), refused(f, completed))) << cut.toStdString();
        }
    }
}

} // namespace

namespace {

// The ACZ30 zero's value is never used: garbled or cut short, the reply still
// ends the zero routine on its channel, only without its value, and the
// frame is logged.
TEST_F(ParserFixture, AnUnreadableAcz30ZeroStillEndsTheZeroRoutine)
{
    setModel(Model::Zamo80);
    EXPECT_TRUE(sameEvents(decode("(Gz0123)", 5), {{"rxacz30ZeroTestData", {5, 123}}}));
    for (const char* frame : {"(Gz01x3)", "(Gz)"})
        EXPECT_TRUE(sameEvents(decode(frame, 5), {{"rxacz30ZeroTestData", {5}}})) << frame;
}

} // namespace
