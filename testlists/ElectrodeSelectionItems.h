#pragma once
// The items of an electrode selection string, as both of its readers walk it
// (a step's own parser and the default selection's applyElectrodeString).
//
// Each item is the next two characters, a name; when "-" follows, the two
// characters after it are the run's end name and the one character after
// those is passed over; a "." after a single name is passed over. Nothing is
// checked here: the reader decides what a name means.

#include <QString>

#include <functional>
#include <optional>

// Calls item(name, end) for each item in order; end is empty for a single
// name. Returns false as soon as item returns false; "None" is not special
// here.
namespace testlists {

using ElectrodeSelectionItem = std::function<bool(const QString& name, const std::optional<QString>& end)>;
bool forEachElectrodeSelectionItem(const QString& selection, const ElectrodeSelectionItem& item);

} // namespace testlists
