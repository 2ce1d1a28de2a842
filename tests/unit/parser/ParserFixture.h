#pragma once
// A unit link component without any device, a receive parser over it, and a
// recorder of every event the component raises, in order.

#include "unit/ReplyParser.h"
#include "unit/UnitLink.h"

#include <gmock/gmock.h>

#include <QMetaMethod>
#include <QSignalSpy>
#include <QVariantList>

#include <map>
#include <memory>
#include <vector>

// Reaches the component's model flags, which only an open sequence sets.
struct UsbCommTestAccess {
    static void SetModel(ctlZAMOUsbComm& c, bool zamo80, bool zamo24)
    {
        c.pIsZAMO80 = zamo80;
        c.pIsZAMO24 = zamo24;
    }
    static double Temperature(const ctlZAMOUsbComm& c) { return c.pTemperature; }
    static double Neg5V(const ctlZAMOUsbComm& c) { return c.pNeg5V; }
    static double VCC(const ctlZAMOUsbComm& c) { return c.pVCC; }
    static const QString& PendingText(const ctlZAMOUsbComm& c) { return c.PendingText; }
};

enum class Model { Base, Zamo80, Zamo24 };

// One raised event: its name and its arguments after the unit index.
struct Event {
    QString name;
    QVariantList args;
};

class EventRecorder : public QObject {
    Q_OBJECT
public:
    explicit EventRecorder(ctlZAMOUsbComm& comm);
    std::vector<Event> events;
    // The events without RXData and RXDataInBuffer.
    std::vector<Event> Replies() const;

private slots:
    void Hit();

private:
    std::map<int, std::unique_ptr<QSignalSpy>> m_spies;
};

// Events are equal when names and arguments match; Doubles to a relative
// tolerance of 1e-6 (NaN matches NaN, infinities by sign).
::testing::AssertionResult SameEvents(const std::vector<Event>& actual, const std::vector<Event>& expected);

class ParserFixture : public ::testing::Test {
protected:
    ctlZAMOUsbComm comm{1};
    ReceiveParser parser{comm};
    EventRecorder recorder{comm};

    void SetModel(Model m) { UsbCommTestAccess::SetModel(comm, m == Model::Zamo80, m == Model::Zamo24); }
    // Reply events of one channel frame given as text to channel ch.
    std::vector<Event> Decode(const QString& frame, qint16 ch = 0)
    {
        parser.AttributeTo(ch);
        recorder.events.clear();
        parser.ParseText(frame);
        return recorder.Replies();
    }
};
