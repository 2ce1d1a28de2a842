#include "testlists/StationTestLists.h"

#include "config/IniKeys.h"
#include "config/Log.h"
#include "testlists/ElectrodeSelectionItems.h"

namespace testlists {

namespace {

const QString kNone = QStringLiteral("None");
const QString kAllElectrodes = QStringLiteral("A1-P2");
constexpr int kElectrodes = TestStep::electrodeCount;

ElectrodeCheckBoxes selectionAsBoxes(const ElectrodeFlags& selection)
{
    ElectrodeCheckBoxes boxes;
    for (int i = 0; i < kElectrodes; ++i)
        boxes.append({selection.atIndex(i) ? Qt::Checked : Qt::Unchecked,
                      TestStep::findElectrodeNameByIndex(static_cast<qint16>(i))});
    return boxes;
}

void setFlag(ElectrodeFlags& selection, int electrodeIndex)
{
    selection.set(electrodeIndex / 16 + 1, electrodeIndex % 16, true);
}

} // namespace

void StationTestLists::setElectrodeCheckBoxSource(ElectrodeCheckBoxSource source)
{
    m_checkBoxSource = std::move(source);
}

QString StationTestLists::buildElectrodeString(bool fromDefaults) const
{
    if (fromDefaults)
        return testlists::buildElectrodeString(selectionAsBoxes(defaultSelection));
    if (!m_checkBoxSource) {
        config::writeLog(QStringLiteral("BuildElectrodeString: no electrode check boxes"));
        return kNone;
    }
    return testlists::buildElectrodeString(m_checkBoxSource());
}

void StationTestLists::loadDefaultElectrodes(const QString& settingsFile)
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

void StationTestLists::applyElectrodeString(const QString& selection)
{
    defaultSelection.clear();
    if (selection == kNone)
        return;

    const bool understood =
        forEachElectrodeSelectionItem(selection, [this](const QString& name, const std::optional<QString>& end) {
            if (name.size() < 2)
                return false;
            const int unit = name.at(1).unicode() - '0';
            if (unit != 1 && unit != 2)
                return false;
            const int index = TestStep::findElectrodeIndex(name);
            defaultSelection.set(unit, index % 16, true);
            if (end) {
                for (int i = index; i <= TestStep::findElectrodeIndex(*end); ++i)
                    setFlag(defaultSelection, i);
            }
            return true;
        });
    if (!understood) {
        config::writeLog(QStringLiteral("Electrode selection \"%1\" names an unknown electrode; "
                                        "the test steps keep their selections")
                             .arg(selection));
        return;
    }
    for (const auto& step : active)
        step->setElectrodeString(selection);
}

} // namespace testlists
