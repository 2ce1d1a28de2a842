#pragma once
// The default test lists: standard.tsq and standard80.tsq are written when
// missing and read at every start into the standard lists.

namespace modMain {

void BuildDefaultSequenceFiles();

} // namespace modMain
