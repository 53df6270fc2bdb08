// The HTML view "超文本浏览框1" on Qt WebEngine. It loads the start-up page; once the window is
// ready it keeps its page and hands followed links to the desktop's browser.
#pragma once

#include <QUrl>
#include <QWebEngineView>

namespace k3 {

enum class NavigationDecision {
    Allow,        // the view follows the address
    Refuse,       // the view stays where it is
    OpenOutside,  // the view stays and the desktop opens the address
};

// An http or https address with a host: the only kind that leaves the program.
bool isWebAddress(const QUrl& url);

struct NavigationRequest {
    bool windowReady = false;
    bool mainFrame = true;
    bool byProgram = false;  // the program set the address itself (the start-up page)
    QUrl url;
    QUrl currentUrl;  // the page the view shows now
};

// Before the window is ready every navigation goes ahead. Afterwards the view keeps its page:
// the program's own loads and the page refreshing itself still go ahead, a followed http or
// https link of the page leaves the program for the desktop's browser, everything else
// (embedded frames, other schemes) is refused.
NavigationDecision decideNavigation(const NavigationRequest& request);

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
