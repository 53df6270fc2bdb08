// The main window: a frameless 1000 × 700 window with every control at its fixed place, and the
// handlers that stay inside the window (copy, plan box keys, minimise, close, bet-count sync).
// Handlers that need the plan or the settings are signals that the application connects.
#pragma once

#include <QPixmap>
#include <QPoint>
#include <QWidget>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSlider;
class QSpinBox;
class QTimer;
class QTreeWidget;

namespace k3 {

class QtHtmlView;

class MainWindow final : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(const QString& productName, QWidget* parent = nullptr);

    // Shows the bet-count panel above the plan box for a product sold by bet count.
    void applyBetLayout(int betMin, int betMax);
    void setTitleText(const QString& text);
    // A balloon over the copy button that goes away by itself.
    void showCopyBalloon(const QString& text);

    QLabel* drawTimeLabel() const { return m_drawTime; }
    QLabel* currentPeriodLabel() const { return m_currentPeriod; }
    QLabel* numberLabel(int position) const;  // 1 to 5
    QTreeWidget* historyList() const { return m_history; }
    QTimer* countdownTimer() const { return m_countdown; }
    QComboBox* formulaPeriodsBox() const { return m_formulaPeriods; }
    QSpinBox* betCountEdit() const { return m_betCount; }
    QSlider* betSlider() const { return m_betSlider; }
    QPlainTextEdit* planBox() const { return m_planBox; }
    QtHtmlView* htmlView() const { return m_htmlView; }
    QLabel* linkTemplate() const { return m_linkTemplate; }

signals:
    void copyPlanClicked();
    void switchFormulaPeriodsClicked();
    void clearPlanClicked();
    void confirmBetCountClicked();
    void countdownTicked();
    // The window was closed, by its close button or by the desktop.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createTitleBar(const QString& productName);
    void createDrawArea();
    void createPlanArea();
    void createBetPanel();
    void createHistoryArea();
    void createPageArea();

    QPixmap m_background;
    QLabel* m_title = nullptr;
    QLabel* m_currentPeriod = nullptr;
    QLabel* m_numbers[5] = {};
    QLabel* m_drawTime = nullptr;
    QPlainTextEdit* m_planBox = nullptr;
    QComboBox* m_formulaPeriods = nullptr;
    QWidget* m_betPanel = nullptr;
    QSlider* m_betSlider = nullptr;
    QSpinBox* m_betCount = nullptr;
    QPushButton* m_copyButton = nullptr;
    QLabel* m_balloon = nullptr;
    QTimer* m_balloonTimer = nullptr;
    QTreeWidget* m_history = nullptr;
    QtHtmlView* m_htmlView = nullptr;
    QLabel* m_linkTemplate = nullptr;
    QTimer* m_countdown = nullptr;
    bool m_dragging = false;
    QPoint m_dragOffset;
};

}  // namespace k3
