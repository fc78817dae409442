// SPDX-License-Identifier: GPL-3.0-or-later
#include "Datei/WarmCompiler.h"

#include "DosCall/ChildLifetime.h"
#include "DosCall/ProcessSetup.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QScopedValueRollback>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace datei {

namespace {

Q_LOGGING_CATEGORY(WarmLog, "kodiwerk.compile", QtWarningMsg)

constexpr int MinimumBudgetMs = 1000;
constexpr int FirstEstimateMs = 3000;
// A VM that has not said hello by then will not.
constexpr int StartLimitMs = 30000;
// Helpers ending one after the other without a compile between them: the
// next one would end too.
constexpr int FailureLimit = 3;

QString Canonical(const QString& path) {
    return QFileInfo(path).canonicalFilePath();
}

// The JDK a javac belongs to, wherever links lead: its VM must be the one
// that runs the helper, whatever "java" beside the link would start.
QString RealJdkOf(const QString& javac) {
    const QString real = Canonical(javac);
    return real.isEmpty() ? QString() : QFileInfo(QFileInfo(real).path()).path();
}

} // namespace

TWarmCompiler::TWarmCompiler(QString cacheRoot, QObject* parent)
    : QObject(parent), Cache(CompileHelperTool(), std::move(cacheRoot)) {}

TWarmCompiler::~TWarmCompiler() {
    StopAll();
}

void TWarmCompiler::Start(const QString& jdkDir, const QString& workingDir) {
    const QProcessEnvironment environment = doscall::ChildEnvironment();
    const bool same = jdkDir == JdkDir && Canonical(workingDir) == Canonical(WorkingDir) &&
                      environment == Environment;
    if (same && (Helper || Builder || !Unusable.isEmpty()))
        return;
    StopAll();
    if (jdkDir != JdkDir) {
        Failures = 0;
        FreshMs = -1;
    }
    JdkDir = jdkDir;
    WorkingDir = workingDir;
    Environment = environment;
    Unusable.clear();
    SlowStart = false;
    if (!JdkDir.isEmpty())
        Launch();
}

void TWarmCompiler::StopAll() {
    if (Builder) {
        Builder->disconnect(this);
        doscall::EndChild(*Builder);
    }
    Builder.reset();
    Build.reset();
    if (Helper) {
        Helper->disconnect(this);
        Helper.reset();
    }
}

void TWarmCompiler::Launch() {
    RealJdk = RealJdkOf(JdkProgram(JdkDir, QStringLiteral("javac"), NativeLaunchPlatform()));
    QString reason;
    CompileHelperEnvironment(Environment, reason);
    if (RealJdk.isEmpty())
        reason = QStringLiteral("%1 hat kein javac").arg(JdkDir);
    if (!reason.isEmpty()) {
        Unusable = reason;
        return;
    }
    if (Cache.Holds(Cache.Location(RealJdk))) {
        StartHelper();
        return;
    }
    Build = Cache.PrepareBuild(RealJdk);
    if (!Build) {
        Unusable = QStringLiteral("kann nicht übersetzt werden: ") + Cache.CompileOutput();
        return;
    }
    // In the background, like the helper itself: nobody waits for it.
    Builder = std::make_unique<QProcess>();
    Builder->setProgram(Build->Javac.Program);
    Builder->setArguments(Build->Javac.Arguments);
    Builder->setProcessEnvironment(doscall::ChildEnvironment());
    Builder->setStandardInputFile(QProcess::nullDevice());
    doscall::TieChild(*Builder, {.EndWithParent = true, .OwnProcessGroup = true});
    connect(Builder.get(), &QProcess::finished, this, [this](int status, QProcess::ExitStatus how) {
        doscall::TCapture run;
        run.Ran = true;
        run.Exited = how == QProcess::NormalExit;
        run.ExitCode = run.Exited ? status : -1;
        run.StdErr = doscall::KeptCapture(Builder->readAllStandardError());
        BuildFinished(run);
    });
    connect(Builder.get(), &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            BuildFinished(doscall::TCapture{});
    });
    qCDebug(WarmLog) << "compiling the helper with" << Build->Javac.Program;
    Builder->start();
}

void TWarmCompiler::BuildFinished(const doscall::TCapture& run) {
    const bool built = Cache.FinishBuild(*Build, run);
    Build.reset();
    Builder.release()->deleteLater();
    if (!built) {
        Unusable = QStringLiteral("kann nicht übersetzt werden: ") +
                   Cache.CompileOutput().trimmed().left(300);
        qCDebug(WarmLog) << "helper not compiled:" << Unusable;
        return;
    }
    StartHelper();
}

void TWarmCompiler::StartHelper() {
    QString reason;
    const QProcessEnvironment environment = CompileHelperEnvironment(Environment, reason);
    Helper = std::make_unique<THelperProcess>(
        CompileHelperCommand(RealJdk, Cache.Location(RealJdk)), WorkingDir, environment);
    connect(Helper.get(), &THelperProcess::Ended, this, &TWarmCompiler::HelperEnded);
    connect(Helper.get(), &THelperProcess::Ready, this, [this] {
        SlowStart = false;
        qCDebug(WarmLog) << "helper ready:" << StatusText();
    });
    THelperProcess* started = Helper.get();
    QTimer::singleShot(StartLimitMs, started, [started] {
        if (started->State() == THelperProcess::TState::Starting)
            started->Kill(QStringLiteral("meldete sich nicht"));
    });
    // Last: a start that fails at once ends this helper (and may start the next) right here.
    started->Start();
}

void TWarmCompiler::HelperEnded() {
    LastEnd = Helper->EndReason();
    qCDebug(WarmLog) << "helper ended:" << LastEnd;
    Helper.release()->deleteLater();
    if (EndExpected)
        return;
    if (++Failures >= FailureLimit) {
        Unusable =
            QStringLiteral("fiel %1-mal hintereinander aus, zuletzt: ").arg(Failures) + LastEnd;
        return;
    }
    // A compile under way replaces it when it is done, so that a fresh
    // javac does not share the processor with a starting VM.
    if (!Compiling) {
        ++Count.Restarts;
        Launch();
    }
}

bool TWarmCompiler::Usable() const {
    return !JdkDir.isEmpty() && Unusable.isEmpty();
}

QString TWarmCompiler::WhyFresh(const TCompilerCall& call, const QString& workingDir) const {
    if (JdkDir.isEmpty())
        return QStringLiteral("kein JDK für den Helfer");
    if (!Unusable.isEmpty())
        return QStringLiteral("Helfer aus: ") + Unusable;
    if (Canonical(call.Program) !=
        Canonical(JdkProgram(JdkDir, QStringLiteral("javac"), NativeLaunchPlatform())))
        return QStringLiteral("anderes JDK");
    if (Canonical(workingDir) != Canonical(WorkingDir))
        return QStringLiteral("anderes Verzeichnis");
    if (doscall::ChildEnvironment() != Environment)
        return QStringLiteral("andere Umgebung");
    if (Builder)
        return QStringLiteral("Helfer wird noch übersetzt");
    if (!Helper)
        return QStringLiteral("kein Helfer");
    if (SlowStart && Helper->State() == THelperProcess::TState::Starting)
        return QStringLiteral("Helfer startet noch");
    return QString();
}

doscall::TCapture TWarmCompiler::Compile(const TCompilerCall& call, const QString& workingDir,
                                         doscall::TCancel* cancel) {
    if (Compiling)
        return {};
    const QScopedValueRollback<bool> compiling(Compiling, true);
    const QString reason = WhyFresh(call, workingDir);
    doscall::TCapture result =
        reason.isEmpty() ? Warm(call, workingDir, cancel) : Fresh(call, workingDir, cancel, reason);
    Compiling = false;
    Follow(call, workingDir);
    return result;
}

// After a compile the helper is where the next one will be, if it can be.
void TWarmCompiler::Follow(const TCompilerCall& call, const QString& workingDir) {
    const QString tail = JdkProgram(QString(), QStringLiteral("javac"), NativeLaunchPlatform());
    const QString program = QDir::toNativeSeparators(call.Program);
    if (!program.endsWith(tail))
        return;
    const QString jdkDir = program.chopped(tail.size());
    const bool sameJdk =
        !JdkDir.isEmpty() &&
        Canonical(call.Program) ==
            Canonical(JdkProgram(JdkDir, QStringLiteral("javac"), NativeLaunchPlatform()));
    if (!sameJdk || Canonical(workingDir) != Canonical(WorkingDir) ||
        doscall::ChildEnvironment() != Environment) {
        Start(sameJdk ? JdkDir : jdkDir, workingDir);
        return;
    }
    if (Usable() && !Helper && !Builder) {
        ++Count.Restarts;
        Launch();
    }
}

int TWarmCompiler::BudgetMs() const {
    const qint64 estimate = FreshMs >= 0 ? FreshMs : FirstEstimateMs;
    return static_cast<int>(std::max<qint64>(std::max(MinimumBudgetMs, Patience), estimate));
}

doscall::TCapture TWarmCompiler::Warm(const TCompilerCall& call, const QString& workingDir,
                                      doscall::TCancel* cancel) {
    const QEventLoop::ProcessEventsFlags events =
        cancel ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents;
    // Queued repaints (the status text announcing the compile) come first.
    QCoreApplication::processEvents(events);
    doscall::TCapture result;
    if (cancel && cancel->IsCancelled()) {
        result.Cancelled = true;
        return result;
    }
    if (!Helper)
        return Fresh(call, workingDir, cancel, QStringLiteral("Helfer ") + LastEnd);

    THelperProcess* helper = Helper.get();
    QEventLoop wait;
    TOutcome outcome = TOutcome::Waiting;
    THelperAnswer answer;
    const auto finish = [&](TOutcome how) {
        if (outcome == TOutcome::Waiting)
            outcome = how;
        wait.quit();
    };
    connect(helper, &THelperProcess::Ready, &wait, [&] { helper->Send(call.Arguments); });
    connect(helper, &THelperProcess::Answered, &wait, [&](const THelperAnswer& given) {
        answer = given;
        finish(TOutcome::Answered);
    });
    connect(helper, &THelperProcess::Ended, &wait, [&] { finish(TOutcome::Ended); });
    if (cancel)
        connect(cancel, &doscall::TCancel::Cancelled, &wait, [&] { finish(TOutcome::Cancelled); });
    QTimer budget;
    budget.setSingleShot(true);
    connect(&budget, &QTimer::timeout, &wait, [&] { finish(TOutcome::TimedOut); });
    budget.start(BudgetMs());
    helper->Send(call.Arguments);
    wait.exec(events);
    // The helper may be gone now: only `Helper` tells.
    const bool busy = Helper && Helper->State() == THelperProcess::TState::Busy;

    switch (outcome) {
    case TOutcome::Answered:
        if (answer.Declined)
            return Fresh(call, workingDir, cancel,
                         QStringLiteral("Helfer lehnte ab: ") + QString::fromUtf8(answer.StdErr));
        Failures = 0;
        ++Count.Warm;
        return Answer(answer);
    case TOutcome::Ended:
        return Fresh(call, workingDir, cancel, QStringLiteral("Helfer ") + LastEnd);
    case TOutcome::TimedOut:
        if (!busy) {
            // Still starting: it goes on in the background, this compile does not wait.
            SlowStart = true;
            return Fresh(call, workingDir, cancel, QStringLiteral("Helfer startet zu langsam"));
        }
        Helper->Kill(QStringLiteral("brauchte länger als ein frischer javac"));
        return Fresh(call, workingDir, cancel, QStringLiteral("Helfer zu langsam"));
    case TOutcome::Cancelled:
        if (busy) {
            // javac cannot be stopped inside the VM; the helper goes, a new one comes.
            EndExpected = true;
            Helper->Kill(QStringLiteral("abgebrochen"));
            EndExpected = false;
        }
        result.Ran = busy;
        result.Cancelled = true;
        return result;
    case TOutcome::Waiting:
        break;
    }
    // The wait ended from outside: the application is quitting.
    if (busy)
        Helper->Kill(QStringLiteral("die Anwendung endet"));
    result.Ran = true;
    result.Messages.append(doscall::WaitingFailed);
    return result;
}

doscall::TCapture TWarmCompiler::Answer(const THelperAnswer& answer) {
    // What javac writes to its standard output goes where a fresh javac's would.
    if (!answer.StdOut.isEmpty()) {
        std::fwrite(answer.StdOut.constData(), 1, static_cast<size_t>(answer.StdOut.size()),
                    stdout);
        std::fflush(stdout);
    }
    doscall::TCapture result;
    result.Ran = true;
    result.Exited = true;
    result.ExitCode = answer.ExitStatus;
    result.StdErr = doscall::KeptCapture(answer.StdErr);
    return result;
}

doscall::TCapture TWarmCompiler::Fresh(const TCompilerCall& call, const QString& workingDir,
                                       doscall::TCancel* cancel, const QString& reason) {
    LastFallback = reason;
    qCDebug(WarmLog) << "fresh javac:" << reason;
    QElapsedTimer clock;
    clock.start();
    doscall::TCapture result =
        doscall::RunCaptured(call.Program, call.Arguments, workingDir, cancel);
    if (result.Ran && result.Exited)
        FreshMs = clock.elapsed();
    ++Count.Fresh;
    return result;
}

bool TWarmCompiler::WaitUntilReady(int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (Usable() &&
           (Builder || (Helper && Helper->State() == THelperProcess::TState::Starting)) &&
           clock.elapsed() < timeoutMs) {
        QEventLoop wait;
        QTimer::singleShot(20, &wait, &QEventLoop::quit);
        wait.exec(QEventLoop::ExcludeUserInputEvents);
    }
    return Helper && Helper->State() == THelperProcess::TState::Ready;
}

qint64 TWarmCompiler::HelperProcessId() const {
    return Helper && Helper->State() != THelperProcess::TState::Ended ? Helper->ProcessId() : 0;
}

QString TWarmCompiler::StatusText() const {
    QString state;
    if (JdkDir.isEmpty())
        state = QStringLiteral("aus (kein JDK eingestellt)");
    else if (!Unusable.isEmpty())
        state = QStringLiteral("aus, ") + Unusable;
    else if (Builder)
        state = QStringLiteral("wird mit %1 übersetzt").arg(Build->Javac.Program);
    else if (!Helper)
        state = QStringLiteral("beendet, ") + LastEnd;
    else if (Helper->State() == THelperProcess::TState::Starting)
        state = QStringLiteral("startet in %1").arg(Helper->WorkingDir());
    else
        state = QStringLiteral("bereit (Java %1, Start %2 ms, in %3)")
                    .arg(Helper->Version())
                    .arg(Helper->StartUpMs())
                    .arg(Helper->WorkingDir());
    QString text = QStringLiteral("Übersetzungshelfer: ") + state +
                   QStringLiteral("; %1-mal im Helfer übersetzt, %2-mal mit javac")
                       .arg(Count.Warm)
                       .arg(Count.Fresh);
    if (!LastFallback.isEmpty())
        text += QStringLiteral("; zuletzt javac, weil: ") + LastFallback;
    return text;
}

QString TWarmCompiler::PathsLine(const QString& cacheRoot) {
    const auto sources = CompileHelperTool().Sources().size();
    if (sources == 0)
        return QStringLiteral("Übersetzungshelfer: fehlt");
    return QStringLiteral("Übersetzungshelfer: eingebaut (%1 Java-Quelldateien), übersetzt in %2")
        .arg(sources)
        .arg(cacheRoot);
}

} // namespace datei
