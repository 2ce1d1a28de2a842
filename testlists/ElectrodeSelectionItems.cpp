#include "testlists/ElectrodeSelectionItems.h"

namespace testlists {

bool forEachElectrodeSelectionItem(const QString& selection, const ElectrodeSelectionItem& item)
{
    QString s = selection;
    while (!s.isEmpty()) {
        const QString name = s.left(2);
        if (s.size() < 3) {
            return item(name, std::nullopt);
        }
        s = s.mid(2);
        if (s.startsWith(QLatin1Char('-'))) {
            if (!item(name, s.mid(1, 2)))
                return false;
            s = s.size() < 5 ? QString() : s.mid(4);
        } else {
            if (!item(name, std::nullopt))
                return false;
            if (s.startsWith(QLatin1Char('.')))
                s = s.mid(1);
        }
    }
    return true;
}

} // namespace testlists
