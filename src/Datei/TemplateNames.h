// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

namespace datei {

// One line of a text to replace: its 0-based index (lines end at CR LF, a
// lone CR or a lone LF) and its new text, without a line break.
struct TLineChange {
    qsizetype Line = 0;
    QString Text;
    bool operator==(const TLineChange&) const = default;
};

// When a document made from a template (ApplicationTemplate, AppletTemplate)
// is first saved as `path`, its class declaration and the header comment
// naming the file follow the new name: for Hallo.java, "public class noname {"
// becomes "public class Hallo {" and "// Application :  noname.java" becomes
// "// Application :  Hallo.java". Only lines that are still exactly as the
// template has them change (the first of each), so whatever the user has
// changed stays as it is, and nothing else changes. A file that does not end
// in ".java", or whose name before it is no Java class name ("mein programm",
// "3D", "class"), changes nothing.
QList<TLineChange> TemplateNameChanges(const QString& text, const QString& path);

// `text` with those changes made; its line breaks stay as they were.
QString FollowFileName(const QString& text, const QString& path);

// Whether javac takes `name` as the name of a class: a Java letter ("_", "$"
// or any letter) first, then Java letters and digits, and no keyword, literal
// or name Java keeps from types ("var", "record", "yield", "sealed", "permits").
bool IsJavaClassName(const QString& name);

} // namespace datei
