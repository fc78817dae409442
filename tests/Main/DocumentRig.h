// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The real main window over real files in a fresh temporary directory, with
// scripted answers to every question; shared by the document command tests.
#include "FileBytes.h"
#include "MainWindowRig.h"

#include <QFile>
#include <QTemporaryDir>

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

    QString Path(const QString& name) const { return dir->filePath(name); }

    // Writes a file into the temporary directory and gives its full path.
    QString MakeFile(const QString& name, const QByteArray& bytes) const {
        QFile file(Path(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write a test file");
        return file.fileName();
    }

    // Opens a file through the open dialog; the dialog's call is not kept in
    // the record, so a test sees only the questions the opening raised.
    void Open(const QString& path) {
        ChooseFiles({path});
        const qsizetype before = prompts.Calls.size();
        Action(QStringLiteral("Oeffnen1"))->trigger();
        for (qsizetype i = before; i < prompts.Calls.size(); ++i)
            if (prompts.Calls[i].Kind == QStringLiteral("open")) {
                prompts.Calls.removeAt(i);
                break;
            }
    }

    static QString Question(const QString& file) {
        return QStringLiteral("Änderungen speichern in %1?").arg(file);
    }
};
