// SPDX-License-Identifier: GPL-3.0-or-later
#include "DosCall/Cancel.h"

namespace doscall {

void TCancel::Cancel() {
    if (Done)
        return;
    Done = true;
    emit Cancelled();
}

} // namespace doscall
