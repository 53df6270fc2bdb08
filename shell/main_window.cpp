// The main window's controls, placed at fixed pixel positions over the background picture.
#include "shell/main_window.h"

#include "shell/qt_html_view.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>
#include <QTreeWidget>

namespace k3 {

namespace {

constexpr int kTitleBarHeight = 33;
constexpr int kBalloonMilliseconds = 2000;

const char* const kTransparentLabelStyle = "background: transparent; color: #f0e4c8;";
const char* const kCaptionButtonStyle =
    "QPushButton { border-image: url(:/assets/button_caption.png) 7 7 7 7 stretch; border-width: 7px;"
    " color: #3a2300; font-weight: bold; }"
    "QPushButton:pressed { padding-top: 2px; }";

template <typename Widget>
Widget* place(Widget* widget, const char* name, int x, int y, int width, int height) {
    widget->setObjectName(QString::fromUtf8(name));
    widget->setGeometry(x, y, width, height);
    return widget;
}

QLabel* transparentLabel(QWidget* parent, const char* name, const QString& text, int x, int y, int width,
                         int height, int pixelSize) {
    auto* label = place(new QLabel(text, parent), name, x, y, width, height);
    label->setStyleSheet(QString::fromLatin1(kTransparentLabelStyle) +
                         QStringLiteral("font-size: %1px;").arg(pixelSize));
    label->setAttribute(Qt::WA_TranslucentBackground);
    return label;
}

QPushButton* captionButton(QWidget* parent, const char* name, const QString& text, int x, int y, int width,
                           int height) {
    auto* button = place(new QPushButton(text, parent), name, x, y, width, height);
    button->setStyleSheet(QString::fromLatin1(kCaptionButtonStyle));
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

QPushButton* imageButton(QWidget* parent, const char* name, const QString& image, int x, int y) {
    auto* button = place(new QPushButton(parent), name, x, y, 28, 33);
    button->setFlat(true);
    button->setIcon(QIcon(image));
    button->setIconSize(QSize(28, 33));
    button->setStyleSheet(
        QStringLiteral("QPushButton { border: none; background: transparent; }"
                       "QPushButton:hover { background: rgba(255, 255, 255, 40); }"));
    return button;
}

// A panel that shows the window's background where it lies, hiding what is under it.
class BlankPanel final : public QWidget {
public:
    BlankPanel(QWidget* parent, const QPixmap& background) : QWidget(parent), m_background(background) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawPixmap(rect(), m_background, geometry());
    }

private:
    const QPixmap& m_background;
};

// The bet-count box: its arrows keep to the range, while typed digits stay as typed until the
// count is confirmed and brought into the range there.
class BetCountBox final : public QSpinBox {
public:
    using QSpinBox::QSpinBox;

protected:
    QValidator::State validate(QString& input, int& position) const override {
        static const QRegularExpression digits(
            QRegularExpression::anchoredPattern(QStringLiteral("\\d{0,6}")));
        if (!digits.match(input).hasMatch()) return QValidator::Invalid;
        const QValidator::State inRange = QSpinBox::validate(input, position);
        return inRange == QValidator::Acceptable ? inRange : QValidator::Intermediate;
    }
};

}  // namespace

MainWindow::MainWindow(const QString& productName, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      m_background(QStringLiteral(":/assets/background.png")) {
    setObjectName(QStringLiteral("主窗口"));
    setGeometry(50, 50, 1000, 700);
    setFixedSize(1000, 700);
    createTitleBar(productName);
    createDrawArea();
    createPlanArea();
    createBetPanel();
    createHistoryArea();
    createPageArea();
    m_countdown = new QTimer(this);
    m_countdown->setObjectName(QStringLiteral("时钟_剩余开奖时间"));
    connect(m_countdown, &QTimer::timeout, this, &MainWindow::countdownTicked);
}

void MainWindow::createTitleBar(const QString& productName) {
    setWindowTitle(productName);
    m_title = transparentLabel(this, "透明标签_窗口标题", productName, 9, 4, 806, 24, 15);
    // The title area moves the window, so the label lets mouse presses through.
    m_title->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto* minimise = imageButton(this, "图形按钮2", QStringLiteral(":/assets/button_minimise.png"), 944, 0);
    auto* close = imageButton(this, "图形按钮1", QStringLiteral(":/assets/button_close.png"), 972, 0);
    connect(minimise, &QPushButton::clicked, this, &QWidget::showMinimized);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
}

void MainWindow::createDrawArea() {
    auto* heading = transparentLabel(this, "透明标签1", QStringLiteral("实时开奖"), 7, 37, 83, 32, 18);
    heading->setStyleSheet(heading->styleSheet() + QStringLiteral("font-weight: bold; color: #deb256;"));
    m_currentPeriod = transparentLabel(this, "透明标签_当前期号", QStringLiteral("当前期号:00000000-00"), 14,
                                       108, 154, 16, 12);
    static const char* const names[5] = {"透明标签_开奖1", "透明标签_开奖2", "透明标签_开奖3",
                                         "透明标签_开奖4", "透明标签_开奖5"};
    for (int i = 0; i < 5; ++i) {
        m_numbers[i] = transparentLabel(this, names[i], QStringLiteral("0"), 193 + 60 * i, 99, 27, 28, 22);
        m_numbers[i]->setStyleSheet(
            QStringLiteral("background: transparent; color: #b01c1c; font-size: 22px;"
                           " font-weight: bold;"));
        m_numbers[i]->setAlignment(Qt::AlignCenter);
    }
    place(new BlankPanel(this, m_background), "画板2", 240, 80, 54, 64);
    place(new BlankPanel(this, m_background), "画板3", 354, 80, 58, 64);
    transparentLabel(this, "透明标签17", QStringLiteral("开奖剩余时间："), 50, 170, 115, 16, 13);
    m_drawTime =
        transparentLabel(this, "透明标签_开奖时间", QStringLiteral("00：00：00"), 184, 166, 152, 24, 18);
    m_drawTime->setStyleSheet(m_drawTime->styleSheet() +
                              QStringLiteral("color: #deb256; font-weight: bold;"));
}

void MainWindow::createPlanArea() {
    m_planBox = place(new QPlainTextEdit(this), "编辑框_计划", 5, 222, 530, 396);
    m_planBox->setReadOnly(true);
    m_planBox->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_planBox->setContextMenuPolicy(Qt::NoContextMenu);
    m_planBox->setStyleSheet(
        QStringLiteral("QPlainTextEdit { background: #fbfaf6; color: #1b1b1b;"
                       " font-size: 13px; border: 1px solid #deb256; }"));
    m_planBox->installEventFilter(this);

    auto* periodsPanel = place(new QWidget(this), "画板_期数设置", 332, 222, 186, 32);
    periodsPanel->setAttribute(Qt::WA_StyledBackground);
    periodsPanel->setStyleSheet(
        QStringLiteral("#画板_期数设置 { background: rgba(10, 22, 52, 210);"
                       " border-radius: 5px; }"));
    transparentLabel(periodsPanel, "透明标签7", QStringLiteral("公式期数设置"), 12, 4, 77, 24, 12);
    m_formulaPeriods = place(new QComboBox(periodsPanel), "组合框_公式期数", 89, 5, 40, 20);
    m_formulaPeriods->addItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
    auto* switchButton =
        captionButton(periodsPanel, "超级按钮_期数切换", QStringLiteral("切换"), 128, 0, 57, 31);
    connect(switchButton, &QPushButton::clicked, this, &MainWindow::switchFormulaPeriodsClicked);

    auto* clearButton =
        captionButton(this, "超级按钮_清理计划", QStringLiteral("清理计划并重新获取"), 176, 621, 146, 34);
    connect(clearButton, &QPushButton::clicked, this, &MainWindow::clearPlanClicked);
    m_copyButton = captionButton(this, "超级按钮_复制", QStringLiteral("复制"), 457, 622, 57, 31);
    connect(m_copyButton, &QPushButton::clicked, this, &MainWindow::copyPlanClicked);

    m_balloon = place(new QLabel(this), "气球提示框1", 355, 628, 80, 24);
    m_balloon->setStyleSheet(
        QStringLiteral("background: #fffbe6; color: #3a2300; border: 1px solid #deb256;"
                       " border-radius: 6px; padding: 2px 6px;"));
    m_balloon->hide();
    m_balloonTimer = new QTimer(this);
    m_balloonTimer->setSingleShot(true);
    connect(m_balloonTimer, &QTimer::timeout, m_balloon, &QWidget::hide);
}

void MainWindow::createBetPanel() {
    m_betPanel = place(new QWidget(this), "画板1", 5, 272, 531, 60);
    m_betPanel->hide();
    m_betSlider = place(new QSlider(Qt::Horizontal, m_betPanel), "多功能条1", 19, 24, 368, 16);
    m_betCount = place(new BetCountBox(m_betPanel), "编辑框_注数", 392, 23, 32, 19);
    m_betCount->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    m_betCount->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    m_betCount->setRange(0, 99999);
    m_betCount->setValue(25);
    auto* unit = place(new QLabel(QStringLiteral("注"), m_betPanel), "透明标签5", 443, 22, 17, 20);
    unit->setStyleSheet(QStringLiteral("background: transparent; color: #1b1b1b;"));
    auto* confirm =
        place(new QPushButton(QStringLiteral("确认修改"), m_betPanel), "按钮_修改注数", 457, 22, 60, 20);
    connect(confirm, &QPushButton::clicked, this, &MainWindow::confirmBetCountClicked);
    // The slider and the edit box follow each other.
    connect(m_betSlider, &QSlider::valueChanged, this,
            [this](int position) { m_betCount->setValue(position); });
    connect(m_betCount, &QSpinBox::editingFinished, this,
            [this] { m_betSlider->setValue(m_betCount->value()); });
}

void MainWindow::createHistoryArea() {
    auto* heading = transparentLabel(this, "透明标签2", QStringLiteral("历史开奖"), 546, 37, 182, 32, 18);
    heading->setStyleSheet(heading->styleSheet() + QStringLiteral("font-weight: bold; color: #deb256;"));
    auto* columns =
        place(new QLabel(QStringLiteral("     开奖期号        开奖号"), this), "标签1", 546, 69, 180, 25);
    columns->setStyleSheet(QStringLiteral("background: #e9dcb8; color: #3a2300; font-size: 12px;"));
    m_history = place(new QTreeWidget(this), "超级列表框_历史开奖", 546, 93, 180, 562);
    m_history->setColumnCount(2);
    m_history->setHeaderLabels({QStringLiteral("开奖期号"), QStringLiteral("开奖号")});
    m_history->setColumnWidth(0, 100);
    m_history->setColumnWidth(1, 62);
    m_history->header()->setStretchLastSection(false);
    m_history->setHeaderHidden(true);  // the label above serves as the column heading
    m_history->setRootIsDecorated(false);
    m_history->setSelectionMode(QAbstractItemView::SingleSelection);
    m_history->setStyleSheet(
        QStringLiteral("QTreeWidget { background: #fbfaf6; color: #1b1b1b; font-size: 12px;"
                       " border: 1px solid #deb256; }"));
}

void MainWindow::createPageArea() {
    m_htmlView = place(new QtHtmlView(this), "超文本浏览框1", 736, 42, 259, 613);
    m_linkTemplate = place(new QLabel(this), "超级链接框2", 6, 674, 96, 20);
    m_linkTemplate->setStyleSheet(QStringLiteral("background: transparent; color: #deb256;"));
    m_linkTemplate->hide();
}

void MainWindow::applyBetLayout(int betMin, int betMax) {
    m_background = QPixmap(QStringLiteral(":/assets/background_bet.png"));
    setFixedSize(1000, m_background.height());
    m_betPanel->setAutoFillBackground(true);
    m_betPanel->setStyleSheet(QStringLiteral("#画板1 { background: rgb(255, 255, 255); }"));
    m_betPanel->setAttribute(Qt::WA_StyledBackground);
    m_betPanel->move(m_planBox->pos());
    m_betPanel->show();
    const int shift = m_betPanel->height() + 11;
    m_planBox->setGeometry(m_planBox->x(), m_betPanel->y() + shift, m_planBox->width(),
                           m_planBox->height() - shift);
    m_betSlider->setRange(betMin, betMax);
    m_betSlider->setValue(betMin);
    m_betCount->setRange(betMin, betMax);
    update();
}

QLabel* MainWindow::numberLabel(int position) const {
    Q_ASSERT(position >= 1 && position <= 5);
    return m_numbers[position - 1];
}

void MainWindow::setTitleText(const QString& text) { m_title->setText(text); }

void MainWindow::showCopyBalloon(const QString& text) {
    // The balloon's tip points at the middle of the copy button's top edge.
    m_balloon->setText(text);
    m_balloon->adjustSize();
    const int tipX = m_copyButton->x() + m_copyButton->width() / 2;
    m_balloon->move(tipX - m_balloon->width() / 2, m_copyButton->y() - m_balloon->height() - 2);
    m_balloon->show();
    m_balloon->raise();
    m_balloonTimer->start(kBalloonMilliseconds);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // The plan box is read-only, so nothing typed reaches it; cutting copies instead.
    if (watched == m_planBox && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Cut)) {
        m_planBox->copy();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    emit closed();
}

void MainWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_background);
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && event->position().y() < kTitleBarHeight) {
        m_dragging = true;
        m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
    }
    QWidget::mousePressEvent(event);
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragging) move(event->globalPosition().toPoint() - m_dragOffset);
    QWidget::mouseMoveEvent(event);
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event) {
    m_dragging = false;
    QWidget::mouseReleaseEvent(event);
}

}  // namespace k3
