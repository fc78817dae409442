// SPDX-License-Identifier: GPL-3.0-or-later
#include "Recovery/CopyWriter.h"

#include "Recovery/CopyFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QMetaObject>
#include <cerrno>

namespace recovery {

TCopyWriter::TCopyWriter(QString folder, QObject* context, TReportFn report)
    : Folder(std::move(folder)), Context(context), Report(std::move(report)) {
    Pool.setMaxThreadCount(1);
    // Typing comes first on a machine with few cores.
    Pool.setThreadPriority(QThread::LowPriority);
}

TCopyWriter::~TCopyWriter() {
    Pool.waitForDone();
}

QString TCopyWriter::CopyPath(TDocumentId id) const {
    return Folder + QLatin1Char('/') + QString::number(id) + QStringLiteral(".copy");
}

void TCopyWriter::Run(std::function<void()> job) {
    Pool.start(std::move(job));
}

void TCopyWriter::TakeFingerprint(TDocumentId id, const QString& path,
                                  const datei::TFileStamp& stamp) {
    Run([this, id, path, stamp] { Origins[id] = FingerprintOf(path, stamp); });
}

void TCopyWriter::SetOrigin(TDocumentId id, const TFileFingerprint& origin) {
    Run([this, id, origin] { Origins[id] = origin; });
}

void TCopyWriter::Write(TDocumentId id, TRecoveryCopy copy) {
    Run([this, id, copy = std::move(copy)]() mutable {
        QElapsedTimer timer;
        timer.start();
        copy.Origin = Origins[id];
        const QByteArray bytes = EncodeCopy(copy);
        const QString path = CopyPath(id);
        int error = WriteCopyFile(path, bytes);
        // The folder was removed behind our back: make it again, once.
        if (error == ENOENT && QDir().mkpath(Folder))
            error = WriteCopyFile(path, bytes);
        const TWriteReport report{id, error, bytes.size(), timer.nsecsElapsed()};
        QMetaObject::invokeMethod(
            Context, [reportFn = Report, report] { reportFn(report); }, Qt::QueuedConnection);
    });
}

void TCopyWriter::Remove(TDocumentId id) {
    Run([this, id] { RemoveCopyFile(CopyPath(id)); });
}

void TCopyWriter::Forget(TDocumentId id) {
    Run([this, id] { Origins.erase(id); });
}

void TCopyWriter::WaitForDone() {
    Pool.waitForDone();
}

} // namespace recovery
