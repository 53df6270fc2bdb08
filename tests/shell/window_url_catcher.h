// Stands in for the desktop's browser: registered as the URL handler of a scheme, it keeps the
// addresses the program asked the desktop to open.
#pragma once

#include <QDesktopServices>
#include <QList>
#include <QObject>
#include <QUrl>

namespace k3::test {

class UrlCatcher final : public QObject {
    Q_OBJECT
public:
    explicit UrlCatcher(const QStringList& schemes) : m_schemes(schemes) {
        for (const QString& scheme : m_schemes) QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~UrlCatcher() override {
        for (const QString& scheme : m_schemes) QDesktopServices::unsetUrlHandler(scheme);
    }

    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.append(url); }

private:
    QStringList m_schemes;
};

}  // namespace k3::test
