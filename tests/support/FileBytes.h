// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading and writing whole files as bytes, for tests that check what a
// command left on disk.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtTest>

// The file's bytes, or a marker no test writes when it cannot be read.
inline QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

inline void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}
