#include "song/Transfer.h"

namespace tw {

int transfernumber = 0;
char transferstring[kTransferStringSize] = {};

}  // namespace tw
