// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Datei/CompileHelper.h"
#include "Datei/CompilerCall.h"
#include "Datei/HelperProcess.h"
#include "Datei/JavaToolCache.h"
#include "DosCall/Cancel.h"
#include "DosCall/RunCaptured.h"

#include <QObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <memory>

namespace datei {

// Compiles like a fresh javac, only faster: through a compile helper kept
// running in a VM of the JDK (see CompileHelper.h), and with a fresh javac
// (RunCaptured) whenever the helper cannot serve a compile — it is not there
// yet, it runs for another directory, it dies, answers garbage, declines, or
// takes longer than a fresh javac would. Either way the caller gets what a
// fresh javac's run gives: the same bytes, the same exit status.
//
// The time rule: a fresh javac costs a VM start and its warm-up plus the
// compile itself; the helper pays only the compile. So the helper gets as
// long as the last fresh javac run here took (three seconds before any), and
// at least a second, counted from the request; a helper still starting then
// goes on starting, a busy one is replaced, and a fresh javac compiles.
class TWarmCompiler : public QObject {
    Q_OBJECT

public:
    struct TCounts {
        int Warm = 0;     // compiles the helper answered
        int Fresh = 0;    // compiles a fresh javac made
        int Restarts = 0; // helpers started after one had ended
    };

    explicit TWarmCompiler(QString cacheRoot = CompileHelperCacheRoot(), QObject* parent = nullptr);
    ~TWarmCompiler() override;

    // Gets a helper ready in the background for compiles with the JDK in
    // `jdkDir` in `workingDir`: first compiled into the cache with the JDK's
    // javac when it has none for this JDK, then started. A helper for another
    // JDK, directory or environment ends first; one for these is kept. An
    // empty `jdkDir` ends the helper.
    void Start(const QString& jdkDir, const QString& workingDir);

    // Compiles with `call` in `workingDir` and returns what RunCaptured of the
    // same call returns; `cancel` as there (the helper of a cancelled compile
    // is replaced). A compile with another JDK or in another directory is
    // made by a fresh javac, and the helper then starts anew for them.
    doscall::TCapture Compile(const TCompilerCall& call, const QString& workingDir,
                              doscall::TCancel* cancel = nullptr);

    // One line on the helper, for `kodiwerk --paths` and the debug log
    // (category "kodiwerk.compile"): what it does, and why the last compile
    // that a fresh javac made did not go through it.
    QString StatusText() const;
    // What an installation offers, without a JDK: the sources and the cache.
    static QString PathsLine(const QString& cacheRoot = CompileHelperCacheRoot());

    // Waits, handling events but no user input, until the helper is ready or
    // cannot be; whether it is ready. For tests and benchmarks.
    bool WaitUntilReady(int timeoutMs);
    // Gives the helper at least `ms` for each compile before a fresh javac
    // takes over: for tests that compare the two on a busy machine.
    void SetPatience(int ms) { Patience = ms; }
    // The helper's process, 0 when none runs.
    qint64 HelperProcessId() const;
    TCounts Counts() const { return Count; }

private:
    enum class TOutcome { Waiting, Answered, Ended, TimedOut, Cancelled };

    QString WhyFresh(const TCompilerCall& call, const QString& workingDir) const;
    doscall::TCapture Warm(const TCompilerCall& call, const QString& workingDir,
                           doscall::TCancel* cancel);
    doscall::TCapture Fresh(const TCompilerCall& call, const QString& workingDir,
                            doscall::TCancel* cancel, const QString& reason);
    doscall::TCapture Answer(const THelperAnswer& answer);
    void Launch();
    void BuildFinished(const doscall::TCapture& run);
    void StartHelper();
    void HelperEnded();
    void StopAll();
    void Follow(const TCompilerCall& call, const QString& workingDir);
    int BudgetMs() const;
    bool Usable() const;

    TJavaToolCache Cache;
    QString JdkDir;
    QString RealJdk;
    QString WorkingDir;
    QProcessEnvironment Environment;
    QString Unusable;
    std::unique_ptr<TJavaToolCache::TBuild> Build;
    std::unique_ptr<QProcess> Builder;
    std::unique_ptr<THelperProcess> Helper;
    bool Compiling = false;
    bool EndExpected = false;
    bool SlowStart = false;
    int Failures = 0;
    qint64 FreshMs = -1;
    int Patience = 0;
    QString LastFallback;
    QString LastEnd;
    TCounts Count;
};

} // namespace datei
