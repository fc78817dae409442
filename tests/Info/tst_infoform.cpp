// SPDX-License-Identifier: GPL-3.0-or-later
// The about box: its window, the picture over the whole client area and the
// version text, set afresh at every showing.
#include "Info/InfoForm.h"

#include <QAbstractButton>
#include <QLabel>
#include <QScreen>
#include <QtTest>

class TestInfoForm : public QObject {
    Q_OBJECT

private slots:
    void window_is_a_fixed_box_without_buttons() {
        TInfoForm form;
        QCOMPARE(form.windowTitle(), QStringLiteral("Kodiwerk "));
        QCOMPARE(form.size(), QSize(263, 176));
        QCOMPARE(form.minimumSize(), form.maximumSize());
        QVERIFY(form.findChildren<QAbstractButton*>().isEmpty());
        QVERIFY(form.windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(!(form.windowFlags() & Qt::WindowContextHelpButtonHint));
    }

    void picture_fills_the_client_area_and_has_a_name() {
        TInfoForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.Image->mapTo(&form, QPoint(0, 0)), QPoint(0, 0));
        QCOMPARE(form.Image->size(), form.size());
        QVERIFY(form.Image->hasScaledContents());
        QCOMPARE(form.Image->pixmap().size(), QSize(320, 230));
        QCOMPARE(form.Image->accessibleName(), QStringLiteral("Kodiwerk"));
        // Drawn over the picture, without a background of its own.
        QCOMPARE(form.L_Version->parentWidget(), form.Image);
        QVERIFY(!form.L_Version->autoFillBackground());
        QVERIFY(form.L_Version->isVisible());
        QVERIFY(form.rect().contains(form.L_Version->geometry()));
    }

    void version_is_set_at_the_first_and_every_later_showing() {
        TInfoForm form;
        const QString version = QStringLiteral("Version 1.02 [26.06.2002]");
        for (int showing = 1; showing <= 3; ++showing) {
            form.show();
            QCOMPARE(form.L_Version->text(), version);
            form.hide();
            form.L_Version->setText(QStringLiteral("Version"));
        }
    }

    void box_is_centred_on_the_screen() {
        QWidget owner;
        owner.setGeometry(10, 10, 200, 100);
        owner.show();
        TInfoForm form(&owner);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QPoint centre = form.screen()->availableGeometry().center();
        // Within the width of a window frame, which is unknown before the first showing.
        QVERIFY((form.frameGeometry().center() - centre).manhattanLength() <= 8);
    }
};

QTEST_MAIN(TestInfoForm)
#include "tst_infoform.moc"
