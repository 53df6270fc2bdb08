// The main window's creation handler and the handlers of its buttons.
#include "shell/qt_client.h"

#include "platform/text.h"
#include "shell/qt_html_view.h"
#include "shell/startup_facade.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QSlider>

#include <string>

namespace k3 {

QtClient::QtClient(AppState& state)
    : m_state(state),
      m_window(std::make_unique<MainWindow>(QString::fromStdString(state.profile().productName))),
      m_view(*m_window),
      m_planBox(*m_window->planBox(), state.platform().events) {
    m_state.attachWindow(WindowParts{m_view, m_planBox, m_splash});
    connect(m_window.get(), &MainWindow::copyPlanClicked, this, &QtClient::onCopyPlan);
    connect(m_window.get(), &MainWindow::confirmBetCountClicked, this, &QtClient::onConfirmBetCount);
    connect(m_window.get(), &MainWindow::switchFormulaPeriodsClicked, this,
            &QtClient::onSwitchFormulaPeriods);
    connect(m_window.get(), &MainWindow::clearPlanClicked, this, &QtClient::onClearPlan);
    connect(m_window.get(), &MainWindow::closed, this, &QtClient::onClose);
    connect(m_window.get(), &MainWindow::countdownTicked, this,
            [this] { m_state.drawCycle().onCountdownTick(); });
}

QtClient::~QtClient() = default;

bool QtClient::onMainWindowCreated() {
    SettingsFile& settings = m_state.settings();
    settings.prepareSettings();
    QComboBox* periods = m_window->formulaPeriodsBox();
    int32_t storedPeriods = textToInt(settings.readSetting(kFormulaPeriodsKey, kFormulaPeriodsDefault));
    // A value without an item (a hand-edited file) would leave nothing selected and build plans
    // of zero periods; the default stands in for it.
    if (storedPeriods < 1 || storedPeriods > periods->count())
        storedPeriods = textToInt(kFormulaPeriodsDefault);
    periods->setCurrentIndex(storedPeriods - 1);
    m_view.clearHistoryRows();
    m_state.formulaPeriods = periods->currentIndex() + 1;
    m_splash.show(kConnectingMessage);

    const QString productName = QString::fromStdString(m_state.profile().productName);
    m_window->setWindowTitle(productName);
    m_window->setTitleText(productName);
    StartupFacade& startup = m_state.startupFacade();
    if (!startup.prepare(m_planBox) || !startup.start()) {
        m_splash.close();
        return false;
    }
    m_state.presenter().pauseTimers(false);
    m_state.windowReady = true;
    m_window->htmlView()->setWindowReady(true);
    m_splash.close();
    applyBetLayout();
    m_window->show();
    m_window->activateWindow();
    return true;
}

void QtClient::applyBetLayout() {
    const ProductProfile& profile = m_state.profile();
    if (profile.betPrefix.empty()) return;
    m_window->applyBetLayout(profile.betMin, profile.betMax);
    const std::string middle = formatDouble(profile.betMin + (profile.betMax - profile.betMin) / 2.0);
    QSlider* slider = m_window->betSlider();
    slider->setValue(textToInt(m_state.settings().readSetting(kBetCountKey, middle)));
    m_state.planController().regenerate(slider->value());
}

void QtClient::onCopyPlan() {
    m_clipboard.setText(m_window->planBox()->toPlainText().toStdString());
    m_window->showCopyBalloon(
        QString::fromUtf8(kCopiedMessage.data(), static_cast<qsizetype>(kCopiedMessage.size())));
}

void QtClient::onConfirmBetCount() {
    const ProductProfile& profile = m_state.profile();
    MainPresenter& presenter = m_state.presenter();
    const int32_t typed = presenter.betCountInput();
    if (typed < profile.betMin)
        presenter.setBetCountInput(profile.betMin);
    else if (typed > profile.betMax)
        presenter.setBetCountInput(profile.betMax);
    m_state.planController().regenerate(presenter.betCountInput());
    m_state.settings().writeSetting(kBetCountKey, std::to_string(presenter.betCountInput()));
    m_state.platform().messages.showMessage(kBetCountChangedMessage);
}

void QtClient::onSwitchFormulaPeriods() {
    const int32_t chosen = m_state.presenter().formulaPeriodsChoice();
    if (chosen == m_state.formulaPeriods) return;
    m_state.formulaPeriods = chosen;
    m_state.settings().writeSetting(kFormulaPeriodsKey, std::to_string(chosen));
    m_state.planController().reload(m_state.formulaPeriods);
}

void QtClient::onClearPlan() {
    m_state.planController().clearAndRefetch();
    m_state.platform().messages.showMessage(kPlanClearedMessage);
}

void QtClient::onClose() {
    // A request under way gives up at once; the handler that started it then unwinds and the
    // message loop ends.
    m_state.stopRequests();
    m_state.presenter().pauseTimers(true);
    emit closed();
}

}  // namespace k3
