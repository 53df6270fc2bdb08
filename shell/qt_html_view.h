// The HTML view "超文本浏览框1" on Qt WebEngine. It loads the start-up page; once the window is
// ready it keeps its page and hands followed links to the desktop's browser.
#pragma once

#include <QWebEngineView>

class QUrl;

namespace k3 {

enum class NavigationDecision {
    Allow,        // the view follows the address
    Refuse,       // the view stays where it is
    OpenOutside,  // the view stays and the desktop opens the address
};

// Before the window is ready every navigation goes ahead (the start-up page loads); afterwards
// the view keeps its page, and only an http or https address of the page itself leaves the
// program. Addresses of embedded frames are refused without opening anything.
NavigationDecision decideNavigation(bool windowReady, bool isMainFrame, const QUrl& url);

class QtHtmlView final : public QWebEngineView {
    Q_OBJECT
public:
    explicit QtHtmlView(QWidget* parent = nullptr);

    // After this call the view refuses every navigation.
    void setWindowReady(bool ready);
    bool windowReady() const { return m_windowReady; }

signals:
    // The desktop was asked to open this address.
    void openedOutside(const QUrl& url);

private:
    class GuardedPage;
    class HandoverPage;

    bool m_windowReady = false;
};

}  // namespace k3
