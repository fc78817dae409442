// SPDX-License-Identifier: GPL-3.0-or-later
#include "Datei/HelperFrames.h"

#include <QtEndian>

namespace datei {

namespace {

constexpr qint32 HelloMark = 0x4B574831;   // "KWH1"
constexpr qint32 RequestMark = 0x4B575251; // "KWRQ"
constexpr qint32 AnswerMark = 0x4B57414E;  // "KWAN"

void PutNumber(QByteArray& frame, qint32 value) {
    char bytes[4];
    qToBigEndian(value, bytes);
    frame.append(bytes, 4);
}

void PutText(QByteArray& frame, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    PutNumber(frame, static_cast<qint32>(bytes.size()));
    frame.append(bytes);
}

} // namespace

QByteArray HelperRequest(quint32 id, const QString& workingDir, const QStringList& arguments) {
    QByteArray frame;
    PutNumber(frame, RequestMark);
    PutNumber(frame, static_cast<qint32>(id));
    PutNumber(frame, static_cast<qint32>(arguments.size() + 1));
    PutText(frame, workingDir);
    for (const QString& argument : arguments)
        PutText(frame, argument);
    return frame;
}

void THelperFrameReader::Feed(const QByteArray& bytes) {
    if (!Broken)
        Pending.append(bytes);
}

THelperFrameReader::TFrame THelperFrameReader::Next() {
    if (Broken)
        return TFrame::Garbage;
    qsizetype at = 0;
    qint32 mark = 0;
    if (!ReadNumber(at, mark))
        return TFrame::None;
    TFrame frame = TFrame::Garbage;
    if (mark == HelloMark)
        frame = ReadHello(at);
    else if (mark == AnswerMark)
        frame = ReadAnswer(at);
    if (frame == TFrame::None && Pending.size() > FrameLimit)
        frame = TFrame::Garbage;
    if (frame == TFrame::Garbage) {
        Broken = true;
        Pending.clear();
    } else if (frame != TFrame::None) {
        Pending.remove(0, at);
    }
    return frame;
}

THelperFrameReader::TFrame THelperFrameReader::ReadHello(qsizetype& at) {
    QByteArray version;
    bool tooLong = false;
    if (!ReadBytes(at, version, tooLong))
        return tooLong ? TFrame::Garbage : TFrame::None;
    HelloVersion = QString::fromUtf8(version);
    return TFrame::Hello;
}

THelperFrameReader::TFrame THelperFrameReader::ReadAnswer(qsizetype& at) {
    qint32 id = 0;
    qint32 kind = 0;
    qint32 status = 0;
    THelperAnswer answer;
    bool tooLong = false;
    if (!ReadNumber(at, id) || !ReadNumber(at, kind) || !ReadNumber(at, status))
        return TFrame::None;
    if (kind != 0 && kind != 1)
        return TFrame::Garbage;
    if (!ReadBytes(at, answer.StdErr, tooLong) || !ReadBytes(at, answer.StdOut, tooLong))
        return tooLong ? TFrame::Garbage : TFrame::None;
    answer.Id = static_cast<quint32>(id);
    answer.Declined = kind == 1;
    answer.ExitStatus = status;
    Answer = answer;
    return TFrame::Answer;
}

bool THelperFrameReader::ReadNumber(qsizetype& at, qint32& value) const {
    if (Pending.size() - at < 4)
        return false;
    value = qFromBigEndian<qint32>(Pending.constData() + at);
    at += 4;
    return true;
}

bool THelperFrameReader::ReadBytes(qsizetype& at, QByteArray& bytes, bool& tooLong) const {
    qint32 length = 0;
    if (!ReadNumber(at, length))
        return false;
    if (length < 0 || length > FrameLimit) {
        tooLong = true;
        return false;
    }
    if (Pending.size() - at < length)
        return false;
    bytes = Pending.mid(at, length);
    at += length;
    return true;
}

} // namespace datei
