// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in for the main window in its own process, so that tests can kill
// it with SIGKILL as a crash or a power cut would end it. It uses the store
// exactly as the window does: documents opened, typed into, saved, closed.
//
//   recovery_child [--as-nobody] type <root> <latin1 file> <utf8 file> <keys>
//       three documents (the two files and an unnamed one), <keys> keystrokes
//       into each; prints "ready" once every document's copy is on disk.
//   recovery_child hold <root> <word>
//       one unnamed document holding <word>; prints "ready <folder>", then
//       obeys lines on its input: "exit" (a normal exit), "leftovers".
//   recovery_child churn <root> <lines>
//       one large document, rewritten as fast as copies can be written;
//       prints "written <generation>" after each copy is on disk.
//   recovery_child scan <root>
//       prints the leftovers ("leftover <file> <first line>"), keeps them, exits.
//   recovery_child [--as-nobody] store <root>
//       prints "active 0|1", then types and prints "problems <n>" after a while.
//   recovery_child --as-nobody revoke <root>
//       as "store", but makes its own folder read-only first.

#include "RecoveryRig.h"

#include "Datei/SourceFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>
#include <QTimer>
#include <cstdio>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace recovery;

namespace {

void Say(const QString& line) {
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

bool BecomeNobody() {
    const passwd* nobody = ::getpwnam("nobody");
    return nobody && ::setgroups(0, nullptr) == 0 && ::setgid(nobody->pw_gid) == 0 &&
           ::setuid(nobody->pw_uid) == 0;
}

// A document as the window holds it: its text and its id.
struct TDoc {
    QString Text;
    TDocumentId Id = 0;
};

int Type(TRecovery& recovery, const QStringList& args) {
    std::vector<TDoc> docs(3);
    QStringList files = {args.value(0), args.value(1), NoName};
    const int keys = args.value(2).toInt();
    for (int i = 0; i < 3; ++i) {
        TDocumentInfo info{files[i], datei::TFileEncoding::Utf8, i + 1, {}};
        if (files[i] != NoName) {
            const datei::TSourceFile source = datei::LoadSourceFile(files[i]);
            docs[i].Text = source.Source.Text;
            info.Encoding = source.Source.Encoding;
            info.Stamp = source.Stamp;
        } else {
            docs[i].Text = rig::UnnamedOriginal();
        }
        docs[i].Id = recovery.Opened(info, [&doc = docs[i]] { return doc.Text; });
    }
    for (int k = 1; k <= keys; ++k)
        for (TDoc& doc : docs) {
            doc.Text += rig::TypedLine(k);
            recovery.Changed(doc.Id);
        }
    auto written = std::make_shared<QSet<TDocumentId>>();
    QObject::connect(&recovery, &TRecovery::CopyWritten, [written](TDocumentId id) {
        written->insert(id);
        if (written->size() == 3)
            Say(QStringLiteral("ready"));
    });
    return QCoreApplication::exec();
}

int Hold(TRecovery& recovery, const QStringList& args) {
    static TDoc doc{args.value(0)};
    doc.Id = recovery.Opened({}, [] { return doc.Text; });
    recovery.Changed(doc.Id);
    QObject::connect(&recovery, &TRecovery::CopyWritten,
                     [&recovery] { Say(QStringLiteral("ready ") + recovery.Folder()); });
    auto* input = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, &recovery);
    QObject::connect(input, &QSocketNotifier::activated, [&recovery] {
        char line[64] = {};
        if (!std::fgets(line, sizeof line, stdin) || QByteArray(line).trimmed() == "exit") {
            recovery.Closed(doc.Id);
            recovery.Exit();
            QCoreApplication::quit();
        } else {
            Say(QStringLiteral("leftovers %1").arg(recovery.Leftovers().size()));
        }
    });
    return QCoreApplication::exec();
}

int Churn(TRecovery& recovery, const QStringList& args) {
    static int generation = 1;
    static const int lines = args.value(0).toInt();
    static TDocumentId id = 0;
    id = recovery.Opened({}, [] { return rig::ChurnText(generation, lines); });
    recovery.Changed(id);
    QObject::connect(&recovery, &TRecovery::CopyWritten, [&recovery] {
        Say(QStringLiteral("written %1").arg(generation));
        ++generation;
        recovery.Changed(id);
    });
    return QCoreApplication::exec();
}

int Scan(TRecovery& recovery) {
    for (const TLeftover& leftover : recovery.Leftovers())
        Say(QStringLiteral("leftover %1 %2")
                .arg(leftover.Copy.File, leftover.Copy.Text.section(u'\n', 0, 0)));
    recovery.EndRecovery();
    return 0;
}

int Store(TRecovery& recovery, bool revoke) {
    if (revoke)
        ::chmod(QFile::encodeName(recovery.Folder()).constData(), 0555);
    Say(QStringLiteral("active %1").arg(recovery.Active() ? 1 : 0));
    static int problems = 0;
    QObject::connect(&recovery, &TRecovery::ProblemOccurred, [] { ++problems; });
    static QString text = QStringLiteral("x");
    const TDocumentId id = recovery.Opened({}, [] { return text; });
    auto* typing = new QTimer(&recovery);
    QObject::connect(typing, &QTimer::timeout, [&recovery, id] {
        text += u'x';
        recovery.Changed(id);
    });
    typing->start(10);
    QTimer::singleShot(1500, [] {
        Say(QStringLiteral("problems %1").arg(problems));
        QCoreApplication::quit();
    });
    return QCoreApplication::exec();
}

} // namespace

int main(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    if (args.value(0) == QStringLiteral("--as-nobody")) {
        args.removeFirst();
        if (::geteuid() == 0 && !BecomeNobody())
            return 3;
    }
    QCoreApplication app(argc, argv);
    const QString mode = args.value(0);
    // Copies as fast as they can be written for churn, soon after typing otherwise.
    const bool churn = mode == QStringLiteral("churn");
    TRecovery recovery(rig::Quick(args.value(1), churn ? 0 : 20, churn ? 0 : 300));
    const QStringList rest = args.mid(2);
    if (mode == QStringLiteral("type"))
        return Type(recovery, rest);
    if (mode == QStringLiteral("hold"))
        return Hold(recovery, rest);
    if (churn)
        return Churn(recovery, rest);
    if (mode == QStringLiteral("scan"))
        return Scan(recovery);
    if (mode == QStringLiteral("store") || mode == QStringLiteral("revoke"))
        return Store(recovery, mode == QStringLiteral("revoke"));
    return 2;
}
