// SPDX-License-Identifier: GPL-3.0-or-later
#include "DosCall/ProcessSetup.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <clocale>
#include <cstring>
#include <langinfo.h>
#endif

namespace doscall {

namespace {

// Whether a child that sets its locale from the inherited variables (as the
// JDK's programs do) ends up with UTF-8 characters. A variable naming a
// locale the system lacks fails the whole set-up, leaving plain ASCII.
bool InheritedLocaleIsUtf8() {
#ifdef Q_OS_UNIX
    locale_t inherited = newlocale(LC_ALL_MASK, "", locale_t(nullptr));
    if (!inherited)
        return false;
    const bool utf8 = std::strcmp(nl_langinfo_l(CODESET, inherited), "UTF-8") == 0;
    freelocale(inherited);
    return utf8;
#else
    return true;
#endif
}

} // namespace

QProcessEnvironment ChildEnvironment() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!InheritedLocaleIsUtf8())
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    return environment;
}

QString FindProgram(const QString& program, const QString& workingDir) {
    if (program.isEmpty())
        return QString();
    QString path;
    if (program.contains(QLatin1Char('/')) || program.contains(QDir::separator())) {
        const QDir base(workingDir.isEmpty() ? QDir::currentPath() : workingDir);
        path = base.absoluteFilePath(program);
    } else {
        path = QStandardPaths::findExecutable(program);
    }
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
}

} // namespace doscall
