#pragma once

namespace tw {

inline constexpr int kTransferStringSize = 70;

// The value handed into and out of the small entry dialogs: the caller
// stores the dialog's mode or starting text, runs it, and on OK reads what
// the dialog left here.
extern int transfernumber;
extern char transferstring[kTransferStringSize];

}  // namespace tw
