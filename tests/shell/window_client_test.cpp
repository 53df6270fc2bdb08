// The whole client window against a real k3drawd: the start-up, the buttons, new draws, a
// service that goes away and comes back, and a start-up with no service at all.
#include "tests/shell/window_test_registry.h"

#include "platform/clock.h"
#include "platform/message_box.h"
#include "platform/text.h"
#include "shell/app_state.h"
#include "shell/qt_client.h"
#include "shell/qt_event_pump.h"
#include "shell/settings_file.h"
#include "tests/shell/window_proxy.h"
#include "tests/shell/window_url_catcher.h"
#include "tests/support/closed_init_url.h"
#include "tests/support/drawd_process.h"
#include "updater/process_starter.h"
#include "updater/updater_files.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <sqlite3.h>

#include <algorithm>
#include <memory>

namespace k3::test {

namespace {

const std::string kProductName = "澜星吉林快三平刷独胆计划";
const QString kSettingsFile = QStringLiteral("配置.ini");
const QString kDrawDue = QStringLiteral("正在开奖……");
constexpr int kDrawWaitMilliseconds = 30000;

// The client as main() builds it, with recorded message boxes and endpoints of the test's
// choosing.
class ClientUnderTest {
public:
    // betPlanName makes the client one of a product of the family sold by bet count.
    ClientUnderTest(const QString& folder, const std::string& primaryUrl, const std::string& fallbackUrl,
                    const std::string& betPlanName = {})
        : m_platform{m_clock,
                     m_messages,
                     m_events,
                     m_files,
                     m_processes,
                     {},
                     folder.toStdString(),
                     InitEndpoints{primaryUrl, fallbackUrl}} {
        m_state = std::make_unique<AppState>(m_platform);
        m_state->setProductProfile(betPlanName.empty()
                                       ? thisBuildProfile(m_messages)
                                       : makeProductProfile(kProductName, kProductName, 2113, betPlanName,
                                                            "1.41", "", false, m_messages));
        m_client = std::make_unique<QtClient>(*m_state);
    }

    bool start() { return m_client->onMainWindowCreated(); }

    AppState& state() { return *m_state; }
    MainWindow& window() { return m_client->window(); }
    QtClient& client() { return *m_client; }
    const std::vector<std::string>& messages() const { return m_messages.messages(); }

    QLabel* label(const char* name) { return window().findChild<QLabel*>(QString::fromUtf8(name)); }
    QPushButton* button(const char* name) {
        return window().findChild<QPushButton*>(QString::fromUtf8(name));
    }
    QString topPeriod() { return window().historyList()->topLevelItem(0)->text(0); }

private:
    SystemClock m_clock;
    RecordingMessageBoxes m_messages;
    QtEventPump m_events;
    DiskUpdaterFiles m_files;
    SpawnProcessStarter m_processes;
    AppPlatform m_platform;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<QtClient> m_client;
};

// Counts the paint events a widget receives.
class PaintCounter final : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        count += event->type() == QEvent::Paint ? 1 : 0;
        return QObject::eventFilter(watched, event);
    }
};

std::string readStoredSetting(const QString& folder, std::string_view key) {
    SettingsFile settings(kProductName);
    settings.prepareSettings(folder.toStdString());
    return settings.readSetting(key, "missing");
}

// Keeps the newest count draws of the service's store and drops the rest.
bool keepNewestDraws(const QString& databasePath, int count) {
    sqlite3* db = nullptr;
    if (sqlite3_open(databasePath.toUtf8().constData(), &db) != SQLITE_OK) return false;
    const std::string sql =
        "DELETE FROM draws WHERE period NOT IN (SELECT period FROM draws ORDER BY period DESC LIMIT " +
        std::to_string(count) + ")";
    const bool ok = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

}  // namespace

class WindowClientTest final : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_folder = std::make_unique<QTemporaryDir>();
        QVERIFY(m_folder->isValid());
        m_previousDirectory = QDir::currentPath();
        QDir::setCurrent(m_folder->path());
    }

    void cleanup() {
        m_drawd.reset();
        QDir::setCurrent(m_previousDirectory);
        m_folder.reset();
    }

    void startsWithoutSettingsFile() {
        auto client = startedClient({"--interval", "60"});
        QVERIFY(client);
        QCOMPARE(client->window().formulaPeriodsBox()->currentText(), QStringLiteral("3"));
        QCOMPARE(client->state().formulaPeriods, 3);
        QVERIFY(!QFile::exists(kSettingsFile));
        QVERIFY(client->window().isVisible());
        QVERIFY(client->state().windowReady);
        QVERIFY(!client->client().splash().isOpen());
        QVERIFY(client->window().countdownTimer()->isActive());
        QCOMPARE(client->window().countdownTimer()->interval(), 100);
        QCOMPARE(client->window().historyList()->topLevelItemCount(), 50);
        QCOMPARE(client->label("透明标签_当前期号")->text(),
                 QStringLiteral("当前期号：") + client->topPeriod());
        QVERIFY(client->window().planBox()->toPlainText().contains(QStringLiteral("当前计划统计：总计")));
        QVERIFY(client->messages().empty());
    }

    // One link per start-up link, in a row from the hidden template, 3 pixels apart.
    void linkBarFollowsStartupLinks() {
        auto client =
            startedClient({"--interval", "60", "--link", "走势<b>图</b>=http://127.0.0.1:1/trend", "--link",
                           "帮助=https://127.0.0.1:1/help", "--link", "联系=http://127.0.0.1:1/contact"});
        QVERIFY(client);
        const InitInfo& info = client->state().initInfo;
        QCOMPARE(info.linkNames.size(), std::size_t{3});
        QList<QLabel*> links;
        for (QLabel* label : client->window().findChildren<QLabel*>(QStringLiteral("超级链接框2_副本")))
            links << label;
        std::sort(links.begin(), links.end(), [](QLabel* a, QLabel* b) { return a->x() < b->x(); });
        QCOMPARE(links.size(), 3);
        for (int i = 0; i < links.size(); ++i) {
            QVERIFY(links[i]->isVisible());
            QCOMPARE(links[i]->geometry(), QRect(6 + i * 99, 674, 96, 20));
            QCOMPARE(links[i]->toolTip(),
                     QString::fromStdString(info.linkTargets[static_cast<std::size_t>(i)]));
        }
        // A caption is shown as its text, never as markup.
        QVERIFY(links[0]->text().contains(QStringLiteral("走势&lt;b&gt;图&lt;/b&gt;")));
        UrlCatcher browser({QStringLiteral("http"), QStringLiteral("https")});
        emit links[1]->linkActivated(QStringLiteral("#"));
        QCOMPARE(browser.opened, QList<QUrl>{QUrl(QStringLiteral("https://127.0.0.1:1/help"))});
    }

    void storedFormulaPeriodsSelectItem_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("1") << "1"
                           << "1";
        QTest::newRow("2") << "2"
                           << "2";
        QTest::newRow("full-width 2") << "２"
                                      << "2";
        QTest::newRow("3") << "3"
                           << "3";
        // Values without an item fall back to the default instead of a plan of zero periods.
        QTest::newRow("0") << "0"
                           << "3";
        QTest::newRow("7") << "7"
                           << "3";
        QTest::newRow("-1") << "-1"
                            << "3";
        QTest::newRow("not a number") << "abc"
                                      << "3";
    }

    void storedFormulaPeriodsSelectItem() {
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        SettingsFile settings(std::string("澜星吉林快三平刷独胆计划"));
        settings.prepareSettings(m_folder->path().toStdString());
        QVERIFY(settings.writeSetting(kFormulaPeriodsKey, stored.toStdString()));
        auto client = startedClient({"--interval", "60"});
        QVERIFY(client);
        QCOMPARE(client->window().formulaPeriodsBox()->currentText(), shown);
        QCOMPARE(client->state().formulaPeriods, shown.toInt());
        // Reading the settings wrote nothing.
        QCOMPARE(readStoredSetting(m_folder->path(), kFormulaPeriodsKey), stored.toStdString());
    }

    void switchFormulaPeriods_data() {
        QTest::addColumn<int>("item");
        QTest::addColumn<bool>("written");
        QTest::newRow("new choice 1") << 0 << true;
        QTest::newRow("new choice 2") << 1 << true;
        QTest::newRow("choice in force") << 2 << false;
    }

    void switchFormulaPeriods() {
        QFETCH(int, item);
        QFETCH(bool, written);
        auto client = startedClient({"--interval", "60"});
        QVERIFY(client);
        const QString planBefore = client->window().planBox()->toPlainText();
        client->window().formulaPeriodsBox()->setCurrentIndex(item);
        QTest::mouseClick(client->button("超级按钮_期数切换"), Qt::LeftButton);
        QCOMPARE(client->state().formulaPeriods, item + 1);
        QCOMPARE(QFile::exists(kSettingsFile), written);
        if (!written) return;
        QCOMPARE(readStoredSetting(m_folder->path(), kFormulaPeriodsKey), std::to_string(item + 1));
        // The file is GBK on disk, as the family's other programs read it.
        QFile file(kSettingsFile);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.contains(QByteArray::fromStdString(*utf8ToGbk("公式期数"))));
        QVERIFY(!bytes.contains(QByteArray("公式期数")));
        // The plan was rebuilt for the new periods.
        QVERIFY(client->window().planBox()->toPlainText() != planBefore);
    }

    void copyPutsPlanOnClipboard() {
        auto client = startedClient({"--interval", "60"});
        QVERIFY(client);
        QApplication::clipboard()->setText(QStringLiteral("before"));
        QTest::mouseClick(client->button("超级按钮_复制"), Qt::LeftButton);
        const QString plan = client->window().planBox()->toPlainText();
        QVERIFY(plan.contains(QStringLiteral("彩票有风险，投注需谨慎！")));
        QCOMPARE(QApplication::clipboard()->text(), plan);
        QCOMPARE(client->label("气球提示框1")->text(), QStringLiteral("已复制到剪辑版"));
    }

    void clearRebuildsPlanAndSaysSo() {
        auto client = startedClient({"--interval", "60"});
        QVERIFY(client);
        client->window().planBox()->setPlainText(QStringLiteral("stale"));
        QTest::mouseClick(client->button("超级按钮_清理计划"), Qt::LeftButton);
        QCOMPARE(client->messages(), std::vector<std::string>{"清理成功！计划已经重新获取。"});
        const QString rebuilt = client->window().planBox()->toPlainText();
        QVERIFY(rebuilt.contains(QStringLiteral("当前计划统计：总计")));
        QVERIFY(rebuilt.contains(QStringLiteral("独胆定1码")));
    }

    // Labels first, then the plan box, then the history row at the top.
    void newDrawReachesLabelsPlanAndHistoryInOrder() {
        auto client = startedClient({"--interval", "3"});
        QVERIFY(client);
        const QString firstPeriod = client->topPeriod();
        QLabel* periodLabel = client->label("透明标签_当前期号");
        QStringList events;
        connect(client->window().planBox(), &QPlainTextEdit::textChanged, this,
                [&] { events << QStringLiteral("plan while label shows ") + periodLabel->text(); });
        connect(client->window().historyList()->model(), &QAbstractItemModel::rowsInserted, this,
                [&] { events << QStringLiteral("row while label shows ") + periodLabel->text(); });
        QTRY_VERIFY_WITH_TIMEOUT(client->topPeriod() != firstPeriod, kDrawWaitMilliseconds);
        const QString newPeriod = client->topPeriod();
        const QString shown = QStringLiteral("当前期号：") + newPeriod;
        QCOMPARE(events.value(0), QStringLiteral("plan while label shows ") + shown);
        QVERIFY(events.contains(QStringLiteral("row while label shows ") + shown));
        QVERIFY(events.indexOf(QStringLiteral("row while label shows ") + shown) > 0);
        QCOMPARE(client->window().historyList()->topLevelItem(1)->text(0), firstPeriod);
        QCOMPARE(client->window().historyList()->topLevelItemCount(), 51);
        const QString numbers = client->window().historyList()->topLevelItem(0)->text(1);
        QCOMPARE(client->label("透明标签_开奖1")->text(), numbers.mid(0, 1));
        QCOMPARE(client->label("透明标签_开奖3")->text(), numbers.mid(2, 1));
        QCOMPARE(client->label("透明标签_开奖5")->text(), numbers.mid(4, 1));
        QCOMPARE(client->state().drawHistory.at(1).period, newPeriod.toStdString());
    }

    // The countdown goes on without the service, shows the draw as due, and picks up the new
    // draw once the service is back.
    void serviceStoppedAndBack() {
        auto client = startedClient({"--interval", "12"});
        QVERIFY(client);
        QLabel* drawTime = client->label("透明标签_开奖时间");
        const QString firstPeriod = client->topPeriod();
        QTRY_VERIFY_WITH_TIMEOUT(client->topPeriod() != firstPeriod, kDrawWaitMilliseconds);
        const QString heldPeriod = client->topPeriod();
        QTRY_VERIFY_WITH_TIMEOUT(drawTime->text() != kDrawDue, kDrawWaitMilliseconds);
        m_drawd->stop();

        QStringList countdown;
        const QDeadlineTimer deadline(kDrawWaitMilliseconds);
        while (drawTime->text() != kDrawDue && !deadline.hasExpired()) {
            if (!countdown.contains(drawTime->text())) countdown << drawTime->text();
            QTest::qWait(50);
        }
        QCOMPARE(drawTime->text(), kDrawDue);
        QVERIFY2(countdown.size() >= 3, qPrintable(countdown.join(QLatin1Char(' '))));
        // While the service is away the window keeps saying so and nothing new arrives.
        QTest::qWait(7000);
        QCOMPARE(drawTime->text(), kDrawDue);
        QCOMPARE(client->topPeriod(), heldPeriod);
        QVERIFY(client->messages().empty());

        QVERIFY2(m_drawd->restart(), m_drawd->error().c_str());
        QTRY_VERIFY_WITH_TIMEOUT(client->topPeriod() != heldPeriod, kDrawWaitMilliseconds);
        QTRY_VERIFY_WITH_TIMEOUT(drawTime->text() != kDrawDue, kDrawWaitMilliseconds);
        QCOMPARE(client->label("透明标签_当前期号")->text(),
                 QStringLiteral("当前期号：") + client->topPeriod());
    }

    // A request that hangs does not freeze the window, and closing the window gives it up.
    void closeDuringHangingRequest() {
        WindowProxy proxy;
        QVERIFY2(startDrawd(
                     {"--interval", "3", "--public-url", "http://127.0.0.1:" + std::to_string(proxy.port())}),
                 m_drawd->error().c_str());
        proxy.setTargetPort(static_cast<quint16>(m_drawd->port()));
        auto client =
            std::make_unique<ClientUnderTest>(m_folder->path(), m_drawd->initUrl(), closedInitUrl());
        QVERIFY(client->start());

        QSignalSpy closed(&client->client(), &QtClient::closed);
        QLabel* drawTime = client->label("透明标签_开奖时间");
        PaintCounter paints(drawTime);
        int paintsDuringRequest = 0;
        bool copiedDuringRequest = false;
        int heldWhenClosing = 0;
        proxy.holdNewConnections();
        connect(&proxy, &WindowProxy::connectionHeld, this, [&] {
            // This runs while the client waits for the held request, from its event pump.
            const int before = paints.count;
            drawTime->update();
            QTest::qWait(200);
            paintsDuringRequest = paints.count - before;
            QApplication::clipboard()->clear();
            QTest::mouseClick(client->button("超级按钮_复制"), Qt::LeftButton);
            copiedDuringRequest =
                QApplication::clipboard()->text() == client->window().planBox()->toPlainText();
            heldWhenClosing = proxy.openHeldConnections();
            QTest::mouseClick(client->button("图形按钮1"), Qt::LeftButton);
        });
        QTRY_COMPARE_WITH_TIMEOUT(closed.count(), 1, kDrawWaitMilliseconds);
        QCOMPARE(heldWhenClosing, 1);
        QVERIFY(paintsDuringRequest > 0);
        QVERIFY(copiedDuringRequest);
        QVERIFY(client->state().requestsStopped());
        QVERIFY(!client->window().isVisible());
        QVERIFY(!client->window().countdownTimer()->isActive());
    }

    // A product sold by bet count: the bet panel, and a typed count brought into the range
    // before it is used and saved.
    void betCountIsClampedUsedAndSaved_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("used");
        QTest::newRow("below the range") << "5"
                                         << "10";
        QTest::newRow("lowest") << "10"
                                << "10";
        QTest::newRow("inside") << "33"
                                << "33";
        QTest::newRow("highest") << "50"
                                 << "50";
        QTest::newRow("above the range") << "80"
                                         << "50";
    }

    void betCountIsClampedUsedAndSaved() {
        QFETCH(QString, typed);
        QFETCH(QString, used);
        QVERIFY2(startDrawd({"--interval", "60"}), m_drawd->error().c_str());
        auto client = std::make_unique<ClientUnderTest>(m_folder->path(), m_drawd->initUrl(), closedInitUrl(),
                                                        "前三直选10-50注");
        QVERIFY(client->start());
        QVERIFY(client->window().findChild<QWidget*>(QStringLiteral("画板1"))->isVisible());
        // With nothing saved the slider starts in the middle of the range.
        QCOMPARE(client->window().betSlider()->value(), 30);
        QCOMPARE(client->window().betCountEdit()->text(), QStringLiteral("30"));
        QCOMPARE(client->state().planController().planName(), std::string("前三直选30注"));
        QVERIFY(!QFile::exists(kSettingsFile));

        QLineEdit* edit = client->window().betCountEdit()->findChild<QLineEdit*>();
        edit->selectAll();
        QTest::keyClicks(edit, typed);
        const std::size_t messagesBefore = client->messages().size();
        QTest::mouseClick(client->button("按钮_修改注数"), Qt::LeftButton);
        QCOMPARE(client->window().betCountEdit()->text(), used);
        QCOMPARE(client->state().planController().planName(), "前三直选" + used.toStdString() + "注");
        QCOMPARE(readStoredSetting(m_folder->path(), kBetCountKey), used.toStdString());
        // Rebuilding the plan may have its own say first; the confirmation comes last, once.
        const std::vector<std::string> said(client->messages().begin() + static_cast<long>(messagesBefore),
                                            client->messages().end());
        QCOMPARE(said.back(), std::string("更改获取注数成功！"));
        QCOMPARE(std::count(said.begin(), said.end(), said.back()), 1);
    }

    void noServiceEndsTheStart() {
        auto client = std::make_unique<ClientUnderTest>(m_folder->path(), closedInitUrl(), closedInitUrl());
        QVERIFY(!client->start());
        QCOMPARE(client->messages().size(), std::size_t{1});
        QVERIFY2(QString::fromStdString(client->messages().front())
                     .startsWith(QStringLiteral("初始化连接服务器失败！")),
                 client->messages().front().c_str());
        QVERIFY(!client->window().isVisible());
        QVERIFY(!client->client().splash().isOpen());
        QVERIFY(!client->window().countdownTimer()->isActive());
    }

    // A service with 30 draws: the list still has 50 rows, the last 20 of them empty.
    void shortHistoryFillsWithEmptyRows() {
        QVERIFY2(startDrawd({"--interval", "3600"}), m_drawd->error().c_str());
        m_drawd->stop();
        QVERIFY(keepNewestDraws(drawdDatabasePath(), 30));
        QVERIFY2(m_drawd->restart(), m_drawd->error().c_str());
        auto client =
            std::make_unique<ClientUnderTest>(m_folder->path(), m_drawd->initUrl(), closedInitUrl());
        QVERIFY(client->start());
        QTreeWidget* list = client->window().historyList();
        QCOMPARE(list->topLevelItemCount(), 50);
        for (int row = 0; row < 50; ++row) {
            const bool empty = list->topLevelItem(row)->text(0).isEmpty();
            QCOMPARE(empty, row >= 30);
        }
        QCOMPARE(client->state().drawHistory.size(), std::size_t{50});
        QVERIFY(client->window().planBox()->toPlainText().contains(QStringLiteral("当前计划统计：总计")));
    }

private:
    // A client started against a fresh k3drawd; null (with the reason printed) when either
    // does not start.
    std::unique_ptr<ClientUnderTest> startedClient(const std::vector<std::string>& drawdArguments) {
        if (!startDrawd(drawdArguments)) {
            qWarning("%s", m_drawd->error().c_str());
            return nullptr;
        }
        auto client =
            std::make_unique<ClientUnderTest>(m_folder->path(), m_drawd->initUrl(), closedInitUrl());
        if (!client->start()) {
            qWarning("the client did not start: %s",
                     client->messages().empty() ? "no message" : client->messages().front().c_str());
            return nullptr;
        }
        return client;
    }

    // A k3drawd with its database in the test's folder and the arguments; false when it does not
    // come up.
    bool startDrawd(std::vector<std::string> arguments) {
        arguments.insert(arguments.end(), {"--db", drawdDatabasePath().toStdString()});
        m_drawd = std::make_unique<DrawdProcess>(arguments);
        return m_drawd->isRunning();
    }

    QString drawdDatabasePath() const {
        return QDir(m_folder->path()).filePath(QStringLiteral("k3drawd.sqlite3"));
    }

    std::unique_ptr<QTemporaryDir> m_folder;
    QString m_previousDirectory;
    std::unique_ptr<DrawdProcess> m_drawd;
};

K3_WINDOW_TEST(WindowClientTest);

}  // namespace k3::test

#include "window_client_test.moc"
