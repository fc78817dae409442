// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ColMemo/ColorMemo.h"

#include <QTextDocument>

namespace mainform {

// Runs edits the user cannot take back. With the history switched off the
// change event already sees nothing to undo, and the history before the edit
// is gone, so undo never puts back a text that no longer fits.
template <typename Edit> void WithoutUndo(TColorMemo* memo, Edit edit) {
    QTextDocument* document = memo->document();
    document->setUndoRedoEnabled(false);
    edit();
    document->setUndoRedoEnabled(true);
}

} // namespace mainform
