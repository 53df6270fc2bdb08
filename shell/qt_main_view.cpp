// Texts cross here between the program's UTF-8 strings and Qt's.
#include "shell/qt_main_view.h"

#include "shell/main_window.h"
#include "shell/qt_html_view.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QSpinBox>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>

namespace k3 {

namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void QtMainView::setDrawTimeText(std::string_view text) { m_window.drawTimeLabel()->setText(fromUtf8(text)); }

void QtMainView::setCurrentPeriodText(std::string_view text) {
    m_window.currentPeriodLabel()->setText(fromUtf8(text));
}

void QtMainView::setDrawNumberText(int position, std::string_view text) {
    m_window.numberLabel(position)->setText(fromUtf8(text));
}

void QtMainView::insertHistoryRowAtTop(std::string_view period, std::string_view numbers) {
    auto* row = new QTreeWidgetItem({fromUtf8(period), fromUtf8(numbers)});
    m_window.historyList()->insertTopLevelItem(0, row);
}

void QtMainView::clearHistoryRows() { m_window.historyList()->clear(); }

void QtMainView::setCountdownInterval(int milliseconds) {
    QTimer* timer = m_window.countdownTimer();
    if (milliseconds <= 0) {
        timer->stop();
        return;
    }
    timer->start(milliseconds);
}

std::string QtMainView::formulaPeriodsText() const {
    return m_window.formulaPeriodsBox()->currentText().toStdString();
}

std::string QtMainView::betCountText() const { return m_window.betCountEdit()->text().toStdString(); }

void QtMainView::setBetCountText(std::string_view text) {
    m_window.betCountEdit()->setValue(fromUtf8(text).toInt());
}

LinkTemplateGeometry QtMainView::linkTemplateGeometry() const {
    const QLabel* link = m_window.linkTemplate();
    return {link->x(), link->y(), link->width()};
}

void QtMainView::addLink(std::string_view caption, std::string_view target, int left, int top) {
    const QLabel* linkTemplate = m_window.linkTemplate();
    auto* link = new QLabel(&m_window);
    link->setObjectName(linkTemplate->objectName() + QStringLiteral("_副本"));
    link->setGeometry(left, top, linkTemplate->width(), linkTemplate->height());
    link->setStyleSheet(linkTemplate->styleSheet());
    // The caption is shown as text; the address never passes through the label's markup.
    link->setText(QStringLiteral("<a href=\"#\" style=\"color:#deb256;\">%1</a>")
                      .arg(fromUtf8(caption).toHtmlEscaped()));
    link->setToolTip(fromUtf8(target));
    const QUrl address(fromUtf8(target));
    QObject::connect(link, &QLabel::linkActivated, link, [address] {
        if (isWebAddress(address)) QDesktopServices::openUrl(address);
    });
    link->show();
}

void QtMainView::openHtmlPage(std::string_view address) {
    m_window.htmlView()->setUrl(QUrl(fromUtf8(address)));
}

}  // namespace k3
