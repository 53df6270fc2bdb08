// The HTML view and its navigation guard.
#include "shell/qt_html_view.h"

#include <QDesktopServices>
#include <QUrl>
#include <QWebEnginePage>

namespace k3 {

bool isWebAddress(const QUrl& url) {
    const QString scheme = url.scheme().toLower();
    return (scheme == QLatin1String("http") || scheme == QLatin1String("https")) && !url.host().isEmpty();
}

NavigationDecision decideNavigation(const NavigationRequest& request) {
    if (!request.windowReady || request.byProgram) return NavigationDecision::Allow;
    if (!request.mainFrame) return NavigationDecision::Refuse;
    if (request.url.adjusted(QUrl::RemoveFragment) == request.currentUrl.adjusted(QUrl::RemoveFragment))
        return NavigationDecision::Allow;
    return isWebAddress(request.url) ? NavigationDecision::OpenOutside : NavigationDecision::Refuse;
}

namespace {

void openOutside(QtHtmlView& view, const QUrl& url) {
    QDesktopServices::openUrl(url);
    emit view.openedOutside(url);
}

}  // namespace

// A short-lived page for a link that opens a new window: it never loads anything, passes the
// first address to the guard and goes away.
class QtHtmlView::HandoverPage final : public QWebEnginePage {
public:
    explicit HandoverPage(QtHtmlView& view) : QWebEnginePage(&view), m_view(view) {}

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool) override {
        if (isWebAddress(url)) openOutside(m_view, url);
        deleteLater();
        return false;
    }

private:
    QtHtmlView& m_view;
};

// The page of the view: asks the guard before every navigation.
class QtHtmlView::GuardedPage final : public QWebEnginePage {
public:
    explicit GuardedPage(QtHtmlView& view) : QWebEnginePage(&view), m_view(view) {}

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override {
        // The view has no address bar: a typed navigation is one the program asked for.
        const bool byProgram = type == NavigationTypeTyped;
        switch (decideNavigation({m_view.windowReady(), isMainFrame, byProgram, url, this->url()})) {
            case NavigationDecision::Allow:
                return true;
            case NavigationDecision::OpenOutside:
                openOutside(m_view, url);
                return false;
            case NavigationDecision::Refuse:
                return false;
        }
        return false;
    }

    // A link that asks for a new window is treated like one followed in the view.
    QWebEnginePage* createWindow(WebWindowType) override { return new HandoverPage(m_view); }

private:
    QtHtmlView& m_view;
};

QtHtmlView::QtHtmlView(QWidget* parent) : QWebEngineView(parent) {
    setPage(new GuardedPage(*this));
    setContextMenuPolicy(Qt::NoContextMenu);
}

void QtHtmlView::setWindowReady(bool ready) { m_windowReady = ready; }

}  // namespace k3
