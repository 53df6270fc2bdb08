// The main window's controls: names, places, sizes, first texts; and the handlers that stay
// inside the window (copy, plan box keys, title drag, bet-count layout).
#include "tests/shell/window_test_registry.h"

#include "shell/main_window.h"
#include "shell/qt_html_view.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace k3::test {

namespace {

const QString kProduct = QStringLiteral("澜星吉林快三平刷独胆计划");

QWidget* control(QWidget& window, const QString& name) { return window.findChild<QWidget*>(name); }

QString textOf(QWidget* widget) {
    if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
    if (auto* button = qobject_cast<QPushButton*>(widget)) return button->text();
    if (auto* spin = qobject_cast<QSpinBox*>(widget)) return spin->text();
    if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) return edit->toPlainText();
    return {};
}

}  // namespace

class WindowLayoutTest final : public QObject {
    Q_OBJECT

private slots:
    void windowFrame() {
        MainWindow window(kProduct);
        QCOMPARE(window.geometry(), QRect(50, 50, 1000, 700));
        QCOMPARE(window.windowTitle(), kProduct);
        QVERIFY(window.windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(!window.isVisible());
    }

    void controlPlaces_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("hidden");
        const auto row = [](const char* name, QRect geometry, const QString& text, bool hidden = false) {
            QTest::newRow(name) << QString::fromUtf8(name) << geometry << text << hidden;
        };
        row("透明标签_窗口标题", {9, 4, 806, 24}, kProduct);
        row("图形按钮2", {944, 0, 28, 33}, {});
        row("图形按钮1", {972, 0, 28, 33}, {});
        row("透明标签1", {7, 37, 83, 32}, QStringLiteral("实时开奖"));
        row("透明标签_当前期号", {14, 108, 154, 16}, QStringLiteral("当前期号:00000000-00"));
        row("透明标签_开奖1", {193, 99, 27, 28}, QStringLiteral("0"));
        row("透明标签_开奖2", {253, 99, 27, 28}, QStringLiteral("0"));
        row("透明标签_开奖3", {313, 99, 27, 28}, QStringLiteral("0"));
        row("透明标签_开奖4", {373, 99, 27, 28}, QStringLiteral("0"));
        row("透明标签_开奖5", {433, 99, 27, 28}, QStringLiteral("0"));
        row("画板2", {240, 80, 54, 64}, {});
        row("画板3", {354, 80, 58, 64}, {});
        row("透明标签17", {50, 170, 115, 16}, QStringLiteral("开奖剩余时间："));
        row("透明标签_开奖时间", {184, 166, 152, 24}, QStringLiteral("00：00：00"));
        row("编辑框_计划", {5, 222, 530, 396}, {});
        row("画板_期数设置", {332, 222, 186, 32}, {});
        row("透明标签7", {12, 4, 77, 24}, QStringLiteral("公式期数设置"));
        row("组合框_公式期数", {89, 5, 40, 20}, {});
        row("超级按钮_期数切换", {128, 0, 57, 31}, QStringLiteral("切换"));
        row("画板1", {5, 272, 531, 60}, {}, true);
        row("多功能条1", {19, 24, 368, 16}, {});
        row("编辑框_注数", {392, 23, 32, 19}, QStringLiteral("25"));
        row("透明标签5", {443, 22, 17, 20}, QStringLiteral("注"));
        row("按钮_修改注数", {457, 22, 60, 20}, QStringLiteral("确认修改"));
        row("超级按钮_清理计划", {176, 621, 146, 34}, QStringLiteral("清理计划并重新获取"));
        row("超级按钮_复制", {457, 622, 57, 31}, QStringLiteral("复制"));
        row("透明标签2", {546, 37, 182, 32}, QStringLiteral("历史开奖"));
        row("标签1", {546, 69, 180, 25}, QStringLiteral("     开奖期号        开奖号"));
        row("超级列表框_历史开奖", {546, 93, 180, 562}, {});
        row("超文本浏览框1", {736, 42, 259, 613}, {});
        row("超级链接框2", {6, 674, 96, 20}, {}, true);
    }

    void controlPlaces() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        QFETCH(bool, hidden);
        MainWindow window(kProduct);
        window.show();
        QWidget* widget = control(window, name);
        QVERIFY2(widget, qPrintable(name));
        QCOMPARE(widget->geometry(), geometry);
        QCOMPARE(textOf(widget), text);
        QCOMPARE(widget->isHidden(), hidden);
    }

    void blankPanelsCoverSeparatorLabels() {
        MainWindow window(kProduct);
        window.show();
        const QList<QPair<QString, QString>> covers = {
            {QStringLiteral("画板2"), QStringLiteral("透明标签_开奖2")},
            {QStringLiteral("画板3"), QStringLiteral("透明标签_开奖4")}};
        for (const auto& [panelName, labelName] : covers) {
            QWidget* panel = control(window, panelName);
            QWidget* label = control(window, labelName);
            QVERIFY(panel->geometry().contains(label->geometry()));
            // The panel is stacked above the label, so the separator is not seen.
            QVERIFY(window.children().indexOf(panel) > window.children().indexOf(label));
        }
    }

    void comboAndListAndTimer() {
        MainWindow window(kProduct);
        QComboBox* periods = window.formulaPeriodsBox();
        QCOMPARE(periods->count(), 3);
        for (int i = 0; i < 3; ++i) QCOMPARE(periods->itemText(i), QString::number(i + 1));
        QTreeWidget* history = window.historyList();
        QCOMPARE(history->columnCount(), 2);
        QCOMPARE(history->headerItem()->text(0), QStringLiteral("开奖期号"));
        QCOMPARE(history->headerItem()->text(1), QStringLiteral("开奖号"));
        QCOMPARE(history->columnWidth(0), 100);
        QCOMPARE(history->columnWidth(1), 62);
        QCOMPARE(history->topLevelItemCount(), 0);
        QCOMPARE(window.countdownTimer()->objectName(), QStringLiteral("时钟_剩余开奖时间"));
        QVERIFY(!window.countdownTimer()->isActive());
    }

    void copyBalloonPointsAtCopyButtonAndGoesAway() {
        MainWindow window(kProduct);
        window.show();
        QSignalSpy copies(&window, &MainWindow::copyPlanClicked);
        QWidget* copyButton = control(window, QStringLiteral("超级按钮_复制"));
        QTest::mouseClick(copyButton, Qt::LeftButton);
        QCOMPARE(copies.count(), 1);
        window.showCopyBalloon(QStringLiteral("已复制到剪辑版"));
        auto* balloon = qobject_cast<QLabel*>(control(window, QStringLiteral("气球提示框1")));
        QVERIFY(balloon->isVisible());
        QCOMPARE(balloon->text(), QStringLiteral("已复制到剪辑版"));
        QCOMPARE(balloon->geometry().center().x(), copyButton->geometry().center().x());
        QVERIFY(balloon->geometry().bottom() < copyButton->y());
        QTRY_VERIFY_WITH_TIMEOUT(!balloon->isVisible(), 5000);
    }

    void planBoxKeys_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("letters") << QStringLiteral("abc") << int(Qt::NoModifier);
        QTest::newRow("digits") << QStringLiteral("123") << int(Qt::NoModifier);
        QTest::newRow("space and return") << QStringLiteral(" \r") << int(Qt::NoModifier);
        QTest::newRow("backspace") << QStringLiteral("\b") << int(Qt::NoModifier);
        QTest::newRow("ctrl+x") << QStringLiteral("x") << int(Qt::ControlModifier);
        QTest::newRow("ctrl+v") << QStringLiteral("v") << int(Qt::ControlModifier);
    }

    // Nothing typed changes the plan box; cutting copies the selection and keeps the text.
    void planBoxKeys() {
        QFETCH(QString, keys);
        QFETCH(int, modifiers);
        MainWindow window(kProduct);
        window.show();
        const QString plan = QStringLiteral("第一行计划\n第二行计划");
        window.planBox()->setPlainText(plan);
        window.planBox()->setFocus();
        window.planBox()->selectAll();
        QApplication::clipboard()->setText(QStringLiteral("clipboard before"));
        QTest::keyClicks(window.planBox(), keys, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(window.planBox()->toPlainText(), plan);
        const bool cut = modifiers == Qt::ControlModifier && keys == QLatin1String("x");
        QCOMPARE(QApplication::clipboard()->text(), cut ? plan : QStringLiteral("clipboard before"));
    }

    void planBoxHasNoContextMenu() {
        MainWindow window(kProduct);
        QCOMPARE(window.planBox()->contextMenuPolicy(), Qt::NoContextMenu);
    }

    void titleAreaDragsWindow() {
        MainWindow window(kProduct);
        window.show();
        const QPoint before = window.pos();
        QTest::mousePress(&window, Qt::LeftButton, Qt::NoModifier, QPoint(300, 12));
        QMouseEvent move(QEvent::MouseMove, QPointF(340, 32), window.mapToGlobal(QPointF(340, 32)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &move);
        QTest::mouseRelease(&window, Qt::LeftButton, Qt::NoModifier, QPoint(340, 32));
        QCOMPARE(window.pos(), before + QPoint(40, 20));
    }

    void betLayoutMovesPlanBoxBelowPanel() {
        MainWindow window(kProduct);
        window.applyBetLayout(10, 50);
        window.show();
        QWidget* panel = control(window, QStringLiteral("画板1"));
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->pos(), QPoint(5, 222));
        QCOMPARE(window.planBox()->geometry(), QRect(5, 222 + 60 + 11, 530, 396 - 60 - 11));
        QCOMPARE(window.height(), 782);
        QCOMPARE(window.betSlider()->minimum(), 10);
        QCOMPARE(window.betSlider()->maximum(), 50);
        QCOMPARE(window.betSlider()->value(), 10);
        window.betSlider()->setValue(33);
        QCOMPARE(window.betCountEdit()->text(), QStringLiteral("33"));
    }

    void closeButtonClosesAndMinimiseMinimises() {
        MainWindow window(kProduct);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::mouseClick(control(window, QStringLiteral("图形按钮2")), Qt::LeftButton);
        QTRY_VERIFY(window.windowState().testFlag(Qt::WindowMinimized));
        window.showNormal();
        QSignalSpy closed(&window, &MainWindow::closed);
        QTest::mouseClick(control(window, QStringLiteral("图形按钮1")), Qt::LeftButton);
        QTRY_VERIFY(!window.isVisible());
        QCOMPARE(closed.count(), 1);
    }
};

K3_WINDOW_TEST(WindowLayoutTest);

}  // namespace k3::test

#include "window_layout_test.moc"
