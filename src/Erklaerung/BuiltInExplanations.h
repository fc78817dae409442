// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Datei/JavacMessage.h"
#include "Erklaerung/Explanation.h"
#include "Erklaerung/ExplanationTable.h"

#include <QByteArray>

namespace erklaerung {

// The explanations compiled into the program, as their data file holds them
// (resources/erklaerungen/erklaerungen.json).
QByteArray BuiltInData();

// The table made from that data, loaded on first use and kept. An entry
// with a fault is left out (the tests make sure there is none).
const TExplanationTable& BuiltInTable();

// What the window shows for `message`: its explanation, or javac's own text
// and detail lines when no entry explains it.
TExplanation Explain(const datei::TJavacMessage& message);

} // namespace erklaerung
