// SPDX-License-Identifier: GPL-3.0-or-later
#include "Erklaerung/BuiltInExplanations.h"

#include "Erklaerung/ExplanationLoader.h"

#include <QFile>

// Resources of a static library must be registered by hand, outside any namespace.
static void RegisterExplanations() {
    Q_INIT_RESOURCE(erklaerungen);
}

namespace erklaerung {

QByteArray BuiltInData() {
    RegisterExplanations();
    QFile file(QStringLiteral(":/erklaerungen/erklaerungen.json"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const TExplanationTable& BuiltInTable() {
    static const TExplanationTable table = LoadExplanationTable(BuiltInData()).Table;
    return table;
}

TExplanation Explain(const datei::TJavacMessage& message) {
    std::optional<TExplanation> explanation = BuiltInTable().Explain(message);
    return explanation ? *explanation : FallbackExplanation(message);
}

} // namespace erklaerung
