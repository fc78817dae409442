// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The real main window compiling real files with the machine's own javac, in
// a directory whose name has a blank and an umlaut; shared by the compile tests.
#include "DocumentRig.h"
#include "JdkRig.h"

#include <QDir>
#include <QListWidget>

class CompileRig : public DocumentRig {
protected:
    QString sources; // "<temporary>/Ordner mit Ü"

    void SetUpCompile() {
        SetUp();
        sources = Path(QStringLiteral("Ordner mit Ü"));
        QVERIFY(QDir().mkdir(sources));
        inis.JdkDir = DefaultJdk().Dir;
    }

    // Writes a source file and opens it as the user would.
    QString OpenSource(const QString& name, const QByteArray& bytes) {
        const QString path = QDir(sources).filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write a test file");
        file.close();
        Open(path);
        return path;
    }
    QString OpenSource(const QString& name, const QStringList& lines) {
        return OpenSource(name, lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n");
    }

    // A JDK below the test's directory whose javac is the shell script
    // `script`: a compiler that hangs, fails or replays recorded output.
    QString StandInJdk(const QString& name, const QByteArray& script) const {
        const QString jdk = Path(name);
        QFile javac(jdk + QStringLiteral("/bin/javac"));
        if (!QDir().mkpath(jdk + QStringLiteral("/bin")) || !javac.open(QIODevice::WriteOnly) ||
            javac.write("#!/bin/sh\n" + script) < 0)
            qFatal("cannot write a stand-in javac");
        javac.close();
        javac.setPermissions(javac.permissions() | QFileDevice::ExeOwner);
        return jdk;
    }

    // The one message F8, F9 or F10 gives while no JDK directory is set:
    // where to set it, and how to get one.
    void VerifyJdkNotSetMessage() const {
        const QStringList messages = TextsOf(QStringLiteral("message"));
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].startsWith("Das JDK-Verzeichnis ist noch nicht eingestellt (siehe "
                                        "Menü->Bearbeiten->Optionen)"),
                 qPrintable(messages[0]));
        QVERIFY(messages[0].contains("apt install default-jdk"));
    }

    QListWidget* List() const { return Control<QListWidget>(QStringLiteral("ListBox")); }
    QStringList Entries() const {
        QStringList entries;
        for (int i = 0; i < List()->count(); ++i)
            entries << List()->item(i)->text();
        return entries;
    }
    // The colour an entry is drawn in; the list's own colour while it has none.
    QColor EntryColour(int i) const {
        const QListWidgetItem* item = List()->item(i);
        const QBrush brush = item ? item->foreground() : QBrush();
        return brush.style() != Qt::NoBrush
                   ? brush.color()
                   : List()->palette().color(QPalette::Active, QPalette::Text);
    }
    QColor ListColour() const { return EntryColour(0); }

    // The character the current editor's caret stands on.
    QChar AtCaret() const {
        TColorMemo* memo = form->CurrentMemo();
        const QString line = memo->LineText(memo->CaretLine());
        const int col = memo->CaretCol();
        return col < line.size() ? line[col] : QChar();
    }

    QPoint EntryCentre(int i) const {
        List()->scrollToItem(List()->item(i));
        return List()->visualItemRect(List()->item(i)).center();
    }
    void ClickEntry(int i) {
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, EntryCentre(i));
    }
    // A user's double click: a click, then the second press that makes it double.
    void DoubleClickEntry(int i) {
        const QPoint centre = EntryCentre(i);
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, centre);
    }

    static const QColor& Fuchsia() {
        static const QColor colour(255, 0, 255);
        return colour;
    }
    static const QColor& Red() {
        static const QColor colour(255, 0, 0);
        return colour;
    }
};
