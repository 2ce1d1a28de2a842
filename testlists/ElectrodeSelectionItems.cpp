#include "testlists/ElectrodeSelectionItems.h"

namespace testlists {

bool forEachElectrodeSelectionItem(const QString& selection, const ElectrodeSelectionItem& item)
{
    // The walk moves a position forward; the text is never copied.
    const qsizetype size = selection.size();
    qsizetype at = 0;
    while (at < size) {
        const QString name = selection.mid(at, 2);
        if (size - at < 3)
            return item(name, std::nullopt);
        at += 2;
        if (selection.at(at) == QLatin1Char('-')) {
            if (!item(name, selection.mid(at + 1, 2)))
                return false;
            at = size - at < 5 ? size : at + 4;
        } else {
            if (!item(name, std::nullopt))
                return false;
            if (selection.at(at) == QLatin1Char('.'))
                ++at;
        }
    }
    return true;
}

} // namespace testlists
