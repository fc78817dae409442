// SPDX-License-Identifier: GPL-3.0-or-later
#include "Datei/HelperProcess.h"

#include "DosCall/ChildLifetime.h"

#include <QFileInfo>

namespace datei {

THelperProcess::THelperProcess(const doscall::TCommand& command, const QString& workingDir,
                               const QProcessEnvironment& environment, QObject* parent)
    : QObject(parent), Directory(QFileInfo(workingDir).canonicalFilePath()) {
    Process.setProgram(command.Program);
    Process.setArguments(command.Arguments);
    Process.setWorkingDirectory(workingDir);
    Process.setProcessEnvironment(environment);
    doscall::TieChild(Process, {.EndWithParent = true});
    connect(&Process, &QProcess::readyReadStandardOutput, this, &THelperProcess::ReadFrames);
    connect(&Process, &QProcess::readyReadStandardError, this, [this] {
        const QByteArray said = Process.readAllStandardError();
        End(QStringLiteral("schrieb auf seine Fehlerausgabe: ") +
            QString::fromUtf8(said.left(300)).trimmed());
    });
    connect(&Process, &QProcess::finished, this, [this](int status, QProcess::ExitStatus how) {
        End(how == QProcess::CrashExit ? QStringLiteral("wurde beendet")
                                       : QStringLiteral("endete mit dem Status %1").arg(status));
    });
    connect(&Process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            End(QStringLiteral("startet nicht: ") + Process.errorString());
    });
}

void THelperProcess::Start() {
    Clock.start();
    Process.start();
}

THelperProcess::~THelperProcess() {
    Process.disconnect(this);
    doscall::EndChild(Process);
}

bool THelperProcess::Send(const QStringList& arguments) {
    if (Now != TState::Ready)
        return false;
    Now = TState::Busy;
    Process.write(HelperRequest(++LastId, Directory, arguments));
    return true;
}

void THelperProcess::Kill(const QString& reason) {
    End(reason);
}

void THelperProcess::ReadFrames() {
    Reader.Feed(Process.readAllStandardOutput());
    while (Now != TState::Ended) {
        const THelperFrameReader::TFrame frame = Reader.Next();
        if (frame == THelperFrameReader::TFrame::None)
            return;
        if (frame == THelperFrameReader::TFrame::Hello && Now == TState::Starting) {
            StartUp = Clock.elapsed();
            Now = TState::Ready;
            emit Ready();
        } else if (frame == THelperFrameReader::TFrame::Answer && Now == TState::Busy &&
                   Reader.LastAnswer().Id == LastId) {
            Now = TState::Ready;
            emit Answered(Reader.LastAnswer());
        } else {
            End(QStringLiteral("antwortete unverständlich"));
        }
    }
}

void THelperProcess::End(const QString& reason) {
    if (Now == TState::Ended)
        return;
    Now = TState::Ended;
    Reason = reason;
    Process.disconnect(this);
    doscall::EndChild(Process);
    emit Ended();
}

} // namespace datei
