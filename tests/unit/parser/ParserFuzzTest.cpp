// Random and mutated replies, fed in random pieces: the parser must not
// crash or hang, must keep its pending text bounded, must report channel
// replies only for channels 0..15 and must not touch a channel record for a
// reply addressed beyond them.
#include "ParserFixture.h"

#include <QRandomGenerator>

namespace {

const QStringList ValidFrames = {"(GA2130,3593,0000,2175,1470*)",
                                 "(Ga2130,3593,0000,2175,0000*)",
                                 "(GT2130,3593*)",
                                 "(GT0)",
                                 "(Gt0064,0076,3034,2749,1310,1205*)",
                                 "(Gt0)",
                                 "(GR2022,2513,7492,0008,2031,1222,0060*)",
                                 "(GR0)",
                                 "(GN00212*)",
                                 "(GN00212,0300,0100,0030!)",
                                 "(GN12182,3386,0212,2208,2881,0360*)",
                                 "(GN20100,0200,0300*)",
                                 "(Gd02022,2513,7492,0008,2031!)",
                                 "(Gd12022,2513,7492,0008,2031,0060*)",
                                 "(Gd20012)",
                                 "(GD02022,2513,2031*)",
                                 "(GD12022,2513,2031,0060*)",
                                 "(GB02022,2513,2046,2054,0001,0030*)",
                                 "(GB12022,2513,2046,2054,0007,0001,0030*)",
                                 "(GS2046,2536,0001,0001,2169,2143,2131,2122,0035*)",
                                 "(GP1*)",
                                 "(Gp1!)",
                                 "(Gz0123)",
                                 "(*)",
                                 "(!)",
                                 "(RB0x1F)",
                                 "(RTC255)",
                                 "(MC000001,00002,00003,00004,00005,00006,00007)",
                                 "(MD12024,03,15)",
                                 "(MV100101)",
                                 "(MS1AB123)",
                                 "(MR11000,2000,3000,4000)",
                                 "(MP10010,0020,0900,0800)",
                                 "(Mp11234,5678,1234,5678,1000,0700)",
                                 "(Md10750)",
                                 "(mV100203)",
                                 "(mS1CB001)",
                                 "(mR11000,2000)",
                                 "(mR312345,-1234)",
                                 "(mR53000,0500)",
                                 "(mP100001,99999)",
                                 "(gA11000)",
                                 "(gD216384,10000)",
                                 "(gN316384,05000)",
                                 "(gB10500)",
                                 "(gS116384,10000)",
                                 "(gS21234)",
                                 "(gR116384,10000)",
                                 "(gR216384,10000)",
                                 "[*]",
                                 "[RTA17]",
                                 "[RC017]",
                                 "[D0629,0234,0362,0362,0174,1,1,1,01010]",
                                 "[d0629,0234,0362,0362,0174,0100,1,0,01010]",
                                 "[F1100000000000001]",
                                 "[L0]",
                                 "[L1]"};

const QString Alphabet = QStringLiteral("()[]()[]GgMmADdNRTtSBPpzaCcVr0123456789,,*!-. xX");

struct Snapshot {
    QString serial, firmware;
    double date, pace[6];
    bool operator==(const Snapshot&) const = default;
};

Snapshot take(const unit::ChannelRecord& e)
{
    return {e.serialNumber(),
            e.firmwareVersion(),
            e.calibrationDate().value,
            {e.zamo24Pace1Amplitude(), e.zamo24Pace1PulseWidth(), e.zamo24Pace1BPM(), e.zamo24Pace2Amplitude(),
             e.zamo24Pace2PulseWidth(), e.zamo24Pace2BPM()}};
}

class ParserFuzz : public ParserFixture {
protected:
    QRandomGenerator rng{20261210};

    int below(int n) { return int(rng.bounded(n)); }

    QString randomText(int maxLength)
    {
        QString s;
        const int n = below(maxLength + 1);
        for (int i = 0; i < n; ++i)
            s += below(20) == 0 ? QChar(below(256)) : Alphabet.at(below(Alphabet.size()));
        return s;
    }

    QString mutated(QString frame)
    {
        for (int m = below(4); m > 0; --m) {
            const int at = below(frame.size() + 1);
            switch (below(5)) {
            case 0: frame.insert(at, Alphabet.at(below(Alphabet.size()))); break;
            case 1:
                if (at < frame.size())
                    frame[at] = Alphabet.at(below(Alphabet.size()));
                break;
            case 2: frame.remove(at, 1); break;
            case 3: frame.truncate(at); break;
            default: frame.insert(at, QChar(0)); break;
            }
        }
        return frame;
    }

    QString randomStream()
    {
        QString s;
        for (int parts = 1 + below(6); parts > 0; --parts) {
            switch (below(3)) {
            case 0: s += ValidFrames.at(below(ValidFrames.size())); break;
            case 1: s += mutated(ValidFrames.at(below(ValidFrames.size()))); break;
            default: s += randomText(40); break;
            }
        }
        return s;
    }
};

TEST_F(ParserFuzz, RandomAndMutatedRepliesStayInBounds)
{
    for (int round = 0; round < 20000; ++round) {
        setModel(Model(below(3)));
        const qint16 channel = qint16(below(44) - 4); // -4..39
        parser.attributeTo(channel);
        const bool outside = channel < 0 || channel > 15;
        std::vector<Snapshot> before;
        for (int ch = 0; ch < 16; ++ch)
            before.push_back(take(*comm.channels().electrode(ch)));

        recorder.events.clear();
        QString stream = randomStream();
        if (below(4) == 0) {
            parser.parseText(stream);
        } else {
            while (!stream.isEmpty()) { // the stream arrives in random pieces
                const int piece = 1 + below(stream.size());
                parser.parseRead(stream.left(piece).toLatin1());
                stream.remove(0, piece);
            }
        }

        ASSERT_LE(UnitLinkTestAccess::pendingText(comm).size(), unit::ReplyFraming::MaxPendingLength);
        for (const Event& e : recorder.replies()) {
            if (!e.args.isEmpty() && e.name != "rxMasterFoundChannels" && e.name != "hardwareStatus"
                && !e.name.startsWith("rxMaster")) {
                ASSERT_FALSE(outside) << e.name.toStdString() << " for channel " << channel;
                const int ch = e.args.at(0).toInt();
                ASSERT_TRUE(ch >= 0 && ch <= 15) << e.name.toStdString();
            }
        }
        if (outside) {
            for (int ch = 0; ch < 16; ++ch)
                ASSERT_TRUE(take(*comm.channels().electrode(ch)) == before[ch]) << "record " << ch << " written";
        }
    }
}

// Text that never completes a frame is dropped at the bound; the next frame
// after it is decoded again.
TEST_F(ParserFuzz, EndlessBrokenFrameDoesNotBlockLaterReplies)
{
    parser.parseRead("[d0629(");
    for (int i = 0; i < 200; ++i)
        parser.parseRead(QByteArray(64, '5'));
    ASSERT_LE(UnitLinkTestAccess::pendingText(comm).size(), unit::ReplyFraming::MaxPendingLength);
    recorder.events.clear();
    parser.parseRead("(*)");
    EXPECT_TRUE(sameEvents(recorder.replies(), {{"rxIdle", {0}}}));
}

} // namespace
