// SPDX-License-Identifier: GPL-3.0-or-later
// The frames between Kodiwerk and its compile helper: requests as the helper
// reads them, answers cut out of output that arrives in pieces, and anything
// else taken for garbage.
#include "Datei/HelperFrames.h"

#include <QtTest>

using datei::HelperRequest;
using datei::THelperFrameReader;
using TFrame = datei::THelperFrameReader::TFrame;

namespace {

QByteArray Number(qint32 value) {
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

QByteArray Bytes(const QByteArray& bytes) {
    return Number(static_cast<qint32>(bytes.size())) + bytes;
}

QByteArray Hello(const QByteArray& version) {
    return "KWH1" + Bytes(version);
}

QByteArray Answer(qint32 id, qint32 kind, qint32 status, const QByteArray& err,
                  const QByteArray& out = {}) {
    return "KWAN" + Number(id) + Number(kind) + Number(status) + Bytes(err) + Bytes(out);
}

} // namespace

class TestHelperFrames : public QObject {
    Q_OBJECT

private slots:
    void a_request_carries_the_directory_and_each_argument_in_utf8() {
        const QByteArray expected = "KWRQ" + Number(7) + Number(3) + Bytes("/home/Ü") +
                                    Bytes("-nowarn") + Bytes("a b.java");
        QCOMPARE(HelperRequest(7, "/home/Ü", {"-nowarn", "a b.java"}), expected);
        QCOMPARE(HelperRequest(1, "/d", {""}),
                 "KWRQ" + Number(1) + Number(2) + Bytes("/d") + Bytes(""));
    }

    void frames_arriving_byte_by_byte_come_out_whole() {
        const QByteArray err("Hallo.java:1: error: ';' expected\n\0after", 40);
        const QByteArray stream = Hello("17.0.15") + Answer(1, 0, 1, err, "out") +
                                  Answer(2, 1, -1, "another working directory");
        THelperFrameReader reader;
        QList<TFrame> frames;
        for (char byte : stream) {
            reader.Feed(QByteArray(1, byte));
            for (TFrame frame; (frame = reader.Next()) != TFrame::None;) {
                frames << frame;
                if (frame == TFrame::Answer && reader.LastAnswer().Id == 1) {
                    QCOMPARE(reader.LastAnswer().StdErr, err);
                    QCOMPARE(reader.LastAnswer().StdOut, QByteArray("out"));
                    QCOMPARE(reader.LastAnswer().ExitStatus, 1);
                    QVERIFY(!reader.LastAnswer().Declined);
                }
            }
        }
        QCOMPARE(frames, (QList<TFrame>{TFrame::Hello, TFrame::Answer, TFrame::Answer}));
        QCOMPARE(reader.Version(), QStringLiteral("17.0.15"));
        QVERIFY(reader.LastAnswer().Declined);
        QCOMPARE(reader.LastAnswer().Id, 2u);
        QCOMPARE(reader.LastAnswer().StdErr, QByteArray("another working directory"));
    }

    void anything_but_a_frame_is_garbage_for_good_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("text") << QByteArray("Picked up JAVA_TOOL_OPTIONS: x\n");
        QTest::newRow("unknown kind") << Answer(1, 5, 0, "x");
        QTest::newRow("negative length") << QByteArray("KWH1" + Number(-1));
        QTest::newRow("longer than any frame")
            << QByteArray("KWAN" + Number(1) + Number(0) + Number(0) +
                          Number(THelperFrameReader::FrameLimit + 1));
    }
    void anything_but_a_frame_is_garbage_for_good() {
        QFETCH(QByteArray, bytes);
        THelperFrameReader reader;
        reader.Feed(bytes);
        QCOMPARE(reader.Next(), TFrame::Garbage);
        reader.Feed(Hello("17"));
        QCOMPARE(reader.Next(), TFrame::Garbage);
    }

    void an_unfinished_frame_waits_for_the_rest() {
        THelperFrameReader reader;
        const QByteArray answer = Answer(3, 0, 0, QByteArray(1000, 'e'));
        reader.Feed(answer.left(answer.size() - 1));
        QCOMPARE(reader.Next(), TFrame::None);
        reader.Feed(answer.right(1));
        QCOMPARE(reader.Next(), TFrame::Answer);
        QCOMPARE(reader.LastAnswer().StdErr.size(), 1000);
        QCOMPARE(reader.Next(), TFrame::None);
    }
};

QTEST_APPLESS_MAIN(TestHelperFrames)
#include "tst_helperframes.moc"
