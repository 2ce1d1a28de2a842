#include "testlists/ElectrodeSelection.h"

#include "config/IniKeys.h"
#include "config/Log.h"
#include "testlists/ElectrodeSelectionItems.h"
#include "testlists/StationTestLists.h"

namespace testlists {

namespace {

const QString kNone = QStringLiteral("None");
const QString kAllElectrodes = QStringLiteral("A1-P2");
constexpr int kElectrodes = TestStep::electrodeCount;

ElectrodeCheckBoxSource& checkBoxSource()
{
    static ElectrodeCheckBoxSource source;
    return source;
}

ElectrodeCheckBoxes defaultSelectionAsBoxes()
{
    ElectrodeCheckBoxes boxes;
    for (int i = 0; i < kElectrodes; ++i)
        boxes.append({Globals::DefaultElectrodeSelection.atIndex(i) ? Qt::Checked : Qt::Unchecked,
                      TestStep::findElectrodeNameByIndex(static_cast<qint16>(i))});
    return boxes;
}

void setDefaultFlag(int electrodeIndex)
{
    Globals::DefaultElectrodeSelection.set(electrodeIndex / 16 + 1, electrodeIndex % 16, true);
}

} // namespace

void setElectrodeCheckBoxSource(ElectrodeCheckBoxSource source)
{
    checkBoxSource() = std::move(source);
}

QString buildElectrodeString(bool fromDefaults)
{
    if (fromDefaults)
        return buildElectrodeString(defaultSelectionAsBoxes());
    if (!checkBoxSource()) {
        config::writeLog(QStringLiteral("BuildElectrodeString: no electrode check boxes"));
        return kNone;
    }
    return buildElectrodeString(checkBoxSource()());
}

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
        return kNone;
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

void loadDefaultElectrodes(const QString& settingsFile)
{
    const QString section = QStringLiteral("Electrodes");
    const QString key = QStringLiteral("Default");
    QString selection = config::iniRead(section, key, settingsFile);
    if (selection.isEmpty()) {
        selection = kAllElectrodes;
        config::iniWrite(section, key, selection, settingsFile);
    }
    // "None" leaves every flag off.
    applyElectrodeString(selection);
}

void applyElectrodeString(const QString& selection)
{
    Globals::DefaultElectrodeSelection.clear();
    if (selection == kNone)
        return;

    const bool understood =
        forEachElectrodeSelectionItem(selection, [](const QString& name, const std::optional<QString>& end) {
            if (name.size() < 2)
                return false;
            const int unit = name.at(1).unicode() - '0';
            if (unit != 1 && unit != 2)
                return false;
            const int index = TestStep::findElectrodeIndex(name);
            Globals::DefaultElectrodeSelection.set(unit, index % 16, true);
            if (end) {
                for (int i = index; i <= TestStep::findElectrodeIndex(*end); ++i)
                    setDefaultFlag(i);
            }
            return true;
        });
    if (!understood) {
        config::writeLog(QStringLiteral("Electrode selection \"%1\" names an unknown electrode; "
                                        "the test steps keep their selections")
                             .arg(selection));
        return;
    }
    for (const auto& step : Globals::ActiveTestList)
        step->setElectrodeString(selection);
}

} // namespace testlists
