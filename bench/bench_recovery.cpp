// SPDX-License-Identifier: GPL-3.0-or-later
// Crash recovery's cost in the main window, with a 200,000-line Java file
// open through the open command, in one run:
//  - a keystroke (entering where the window system hands it over, through to
//    the editor's forced repaint) in a window whose recovery keeps copies and
//    in one whose state folder cannot be made (recovery off), alternating
//    batches, and the ratio on/off (goal <= 1.1);
//  - the same keystroke while the worker thread writes copies of a large text;
//  - the main thread's share of one copy (taking the text), the worker's share
//    (encoding, checksum, writing, flushing to disk), and the time from the
//    last key to the copy on disk with the program's own timings.
// Settings and copies go to a temporary folder, never the user's own.

#include "BenchPrompts.h"
#include "ColMemo/ColorMemo.h"
#include "Main/Inis.h"
#include "Main/MainForm.h"
#include "Main/Prompts.h"
#include "Recovery/Recovery.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest/qtestkeyboard.h>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
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

// A main window over its own state folder, the file opened in it, the caret
// in the middle.
class TWindow {
public:
    TWindow(const QString& stateHome, const QString& file) {
        qputenv("XDG_STATE_HOME", QFile::encodeName(stateHome));
        Form = std::make_unique<TMainForm>(Inis, Prompts);
        Form->resize(900, 760);
        Form->show();
        Activate();
        Prompts.OpenFile = file;
        Prompts.QuestionsExpected = false;
        Form->findChild<QAction*>(QStringLiteral("Oeffnen1"))->trigger();
        Memo().SetCaretLine(Lines / 2);
        Memo().SetCaretCol(1000);
        Activate();
    }

    TColorMemo& Memo() const { return *Form->CurrentMemo(); }
    TRecovery& Recovery() const { return *Form->findChild<TRecovery*>(); }

    void Activate() {
        QApplication::setActiveWindow(Form.get());
        Form->CurrentMemo()->setFocus();
        QApplication::processEvents();
    }
    // A press and release as the window system delivers them, and the editor's repaint.
    void Key(int key, const QString& text) {
        QWindow* window = Form->windowHandle();
        qt_handleKeyEvent(window, QEvent::KeyPress, key, Qt::NoModifier, text);
        qt_handleKeyEvent(window, QEvent::KeyRelease, key, Qt::NoModifier, text);
        Memo().viewport()->repaint();
    }

private:
    TInisRecord Inis;
    TBenchPrompts Prompts;
    std::unique_ptr<TMainForm> Form;
};

// Median microseconds of one batch of keystrokes, each followed by an untimed
// backspace and a turn of the event loop (where copies are taken and reported,
// and the window brings its status up to date).
double BatchMedianUs(TWindow& window) {
    window.Activate();
    std::vector<double> times;
    QElapsedTimer timer;
    for (int i = 0; i < PerBatch; ++i) {
        timer.start();
        window.Key(Qt::Key_X, QStringLiteral("x"));
        times.push_back(timer.nsecsElapsed() / 1e3);
        window.Key(Qt::Key_Backspace, QStringLiteral("\b"));
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

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath(QStringLiteral("config"))));
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const QString file = dir.filePath(QStringLiteral("WordCounter.java"));
    // A file where the state folder would go: that window keeps no copies.
    const QString blocked = dir.filePath(QStringLiteral("kein-ordner"));
    if (!WriteFile(file, JavaText(Lines).toUtf8() + "\r\n") || !WriteFile(blocked, "x")) {
        std::printf("cannot write the test files\n");
        return 1;
    }
    TWindow off(blocked, file);
    TWindow on(dir.filePath(QStringLiteral("state")), file);
    if (off.Recovery().Active() || !on.Recovery().Active()) {
        std::printf("recovery not on in one window and off in the other: %s\n",
                    qPrintable(on.Recovery().Problem()));
        return 1;
    }
    TWriteReport last;
    int copies = 0;
    QObject::connect(&on.Recovery(), &TRecovery::CopyWritten,
                     [&](TDocumentId, const TWriteReport& report) {
                         last = report;
                         ++copies;
                     });

    double without = 1e30, with = 1e30;
    for (int batch = 0; batch < Batches; ++batch) {
        without = std::min(without, BatchMedianUs(off));
        with = std::min(with, BatchMedianUs(on));
    }
    if (!off.Memo().Modified() || !on.Memo().Modified()) {
        std::printf("the keys did not reach the editors\n");
        return 1;
    }
    std::printf("Recovery in the main window, a %d-line Java file open\n", Lines);
    std::printf("%-44s %10.1f us\n", "keystroke + repaint, recovery off", without);
    std::printf("%-44s %10.1f us   ratio %.3f   goal <= 1.1\n", "keystroke + repaint, recovery on",
                with, with / without);

    // The worker busy with copies of a large text all along.
    TRecovery::TOptions eager;
    eager.Root = dir.filePath(QStringLiteral("busy"));
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
        during = std::min(during, BatchMedianUs(on));
    std::printf("%-44s %10.1f us   ratio %.3f   (%d copies meanwhile)\n",
                "keystroke + repaint, copies being written", during, during / without, busyCopies);
    busy.Closed(busyId);
    busy.Exit();

    QElapsedTimer timer;
    timer.start();
    const QString text = on.Memo().Text();
    std::printf("%-44s %10.1f ms   (%lld characters)\n", "main thread per copy: taking the text",
                timer.nsecsElapsed() / 1e6, static_cast<long long>(text.size()));

    // The last key, then nothing: how long until its copy is on disk.
    on.Activate();
    const int before = copies;
    on.Key(Qt::Key_X, QStringLiteral("x"));
    const double toDisk = WaitUntil([&] { return copies > before; });
    std::printf("%-44s %10.1f ms   (%.1f MB)\n", "worker per copy: encode, checksum, write, sync",
                last.WorkNs / 1e6, last.Bytes / 1e6);
    std::printf("%-44s %10.0f ms   goal <= 5000 ms (pause %lld ms)\n", "last key to copy on disk",
                toDisk, static_cast<long long>(TCopyTimings().IdleMs));
    return 0;
}
