// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Erklaerung/ExplanationTable.h"

#include <QByteArray>
#include <QStringList>

namespace erklaerung {

struct TLoadedTable {
    TExplanationTable Table;
    // One line per fault found in the data; the table then holds only the
    // entries without a fault.
    QStringList Errors;
};

// Reads the explanations from their JSON form (resources/erklaerungen/README.md
// describes it) and checks every entry: patterns in English and German, a
// text, and a value source for every placeholder of the text in both languages.
TLoadedTable LoadExplanationTable(const QByteArray& json);

} // namespace erklaerung
