// The splash: its controls, show and close answering whether they did anything, and closing it
// by hand asking for the end of the program.
#include "tests/shell/window_test_registry.h"

#include "shell/splash_window.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

namespace k3::test {

class WindowSplashTest final : public QObject {
    Q_OBJECT

private slots:
    void showsPictureAndMessage() {
        SplashWindow splash;
        QVERIFY(splash.show("正在连接服务器……"));
        QWidget* window = splash.window();
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->geometry(), QRect(50, 50, 300, 184));
        auto* picture = window->findChild<QLabel*>(QStringLiteral("图片框1"));
        QVERIFY(picture);
        QCOMPARE(picture->geometry(), QRect(0, 51, 300, 93));
        QVERIFY(!picture->pixmap().isNull());
        auto* message = window->findChild<QLabel*>(QStringLiteral("标签1"));
        QCOMPARE(message->geometry(), QRect(0, 144, 300, 40));
        QCOMPARE(message->text(), QStringLiteral("正在连接服务器……"));
    }

    void secondShowKeepsMessage() {
        SplashWindow splash;
        QVERIFY(splash.show("第一条"));
        QVERIFY(!splash.show("第二条"));
        QCOMPARE(splash.window()->findChild<QLabel*>(QStringLiteral("标签1"))->text(),
                 QStringLiteral("第一条"));
    }

    void closeTwice() {
        SplashWindow splash;
        QSignalSpy byUser(&splash, &SplashWindow::closedByUser);
        QVERIFY(!splash.close());
        QVERIFY(splash.show("正在连接服务器……"));
        QVERIFY(splash.close());
        QVERIFY(!splash.isOpen());
        QVERIFY(!splash.close());
        QCOMPARE(byUser.count(), 0);
    }

    void closingByHandAsksToEnd() {
        SplashWindow splash;
        QSignalSpy byUser(&splash, &SplashWindow::closedByUser);
        splash.show("正在连接服务器……");
        splash.window()->close();
        QCOMPARE(byUser.count(), 1);
        QVERIFY(!splash.isOpen() || !splash.window()->isVisible());
    }
};

K3_WINDOW_TEST(WindowSplashTest);

}  // namespace k3::test

#include "window_splash_test.moc"
