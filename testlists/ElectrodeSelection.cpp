#include "testlists/ElectrodeSelection.h"

#include "testlists/TestStep.h"

namespace testlists {

namespace {

constexpr int kElectrodes = TestStep::electrodeCount;

} // namespace

QString buildElectrodeString(const ElectrodeCheckBoxes& boxes)
{
    QString text;
    QString runFirst;
    QString previous;
    for (int i = 0; i < kElectrodes; ++i) {
        const ElectrodeCheckBox box = i < boxes.size() ? boxes.at(i) : ElectrodeCheckBox{};
        const QString& name = box.toolTip;
        const bool selected = box.state != Qt::Unchecked;
        const bool runOpen = text.endsWith(QLatin1Char('-'));
        if (selected && !runOpen) {
            text += name;
            runFirst = name;
            if (i != kElectrodes - 1)
                text += QLatin1Char('-');
        } else if (selected) {
            if (i == kElectrodes - 1)
                text += name;
        } else if (runOpen) {
            if (previous == runFirst)
                text.chop(1);
            else
                text += previous;
            text += QLatin1Char('.');
        }
        previous = name;
    }
    if (text.isEmpty())
        return QStringLiteral("None");
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

} // namespace testlists
