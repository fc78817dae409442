// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace datei {

// The frames Kodiwerk and its compile helper exchange over the helper's
// standard input and output. Numbers are 32 bits, most significant byte
// first; a text is its length in bytes and its UTF-8 bytes.
//
//   hello    "KWH1"  text: the helper's Java version
//   request  "KWRQ"  id  count  count texts: working directory, javac's arguments
//   answer   "KWAN"  id  kind (0 compiled, 1 declined)  exit status
//                    bytes: standard error (or why it was declined)
//                    bytes: standard output

// A request to compile with `arguments` in `workingDir`.
QByteArray HelperRequest(quint32 id, const QString& workingDir, const QStringList& arguments);

struct THelperAnswer {
    quint32 Id = 0;
    // The helper could not make this compile exactly as the javac command
    // would; StdErr then says why.
    bool Declined = false;
    int ExitStatus = -1;
    QByteArray StdErr;
    QByteArray StdOut;
};

// Takes the helper's output as it arrives and cuts it into frames.
class THelperFrameReader {
public:
    enum class TFrame {
        None,    // no complete frame yet
        Hello,   // Version() holds what it said
        Answer,  // LastAnswer() holds it
        Garbage, // not a frame: nothing after this can be trusted
    };

    // Bytes as they came; a frame is never longer than this.
    static constexpr qsizetype FrameLimit = 3 << 20;

    void Feed(const QByteArray& bytes);
    // The next frame of what was fed; Garbage stays Garbage.
    TFrame Next();

    QString Version() const { return HelloVersion; }
    const THelperAnswer& LastAnswer() const { return Answer; }

private:
    TFrame ReadHello(qsizetype& at);
    TFrame ReadAnswer(qsizetype& at);
    bool ReadNumber(qsizetype& at, qint32& value) const;
    bool ReadBytes(qsizetype& at, QByteArray& bytes, bool& tooLong) const;

    QByteArray Pending;
    bool Broken = false;
    QString HelloVersion;
    THelperAnswer Answer;
};

} // namespace datei
