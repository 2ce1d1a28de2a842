#pragma once
// A unit link component without any device, its reply parser fed directly,
// and a recorder of every event the component raises, in order; a reading
// struct is recorded as its values, in the order of its fields.

#include "unit/UnitLink.h"

#include <QVariantList>

#include <gmock/gmock.h>

#include <vector>

// Reaches the component's model, which only an open sequence sets, and its
// protocol and reply handler, which only the port feeds.
struct UnitLinkTestAccess {
    static void setModel(unit::UnitLink& c, unit::UnitModel model) { c.m_state.setModel(model); }
    static double temperature(const unit::UnitLink& c) { return c.m_state.diagnostics().temperature; }
    static const QString& pendingText(const unit::UnitLink& c) { return c.m_protocol.pendingText(); }
    static unit::UnitProtocol& protocol(unit::UnitLink& c) { return c.m_protocol; }
    static unit::UnitReplySink& replies(unit::UnitLink& c) { return c.m_replies; }
};

// The component's receive path without the port: bytes of a read, or text
// given whole, as the port would hand them over.
class LinkParser {
public:
    explicit LinkParser(unit::UnitLink& comm) : m_comm(comm) {}
    void parseRead(const QByteArray& received)
    {
        UnitLinkTestAccess::protocol(m_comm).parseRead(received, UnitLinkTestAccess::replies(m_comm));
    }
    void parseText(const QString& text)
    {
        UnitLinkTestAccess::protocol(m_comm).parseText(text, UnitLinkTestAccess::replies(m_comm));
    }
    void attributeTo(qint16 channel) { UnitLinkTestAccess::protocol(m_comm).attributeTo(channel); }

private:
    unit::UnitLink& m_comm;
};

enum class Model { Base, Zamo80, Zamo24 };

// One raised event: its name and its arguments after the unit index.
struct Event {
    QString name;
    QVariantList args;
};

// Every reply is recorded under the name of its kind (rxaczTestData for an
// ACZ reading, rxData for a frame, rxDataInBuffer for the text of a pass).
class EventRecorder : public QObject {
public:
    explicit EventRecorder(unit::UnitLink& comm);
    std::vector<Event> events;
    // The events without rxData and rxDataInBuffer.
    std::vector<Event> replies() const;
};

// Events are equal when names and arguments match; Doubles to a relative
// tolerance of 1e-6 (NaN matches NaN, infinities by sign).
::testing::AssertionResult sameEvents(const std::vector<Event>& actual, const std::vector<Event>& expected);

class ParserFixture : public ::testing::Test {
protected:
    unit::UnitLink comm{1};
    LinkParser parser{comm};
    EventRecorder recorder{comm};

    void setModel(Model m)
    {
        UnitLinkTestAccess::setModel(comm, unit::unitModelOf(m == Model::Zamo80, m == Model::Zamo24));
    }
    // Reply events of one channel frame given as text to channel ch.
    std::vector<Event> decode(const QString& frame, qint16 ch = 0)
    {
        parser.attributeTo(ch);
        recorder.events.clear();
        parser.parseText(frame);
        return recorder.replies();
    }
};
