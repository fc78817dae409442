// SPDX-License-Identifier: GPL-3.0-or-later
// The real program's windows in a process of their own, so that a test can
// kill them with SIGKILL as a crash or a power cut would:
//
//   recovery_window_child <file> <typed in file> <typed in new document>
//
// starts as the program does with <file> on the command line, types into it
// as a user would, takes a new document with "Neu" and types into that, and
// prints "ready" once both copies are on disk. Then it waits to be killed.
// Settings and state folder are the ones its environment names.
#include "ColMemo/ColorMemo.h"
#include "Main/MainForm.h"
#include "Main/StartUp.h"
#include "ScriptedPrompts.h"

#include <QAction>
#include <QApplication>
#include <QSet>
#include <QTest>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const QStringList args = QApplication::arguments().mid(1);
    if (args.size() != 3)
        return 2;
    TScriptedPrompts prompts;
    TKodiwerkWindows windows(prompts, {args[0]}, [] { return QList<dirlist::TFoundJdk>(); });
    TMainForm& form = *windows.MainForm;
    form.show();
    if (!form.SlotInUse(1) || form.SlotInUse(2) || !prompts.Calls.isEmpty())
        return 3;

    auto* recovery = form.findChild<recovery::TRecovery*>();
    QSet<recovery::TDocumentId> written;
    QObject::connect(recovery, &recovery::TRecovery::CopyWritten,
                     [&written](recovery::TDocumentId id) {
                         written.insert(id);
                         if (written.size() == 2) {
                             std::printf("ready\n");
                             std::fflush(stdout);
                         }
                     });
    QTest::keyClicks(form.CurrentMemo(), args[1]);
    form.findChild<QAction*>(QStringLiteral("Neu1"))->trigger();
    QTest::keyClicks(form.CurrentMemo(), args[2]);
    return QApplication::exec();
}
