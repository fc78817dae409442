// SPDX-License-Identifier: GPL-3.0-or-later
// Crash recovery's cost in the editor of a 200,000-line Java file, in one run:
//  - a keystroke (the key event and the forced repaint) with recovery off and
//    on, alternating batches, and the ratio on/off (goal <= 1.1);
//  - the same keystroke while the worker thread writes copies of a large text;
//  - the main thread's share of one copy (taking the text), the worker's share
//    (encoding, checksum, writing, flushing to disk), and the time from the
//    last key to the copy on disk with the program's own timings.
// The copies go to a temporary folder, never the user's state folder.

#include "ColMemo/ColorMemo.h"
#include "ColMemo/JavaRules.h"
#include "Recovery/Recovery.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace recovery;

namespace {

const char* const JavaLines[] = {
    "/* Zählt die Wörter eines Texts. */",
    "public class WordCounter implements Runnable {",
    "\tprivate String text; // der Text",
    "\tprotected int count = 0;",
    "",
    "\tpublic void run() {",
    "\t\tfor (int i = 0; i < text.length(); i++) {",
    "\t\t\tif (Character.isLetter(text.charAt(i))) count++;",
    "\t\t}",
    "\t\tSystem.out.println(\"Wörter: \" + count);",
    "\t}",
    "}",
};
constexpr int Lines = 200000;
constexpr int Batches = 9;
constexpr int PerBatch = 40;

QString JavaText(int lines) {
    QStringList text;
    text.reserve(lines);
    for (int i = 0; i < lines; ++i)
        text << QString::fromUtf8(JavaLines[i % int(std::size(JavaLines))]);
    return text.join(QStringLiteral("\r\n"));
}

struct TEditor {
    TColorMemo Memo;

    TEditor() {
        colmemo::AddJavaRules(Memo.ColorRules());
        Memo.resize(900, 760);
        Memo.SetText(JavaText(Lines));
        Memo.show();
        QApplication::setActiveWindow(&Memo);
        Memo.setFocus();
        Memo.SetCaretLine(Lines / 2);
        Memo.SetCaretCol(1000);
        QApplication::processEvents();
    }
    void Key(int key, const QString& text) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(&Memo, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
        QApplication::sendEvent(&Memo, &release);
        Memo.viewport()->repaint();
    }
};

// Median microseconds of one batch of keystrokes, each followed by an untimed
// backspace and a turn of the event loop (where copies are taken and reported).
double BatchMedianUs(TEditor& editor) {
    std::vector<double> times;
    QElapsedTimer timer;
    for (int i = 0; i < PerBatch; ++i) {
        timer.start();
        editor.Key(Qt::Key_X, QStringLiteral("x"));
        times.push_back(timer.nsecsElapsed() / 1e3);
        editor.Key(Qt::Key_Backspace, QStringLiteral("\b"));
        QApplication::processEvents();
    }
    std::nth_element(times.begin(), times.begin() + PerBatch / 2, times.end());
    return times[PerBatch / 2];
}

// Waits in the event loop until `done`; milliseconds waited.
double WaitUntil(const std::function<bool()>& done) {
    QElapsedTimer timer;
    timer.start();
    while (!done())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    TEditor editor;
    TRecovery::TOptions options;
    options.Root = dir.filePath(QStringLiteral("recovery"));
    TRecovery recovery(options);
    if (!recovery.Active()) {
        std::printf("no copies possible: %s\n", qPrintable(recovery.Problem()));
        return 1;
    }
    const TDocumentId id = recovery.Opened({}, [&] { return editor.Memo.Text(); });
    bool on = false;
    editor.Memo.OnChange = [&](TColorMemo*) {
        if (on)
            recovery.Changed(id);
    };
    TWriteReport last;
    int copies = 0;
    QObject::connect(&recovery, &TRecovery::CopyWritten,
                     [&](TDocumentId, const TWriteReport& report) {
                         last = report;
                         ++copies;
                     });

    double off = 1e30, with = 1e30;
    for (int batch = 0; batch < Batches; ++batch) {
        on = false;
        off = std::min(off, BatchMedianUs(editor));
        on = true;
        with = std::min(with, BatchMedianUs(editor));
    }
    std::printf("Recovery in the editor of a %d-line Java file\n", Lines);
    std::printf("%-44s %10.1f us\n", "keystroke + repaint, recovery off", off);
    std::printf("%-44s %10.1f us   ratio %.3f   goal <= 1.1\n", "keystroke + repaint, recovery on",
                with, with / off);

    // The worker busy with copies of a large text all along.
    TRecovery::TOptions eager = options;
    eager.Timings = {0, 0, 0};
    TRecovery busy(eager);
    const QString large = JavaText(Lines);
    const TDocumentId busyId = busy.Opened({}, [&] { return large; });
    int busyCopies = 0;
    QObject::connect(&busy, &TRecovery::CopyWritten, [&] {
        ++busyCopies;
        busy.Changed(busyId);
    });
    busy.Changed(busyId);
    double during = 1e30;
    for (int batch = 0; batch < Batches; ++batch)
        during = std::min(during, BatchMedianUs(editor));
    std::printf("%-44s %10.1f us   ratio %.3f   (%d copies meanwhile)\n",
                "keystroke + repaint, copies being written", during, during / off, busyCopies);
    busy.Closed(busyId);
    busy.Exit();

    QElapsedTimer timer;
    timer.start();
    const QString text = editor.Memo.Text();
    std::printf("%-44s %10.1f ms   (%lld characters)\n", "main thread per copy: taking the text",
                timer.nsecsElapsed() / 1e6, static_cast<long long>(text.size()));

    // The last key, then nothing: how long until its copy is on disk.
    const int before = copies;
    editor.Key(Qt::Key_X, QStringLiteral("x"));
    const double toDisk = WaitUntil([&] { return copies > before; });
    std::printf("%-44s %10.1f ms   (%.1f MB)\n", "worker per copy: encode, checksum, write, sync",
                last.WorkNs / 1e6, last.Bytes / 1e6);
    std::printf("%-44s %10.0f ms   goal <= 5000 ms (pause %lld ms)\n", "last key to copy on disk",
                toDisk, static_cast<long long>(options.Timings.IdleMs));
    recovery.Closed(id);
    recovery.Exit();
    return 0;
}
