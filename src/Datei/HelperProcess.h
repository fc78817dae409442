// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Datei/HelperFrames.h"
#include "DosCall/Terminals.h"

#include <QElapsedTimer>
#include <QObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>

namespace datei {

// One running compile helper: a Java VM started in the directory it compiles
// in, tied to this process so that it never outlives it. It is Starting until
// its hello arrives, then Ready; Busy from a request to its answer; Ended for
// good once it died, was killed, or said anything that is not a frame —
// also on its standard error, where a helper has nothing to say.
class THelperProcess : public QObject {
    Q_OBJECT

public:
    enum class TState { Starting, Ready, Busy, Ended };

    // Will start `command` in `workingDir` with `environment`.
    THelperProcess(const doscall::TCommand& command, const QString& workingDir,
                   const QProcessEnvironment& environment, QObject* parent = nullptr);
    // Kills the VM if it still runs.
    ~THelperProcess() override;

    TState State() const { return Now; }
    // The directory it was started in, as the system names it (links resolved).
    QString WorkingDir() const { return Directory; }
    QProcessEnvironment Environment() const { return Process.processEnvironment(); }
    qint64 ProcessId() const { return Process.processId(); }
    // The Java version it said hello with.
    QString Version() const { return Reader.Version(); }
    // From the start to the hello, in milliseconds; -1 before.
    qint64 StartUpMs() const { return StartUp; }
    // Why it ended.
    QString EndReason() const { return Reason; }

    // Starts the VM. A start that fails at once ends the helper before this
    // returns, so connect to Ended first.
    void Start();
    // Sends a request when Ready and becomes Busy; the answer comes with
    // Answered, unless the helper ends first. False when it is not Ready.
    bool Send(const QStringList& arguments);
    // Kills the VM; the helper ends with `reason`.
    void Kill(const QString& reason);

signals:
    void Ready();
    void Answered(const datei::THelperAnswer& answer);
    void Ended();

private:
    void ReadFrames();
    void End(const QString& reason);

    QProcess Process;
    THelperFrameReader Reader;
    QString Directory;
    TState Now = TState::Starting;
    QElapsedTimer Clock;
    qint64 StartUp = -1;
    quint32 LastId = 0;
    QString Reason;
};

} // namespace datei
