// The HTML view: which navigations go ahead, which stay and which leave for the desktop.
#include "tests/shell/window_test_registry.h"

#include "shell/qt_html_view.h"
#include "tests/shell/window_url_catcher.h"

#include <QSignalSpy>
#include <QTest>
#include <QUrl>

namespace k3::test {

namespace {

const QString kAdvert = QStringLiteral("http://127.0.0.1:19200/advert");

}  // namespace

class WindowHtmlViewTest final : public QObject {
    Q_OBJECT

private slots:
    void decision_data() {
        QTest::addColumn<bool>("ready");
        QTest::addColumn<bool>("mainFrame");
        QTest::addColumn<bool>("byProgram");
        QTest::addColumn<QString>("url");
        QTest::addColumn<int>("expected");
        const int allow = int(NavigationDecision::Allow);
        const int refuse = int(NavigationDecision::Refuse);
        const int open = int(NavigationDecision::OpenOutside);
        QTest::newRow("start-up page") << false << true << false << kAdvert << allow;
        QTest::newRow("start-up frame") << false << false << false << "http://ads.example/frame" << allow;
        QTest::newRow("start-up file") << false << true << false << "file:///etc/passwd" << allow;
        QTest::newRow("program's own late load") << true << true << true << kAdvert << allow;
        QTest::newRow("page refreshes itself") << true << true << false << kAdvert << allow;
        QTest::newRow("same page other anchor") << true << true << false << kAdvert + "#today" << allow;
        QTest::newRow("link http") << true << true << false << "http://example.com/a?b=1" << open;
        QTest::newRow("link https upper case") << true << true << false << "HTTPS://example.com/" << open;
        QTest::newRow("same host other page") << true << true << false << "http://127.0.0.1:19200/x" << open;
        QTest::newRow("frame") << true << false << false << "https://example.com/frame" << refuse;
        QTest::newRow("file") << true << true << false << "file:///etc/passwd" << refuse;
        QTest::newRow("javascript") << true << true << false << "javascript:alert(1)" << refuse;
        QTest::newRow("mailto") << true << true << false << "mailto:a@example.com" << refuse;
        QTest::newRow("http without host") << true << true << false << "http:relative" << refuse;
        QTest::newRow("command-like") << true << true << false << "calc.exe" << refuse;
    }

    void decision() {
        QFETCH(bool, ready);
        QFETCH(bool, mainFrame);
        QFETCH(bool, byProgram);
        QFETCH(QString, url);
        QFETCH(int, expected);
        const NavigationRequest request{ready, mainFrame, byProgram, QUrl(url), QUrl(kAdvert)};
        QCOMPARE(int(decideNavigation(request)), expected);
    }

    // After the window is ready a followed link leaves the view on its page.
    void readyViewKeepsItsPage() {
        QtHtmlView view;
        view.resize(259, 613);
        view.show();
        QSignalSpy loads(&view, &QWebEngineView::loadFinished);
        view.setHtml(QStringLiteral("<a id='l' href='http://example.com/next'>下一页</a>"),
                     QUrl(QStringLiteral("http://127.0.0.1/")));
        QTRY_COMPARE_WITH_TIMEOUT(loads.count(), 1, 20000);
        QVERIFY(loads.at(0).at(0).toBool());
        const QUrl start = view.url();

        view.setWindowReady(true);
        m_catcher.opened.clear();
        QSignalSpy opened(&view, &QtHtmlView::openedOutside);
        view.page()->runJavaScript(QStringLiteral("document.getElementById('l').click();"));
        QTRY_COMPARE_WITH_TIMEOUT(opened.count(), 1, 20000);
        QCOMPARE(opened.at(0).at(0).toUrl(), QUrl(QStringLiteral("http://example.com/next")));
        QCOMPARE(m_catcher.opened, QList<QUrl>{QUrl(QStringLiteral("http://example.com/next"))});
        QCOMPARE(view.url(), start);
    }

    // The start-up page may arrive only after the window is ready; the program's own load still
    // goes ahead.
    void programLoadAfterReadyGoesAhead() {
        QtHtmlView view;
        view.show();
        view.setWindowReady(true);
        QSignalSpy loads(&view, &QWebEngineView::loadFinished);
        QSignalSpy opened(&view, &QtHtmlView::openedOutside);
        view.setUrl(QUrl(QStringLiteral("data:text/html,<p>start</p>")));
        QTRY_COMPARE_WITH_TIMEOUT(loads.count(), 1, 20000);
        QVERIFY(loads.at(0).at(0).toBool());
        QCOMPARE(opened.count(), 0);
    }

private:
    UrlCatcher m_catcher{{QStringLiteral("http")}};
};

K3_WINDOW_TEST(WindowHtmlViewTest);

}  // namespace k3::test

#include "window_html_view_test.moc"
