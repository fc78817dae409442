// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The options dialog and the directory chooser over a settings record of the
// test's own, with scripted answers to every question; shared by the
// options-dialog and directory-chooser tests.
#include "DirList/DirListForm.h"
#include "Main/Inis.h"
#include "Option/OptionForm.h"
#include "ScriptedPrompts.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

class DialogRig : public QObject {
protected:
    TInisRecord inis;
    TScriptedPrompts prompts;
    std::unique_ptr<TOptionForm> options;
    std::unique_ptr<TDirListForm> dirList;
    std::unique_ptr<QTemporaryDir> dir;

    // A record as loaded from stored settings, distinct from every default.
    static TInisRecord StoredRecord() {
        TInisRecord stored;
        stored.JdkDir = QStringLiteral("/usr/lib/jvm/java-17-openjdk-amd64");
        stored.ProjectDir = QStringLiteral("/home/lernende/projekte");
        stored.HilfeDir = QStringLiteral("/usr/share/doc/hilfe/index.html");
        stored.Files[0] = QStringLiteral("/home/lernende/projekte/Hallo.java");
        stored.AutoTab = true;
        stored.LineNumbers = true;
        stored.AWinMin = false;
        stored.RWinMin = true;
        stored.Tabs = 3;
        stored.AppX = 320;
        stored.AppY = 240;
        return stored;
    }

    // Every field of a record, for comparing two of them.
    static QStringList Fields(const TInisRecord& r) {
        return {r.JdkDir,
                r.ProjectDir,
                r.HilfeDir,
                r.Files[0],
                QString::number(r.AutoTab),
                QString::number(r.LineNumbers),
                QString::number(r.AWinMin),
                QString::number(r.RWinMin),
                QString::number(r.Tabs),
                QString::number(r.AppX),
                QString::number(r.AppY),
                r.Font.toString()};
    }

    void StartOptions() {
        inis = StoredRecord();
        prompts = TScriptedPrompts();
        dir = std::make_unique<QTemporaryDir>();
        options = std::make_unique<TOptionForm>(inis, prompts);
    }
    // The two dialogs wired as the start-up wires them.
    void StartBoth() {
        StartOptions();
        dirList = std::make_unique<TDirListForm>(prompts);
        options->ChooseDirectory = [this](const QString& startDir, dirlist::TDirField field) {
            return dirList->Choose(startDir, field);
        };
    }
    void Stop() {
        dirList.reset();
        options.reset();
        dir.reset();
    }

    template <class T = QWidget> T* In(QWidget* form, const char* name) const {
        T* widget = form->findChild<T*>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    template <class T = QWidget> T* Opt(const char* name) const {
        return In<T>(options.get(), name);
    }
    QLineEdit* Field(const char* name) const { return Opt<QLineEdit>(name); }

    bool ShowOptions() {
        options->show();
        return QTest::qWaitForWindowExposed(options.get());
    }
    void Click(QWidget* form, const char* name) {
        QTest::mouseClick(In<QAbstractButton>(form, name), Qt::LeftButton);
    }
    void ClickOpt(const char* name) { Click(options.get(), name); }

    // Makes a directory below the test's temporary directory; with `compiler`
    // it holds bin/javac, as a JDK does.
    QString MakeDir(const QString& relative, bool compiler = false) {
        const QString path = dir->filePath(relative);
        QDir().mkpath(path);
        if (compiler) {
            QDir().mkpath(path + QStringLiteral("/bin"));
            QFile javac(path + QStringLiteral("/bin/javac"));
            if (!javac.open(QIODevice::WriteOnly))
                qFatal("cannot write a fake compiler");
        }
        return QDir(path).canonicalPath();
    }

    // Runs `inChooser` while the options dialog shows the chooser modally.
    void WhileChooserShown(std::function<void(TDirListForm*)> inChooser) {
        prompts.OnModal = [inChooser](QDialog* dialog) {
            auto* chooser = qobject_cast<TDirListForm*>(dialog);
            if (!chooser)
                qFatal("not the directory chooser");
            chooser->show();
            if (!QTest::qWaitForWindowExposed(chooser))
                qFatal("chooser not shown");
            inChooser(chooser);
            chooser->hide();
            return chooser->result();
        };
    }
};
