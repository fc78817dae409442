// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace erklaerung {

// The name of `known` that `name` most likely is a slip of: one that differs
// only in upper and lower case, or by one typed character too many, too few,
// wrong or swapped with its neighbour (two such slips for names longer than
// five characters). Empty when none is that close, or when `name` is itself
// one of them. Ties go to the earlier name of `known`.
QString SimilarName(const QString& name, const QStringList& known);

} // namespace erklaerung
