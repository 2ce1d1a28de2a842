#include "ParserFixture.h"

#include <cmath>

EventRecorder::EventRecorder(ctlZAMOUsbComm& comm)
{
    const QMetaObject* mo = comm.metaObject();
    const int hit = metaObject()->indexOfSlot("Hit()");
    for (int i = QObject::staticMetaObject.methodCount(); i < mo->methodCount(); ++i) {
        const QMetaMethod m = mo->method(i);
        // Events of the unit carry its index first; the view's own
        // notification does not.
        if (m.methodType() != QMetaMethod::Signal || m.parameterNames().value(0) != "Index")
            continue;
        m_spies[i] = std::make_unique<QSignalSpy>(&comm, m);
        QObject::connect(&comm, m, this, metaObject()->method(hit));
    }
}

void EventRecorder::Hit()
{
    const int index = senderSignalIndex();
    QSignalSpy& spy = *m_spies.at(index);
    QVariantList args = spy.takeFirst();
    EXPECT_EQ(args.value(0).toInt(), 1) << "unit index";
    args.removeFirst();
    events.push_back({QString::fromLatin1(sender()->metaObject()->method(index).name()), args});
}

std::vector<Event> EventRecorder::Replies() const
{
    std::vector<Event> out;
    for (const Event& e : events)
        if (e.name != "RXData" && e.name != "RXDataInBuffer")
            out.push_back(e);
    return out;
}

namespace {

QString Show(const Event& e)
{
    QStringList parts;
    for (const QVariant& v : e.args)
        parts << (v.typeId() == QMetaType::Double ? QString::number(v.toDouble(), 'g', 10) : v.toString());
    return e.name + "(" + parts.join(", ") + ")";
}

QString Show(const std::vector<Event>& events)
{
    QStringList lines;
    for (const Event& e : events)
        lines << Show(e);
    return lines.join("\n  ");
}

bool SameValue(const QVariant& a, const QVariant& e)
{
    if (e.typeId() == QMetaType::Double || a.typeId() == QMetaType::Double) {
        const double x = a.toDouble(), y = e.toDouble();
        if (std::isnan(y))
            return std::isnan(x);
        if (std::isinf(y) || y == 0)
            return x == y;
        return std::fabs(x - y) <= 1e-6 * std::fabs(y);
    }
    if (e.typeId() == QMetaType::Bool)
        return a.typeId() == QMetaType::Bool && a.toBool() == e.toBool();
    if (e.typeId() == QMetaType::QString)
        return a.toString() == e.toString();
    return a.toLongLong() == e.toLongLong();
}

} // namespace

::testing::AssertionResult SameEvents(const std::vector<Event>& actual, const std::vector<Event>& expected)
{
    bool same = actual.size() == expected.size();
    for (std::size_t i = 0; same && i < actual.size(); ++i) {
        same = actual[i].name == expected[i].name && actual[i].args.size() == expected[i].args.size();
        for (qsizetype j = 0; same && j < actual[i].args.size(); ++j)
            same = SameValue(actual[i].args[j], expected[i].args[j]);
    }
    if (same)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "\nactual:\n  " << Show(actual).toStdString() << "\nexpected:\n  "
                                         << Show(expected).toStdString();
}

#include "moc_ParserFixture.cpp"
