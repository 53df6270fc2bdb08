// The splash window's two controls and its close rule.
#include "shell/splash_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QPixmap>
#include <QWidget>

namespace k3 {

class SplashWindow::Window final : public QWidget {
public:
    explicit Window(SplashWindow& owner) : QWidget(nullptr, Qt::Window), m_owner(owner) {
        setObjectName(QStringLiteral("启动窗口"));
        setWindowTitle(QStringLiteral("正在连接"));
        setGeometry(50, 50, 300, 184);
        setFixedSize(300, 184);
        setStyleSheet(QStringLiteral("QWidget#启动窗口 { background: #0a1634; }"));
        auto* picture = new QLabel(this);
        picture->setObjectName(QStringLiteral("图片框1"));
        picture->setGeometry(0, 51, 300, 93);
        picture->setPixmap(QPixmap(QStringLiteral(":/assets/splash.png")));
        m_message = new QLabel(this);
        m_message->setObjectName(QStringLiteral("标签1"));
        m_message->setGeometry(0, 144, 300, 40);
        m_message->setAlignment(Qt::AlignCenter);
        m_message->setText(QStringLiteral("正在获取网络数据,请稍后……"));
        m_message->setStyleSheet(QStringLiteral("color: #f0e4c8; font-size: 13px;"));
    }

    void setMessage(const QString& message) { m_message->setText(message); }
    void closeByProgram() {
        m_closingByProgram = true;
        close();
    }

protected:
    void closeEvent(QCloseEvent* event) override {
        event->accept();
        if (!m_closingByProgram) emit m_owner.closedByUser();
    }

private:
    SplashWindow& m_owner;
    QLabel* m_message = nullptr;
    bool m_closingByProgram = false;
};

SplashWindow::~SplashWindow() { close(); }

bool SplashWindow::show(std::string_view message) {
    if (isOpen()) return false;
    auto* window = new Window(*this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setMessage(QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size())));
    m_window = window;
    window->show();
    QCoreApplication::processEvents();
    return true;
}

bool SplashWindow::close() {
    if (!isOpen()) return false;
    auto* window = static_cast<Window*>(m_window.data());
    m_window.clear();
    window->closeByProgram();
    return true;
}

}  // namespace k3
