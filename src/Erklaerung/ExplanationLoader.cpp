// SPDX-License-Identifier: GPL-3.0-or-later
#include "Erklaerung/ExplanationLoader.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

namespace erklaerung {

namespace {

// Collects the faults of one part of the data, each prefixed with where it is.
class TFaults {
public:
    TFaults(QStringList& errors, QString where) : Errors(errors), Where(std::move(where)) {}
    void Add(const QString& fault) { Errors.append(Where + QStringLiteral(": ") + fault); }
    bool Any() const { return Errors.size() > Start; }

private:
    QStringList& Errors;
    QString Where;
    qsizetype Start = Errors.size();
};

void CheckKeys(const QJsonObject& object, const QStringList& allowed, TFaults& faults) {
    for (const QString& key : object.keys()) {
        if (!allowed.contains(key))
            faults.Add(QStringLiteral("unknown key \"%1\"").arg(key));
    }
}

QStringList Strings(const QJsonValue& value, const QString& key, TFaults& faults) {
    QStringList strings;
    if (value.isUndefined())
        return strings;
    if (!value.isArray()) {
        faults.Add(QStringLiteral("\"%1\" is not a list").arg(key));
        return strings;
    }
    for (const QJsonValue& item : value.toArray()) {
        if (!item.isString() || item.toString().trimmed().isEmpty())
            faults.Add(QStringLiteral("\"%1\" holds something that is not a text").arg(key));
        else
            strings.append(item.toString());
    }
    return strings;
}

QList<TMessagePattern> Patterns(const QStringList& texts, TFaults& faults) {
    QList<TMessagePattern> patterns;
    for (const QString& text : texts) {
        QString error;
        patterns.append(TMessagePattern::Compile(text, &error));
        if (!error.isEmpty())
            faults.Add(error);
        for (const QString& name : patterns.last().Names()) {
            if (BuiltInPlaceholders().contains(name))
                faults.Add(QStringLiteral("{%1} comes from the message's place, a pattern "
                                          "cannot capture it")
                               .arg(name));
        }
    }
    return patterns;
}

// The names each alternative of the message supplies, details included.
QList<QSet<QString>> SuppliedNames(const TLanguagePatterns& patterns, TFaults& faults) {
    QSet<QString> detailNames;
    for (const TMessagePattern& detail : patterns.Details) {
        for (const QString& name : detail.Names()) {
            if (detailNames.contains(name))
                faults.Add(QStringLiteral("the details capture {%1} twice").arg(name));
            detailNames.insert(name);
        }
    }
    QList<QSet<QString>> supplied;
    for (const TMessagePattern& message : patterns.Message) {
        QSet<QString> names(message.Names().cbegin(), message.Names().cend());
        if (names.intersects(detailNames))
            faults.Add(QStringLiteral("the message and its details capture the same name"));
        supplied.append(names + detailNames);
    }
    return supplied;
}

TLanguagePatterns Language(const QJsonValue& value, const QString& key, TFaults& faults) {
    TLanguagePatterns patterns;
    if (!value.isObject()) {
        faults.Add(QStringLiteral("\"%1\" (javac's words in that language) is missing").arg(key));
        return patterns;
    }
    const QJsonObject object = value.toObject();
    CheckKeys(object, {QStringLiteral("message"), QStringLiteral("details")}, faults);
    patterns.Message = Patterns(
        Strings(object.value(QStringLiteral("message")), key + QStringLiteral(".message"), faults),
        faults);
    patterns.Details = Patterns(
        Strings(object.value(QStringLiteral("details")), key + QStringLiteral(".details"), faults),
        faults);
    if (patterns.Message.isEmpty())
        faults.Add(QStringLiteral("\"%1\" has no message pattern").arg(key));
    return patterns;
}

// A text's placeholders must each have a source in every alternative.
void CheckText(const QString& text, const QString& what, const QList<QSet<QString>>& alternatives,
               TFaults& faults) {
    if (text.count(QLatin1Char('`')) % 2 != 0)
        faults.Add(QStringLiteral("the %1 has a ` without its partner").arg(what));
    for (auto it = PlaceholderExpression().globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch placeholder = it.next();
        const QString name = placeholder.captured(1);
        const QString lookup = placeholder.captured(2);
        if (!lookup.isEmpty() && !PlaceholderLookups().contains(lookup))
            faults.Add(
                QStringLiteral("the %1 names an unknown lookup {%2.%3}").arg(what, name, lookup));
        if (BuiltInPlaceholders().contains(name))
            continue;
        for (const QSet<QString>& supplied : alternatives) {
            if (!supplied.contains(name)) {
                faults.Add(QStringLiteral("the %1 uses {%2}, which a pattern does not capture")
                               .arg(what, name));
                break;
            }
        }
    }
}

void CheckExample(TExplanationEntry& entry, const QJsonValue& value,
                  const QList<QSet<QString>>& alternatives, TFaults& faults) {
    if (value.isUndefined())
        return;
    const QJsonObject example = value.toObject();
    CheckKeys(example, {QStringLiteral("code"), QStringLiteral("text")}, faults);
    entry.ExampleCode = example.value(QStringLiteral("code")).toString().trimmed();
    entry.ExampleText = example.value(QStringLiteral("text")).toString().trimmed();
    if (entry.ExampleCode.isEmpty() || entry.ExampleText.isEmpty())
        faults.Add(QStringLiteral("an example needs both its code and its text"));
    if (entry.ExampleCode.contains(QLatin1Char('`')) ||
        PlaceholderExpression().match(entry.ExampleCode).hasMatch())
        faults.Add(QStringLiteral("the example's code is Java as it stands: no ` and no "
                                  "placeholder"));
    CheckText(entry.ExampleText, QStringLiteral("example's text"), alternatives, faults);
}

std::optional<TExplanationEntry> Entry(const QJsonValue& value, qsizetype index, QSet<QString>& ids,
                                       QStringList& errors) {
    const QJsonObject object = value.toObject();
    const QString id = object.value(QStringLiteral("id")).toString();
    TFaults faults(errors, QStringLiteral("entry %1 (%2)").arg(index + 1).arg(id));
    if (!value.isObject()) {
        faults.Add(QStringLiteral("not an object"));
        return std::nullopt;
    }
    CheckKeys(object,
              {QStringLiteral("id"), QStringLiteral("en"), QStringLiteral("de"),
               QStringLiteral("marked"), QStringLiteral("text"), QStringLiteral("example")},
              faults);
    if (id.isEmpty())
        faults.Add(QStringLiteral("no id"));
    else if (ids.contains(id))
        faults.Add(QStringLiteral("the id is taken by an earlier entry"));
    ids.insert(id);

    TExplanationEntry entry;
    entry.Id = id;
    entry.English = Language(object.value(QStringLiteral("en")), QStringLiteral("en"), faults);
    entry.German = Language(object.value(QStringLiteral("de")), QStringLiteral("de"), faults);
    entry.Marked = object.value(QStringLiteral("marked")).toString();
    entry.Text = object.value(QStringLiteral("text")).toString().trimmed();
    if (entry.Text.isEmpty())
        faults.Add(QStringLiteral("no text"));
    const QList<QSet<QString>> alternatives =
        SuppliedNames(entry.English, faults) + SuppliedNames(entry.German, faults);
    CheckText(entry.Text, QStringLiteral("text"), alternatives, faults);
    CheckExample(entry, object.value(QStringLiteral("example")), alternatives, faults);
    return faults.Any() ? std::nullopt : std::optional<TExplanationEntry>(entry);
}

TKnownNames Known(const QJsonObject& root, QStringList& errors) {
    TFaults faults(errors, QStringLiteral("known names"));
    TKnownNames known;
    const QJsonObject packages = root.value(QStringLiteral("packages")).toObject();
    for (auto it = packages.begin(); it != packages.end(); ++it) {
        if (!it.value().isString() || it.value().toString().isEmpty())
            faults.Add(QStringLiteral("the package of %1 is not a text").arg(it.key()));
        known.Packages.insert(it.key(), it.value().toString());
    }
    known.Similar =
        Strings(root.value(QStringLiteral("similarNames")), QStringLiteral("similarNames"), faults);
    known.NoValue =
        Strings(root.value(QStringLiteral("noValue")), QStringLiteral("noValue"), faults);
    return known;
}

// Where a syntax fault is, as a line number the proofreader can go to.
int LineOf(const QByteArray& json, int offset) {
    return int(json.left(offset).count('\n')) + 1;
}

} // namespace

TLoadedTable LoadExplanationTable(const QByteArray& json) {
    TLoadedTable loaded;
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject()) {
        loaded.Errors.append(QStringLiteral("line %1: %2")
                                 .arg(LineOf(json, parseError.offset))
                                 .arg(document.isNull() ? parseError.errorString()
                                                        : QStringLiteral("not an object")));
        return loaded;
    }
    const QJsonObject root = document.object();
    TFaults faults(loaded.Errors, QStringLiteral("file"));
    CheckKeys(root,
              {QStringLiteral("packages"), QStringLiteral("similarNames"),
               QStringLiteral("noValue"), QStringLiteral("entries")},
              faults);
    const QJsonArray entries = root.value(QStringLiteral("entries")).toArray();
    if (entries.isEmpty())
        faults.Add(QStringLiteral("no entries"));
    QList<TExplanationEntry> good;
    QSet<QString> ids;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (std::optional<TExplanationEntry> entry = Entry(entries[i], i, ids, loaded.Errors))
            good.append(*entry);
    }
    loaded.Table = TExplanationTable(good, Known(root, loaded.Errors));
    return loaded;
}

} // namespace erklaerung
