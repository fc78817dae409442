// SPDX-License-Identifier: GPL-3.0-or-later
// What a run does with the user's input while it waits, on a real X display:
// without a cancel token, keys wait until the run is over (as they always
// did); with one, they arrive while it runs, so the window can see Escape.
#include "DosCall/RunCaptured.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>
#include <QtTest>
#include <xcb/xcb.h>

namespace {

// Counts the key presses the application delivers, to whatever object.
class TKeyCounter : public QObject {
public:
    int Keys = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && watched->isWidgetType())
            ++Keys;
        return false;
    }
};

// A key press as the X server would deliver it to `window`.
void SendKey(QWidget& window) {
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11->connection();
    xcb_key_press_event_t key{};
    key.response_type = XCB_KEY_PRESS;
    key.detail = 38; // "a" on the usual keyboard map
    key.time = XCB_CURRENT_TIME;
    key.root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    key.event = static_cast<xcb_window_t>(window.winId());
    key.same_screen = 1;
    xcb_send_event(connection, false, key.event, XCB_EVENT_MASK_KEY_PRESS,
                   reinterpret_cast<const char*>(&key));
    xcb_flush(connection);
}

} // namespace

class TestCancelWait : public QObject {
    Q_OBJECT

private slots:
    void keys_arrive_during_the_wait_only_with_a_token_data() {
        QTest::addColumn<bool>("token");
        QTest::newRow("without a token") << false;
        QTest::newRow("with a token") << true;
    }
    void keys_arrive_during_the_wait_only_with_a_token() {
        QFETCH(bool, token);
        QVERIFY(qApp->nativeInterface<QNativeInterface::QX11Application>());
        QWidget window;
        window.resize(200, 100);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        TKeyCounter counter;
        qApp->installEventFilter(&counter);
        // A key sent and delivered before the run: the way there works.
        SendKey(window);
        QTRY_COMPARE(counter.Keys, 1);

        doscall::TCancel cancel;
        int keysBeforeEnd = -1;
        QTimer::singleShot(300, &window, [&] { SendKey(window); });
        const doscall::TCapture run = doscall::RunCaptured(
            QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("sleep 1.5")}, QString(),
            token ? &cancel : nullptr);
        keysBeforeEnd = counter.Keys;
        QVERIFY(run.Succeeded());
        QCOMPARE(keysBeforeEnd, token ? 2 : 1);
        // Held back, never lost: it comes once the run is over.
        QTRY_COMPARE(counter.Keys, 2);
        qApp->removeEventFilter(&counter);
    }

    void escape_on_the_window_can_cancel_the_run() {
        QWidget window;
        window.resize(200, 100);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        doscall::TCancel cancel;
        // What the window will do: Escape during a compile triggers the token.
        struct TEscape : QObject {
            doscall::TCancel* Token;
            bool eventFilter(QObject*, QEvent* event) override {
                if (event->type() == QEvent::KeyPress)
                    Token->Cancel();
                return false;
            }
        } escape;
        escape.Token = &cancel;
        qApp->installEventFilter(&escape);
        QTimer::singleShot(300, &window, [&] { SendKey(window); });
        QElapsedTimer clock;
        clock.start();
        const doscall::TCapture run = doscall::RunCaptured(
            QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("sleep 120")}, QString(),
            &cancel);
        qApp->removeEventFilter(&escape);
        QVERIFY(run.Cancelled);
        QVERIFY2(clock.elapsed() < 60000, qPrintable(QString::number(clock.elapsed())));
    }
};

QTEST_MAIN(TestCancelWait)
#include "tst_cancelwait.moc"
