#pragma once
// The lists of a ZAMO80-mode run, built from the operator's list: the run
// list, electrode by electrode, and the pace steps that run beside it.
//
// The run list starts with the open-circuit pre-check, one ACZ step on the
// default selection (parent id 1), as its selection string. Then each taking-part electrode of unit
// 1, in channel order, gets a copy of every step of the operator's list for
// that electrode alone (parent id: the step's position + 1), with a roller
// step (SGROLL) after each pace step while the roller is connected; then
// each electrode of unit 2 the same, without roller steps (the roller
// serves unit 1) and without a first step that is a pace step.
//
// When the operator's list begins with a pace step and pace steps may run
// side by side (SimultaneousTests 1 or more), that step goes instead into
// the pace list, one copy per taking-part electrode (parent id 2), and on
// unit 1 a roller step takes its place in the run list.
//
// Copies carry the type, count, electrode and pace fields of their step,
// nothing else. Nothing here fails; an empty operator list gives empty lists.

#include "testlists/TestStep.h"

#include <QList>
#include <QString>

#include <array>

namespace run {

struct ElectrodeTestLists {
    testlists::TestList expanded;
    testlists::TestList pace;
};

// defaultSelection: the default selection's string; takingPart: by
// electrode index 0..31, whether the electrode takes part (its unit
// connected, the channel present, selected by the first step).
ElectrodeTestLists buildElectrodeTestLists(const testlists::TestList& operatorList, const QString& defaultSelection,
                                           const std::array<bool, 32>& takingPart, bool rollerConnected,
                                           int simultaneousTests);

// Removes from the list every step that is not completed and selects one
// of the electrodes (indexes 0..31); the others keep their order.
void removeUncompletedStepsOf(testlists::TestList& list, const QList<qint16>& electrodes);

bool isPaceType(const QString& type);

} // namespace run
