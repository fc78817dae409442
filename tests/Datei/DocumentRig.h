#pragma once

// The real main window over real files in a fresh temporary directory, with
// scripted answers to every question; shared by the document command tests.
#include "Main/Inis.h"
#include "MainWindowRig.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

class DocumentRig : public MainWindowRig {
protected:
    std::unique_ptr<QTemporaryDir> dir;

    void SetUp() {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(StartMainWindow());
    }
    void TearDown() {
        form.reset();
        dir.reset();
    }

    // The answers to the next questions and file dialogs, replacing any left over.
    void Answer(std::initializer_list<Prompts::Answer> answers) {
        prompts.Answers.clear();
        for (Prompts::Answer answer : answers)
            prompts.Answers.enqueue(answer);
    }
    void ChooseFiles(std::initializer_list<QString> files) {
        prompts.Files.clear();
        for (const QString& file : files)
            prompts.Files.enqueue(file);
    }

    QString Path(const QString& name) const { return dir->filePath(name); }

    static QByteArray ReadBytes(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }
    // Writes a file into the temporary directory and gives its full path.
    QString MakeFile(const QString& name, const QByteArray& bytes) const {
        QFile file(Path(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write a test file");
        return file.fileName();
    }

    // Triggers a command as the user would; a disabled one would do nothing.
    void Command(const char* name) {
        auto* action = form->findChild<QAction*>(QString::fromLatin1(name));
        QVERIFY2(action, name);
        QVERIFY2(action->isEnabled(), name);
        action->trigger();
    }
    // Runs a handler whatever the enabled state, as a shortcut that arrives
    // before the states are refreshed does.
    void Run(void (TMainForm::*handler)()) {
        form->Guard([this, handler] { (form.get()->*handler)(); });
    }
    void Open(const QString& path) {
        form->Guard([this, &path] { form->OpenDocument(path); });
    }
    void Type(const QString& text) { form->CurrentMemo()->ReplaceSelection(text); }

    static QString Question(const QString& file) {
        return QStringLiteral("Änderungen speichern in %1?").arg(file);
    }
    QStringList TextsOf(const QString& kind) const {
        QStringList texts;
        for (const ScriptedPrompts::Call& call : prompts.CallsOf(kind))
            texts << call.Text;
        return texts;
    }
    QString TabText(int slot) const { return form->PC_Edit->tabText(slot - 1); }
};
