#include "MonitorWindow.h"

#include "Language.h"
#include "MonitorText.h"
#include "SetTime.h"
#include "SmsCentrum.h"
#include "TranslateWidgets.h"
#include "Words.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

using kw::MonitorRow;

constexpr int kFirstTimerMs = 500;
constexpr int kSignalBarMax = 32;
// Wide enough for a module's name and an operator with its code, so the
// window keeps its size while the rows fill.
constexpr int kValueColumnWidth = 280;

// The rows top to bottom: the caption's word and the form names of its labels.
struct TRowDesign {
    MonitorRow row;
    int captionWord;
    const char* captionName;
    const char* valueName;
};
constexpr TRowDesign kRowDesigns[] = {
    {MonitorRow::Status, 100, "LStatusCaption", "LStatus"},
    {MonitorRow::Module, 94, "LModuleCaption", "LModule"},
    {MonitorRow::Imei, 95, "LImeiCaption", "LImei"},
    {MonitorRow::Imsi, 96, "LImsiCaption", "LImsi"},
    {MonitorRow::SmsCentre, 97, "LCentreCaption", "LCentre"},
    {MonitorRow::Operator, 98, "LOperatorCaption", "LOperator"},
    {MonitorRow::Call, 131, "LCallCaption", "LCall"},
    {MonitorRow::ModuleClock, 309, "LModuleClockCaption", "LModuleClock"},
    {MonitorRow::PcClock, 320, "LPcClockCaption", "LPcClock"},
    {MonitorRow::Signal, 99, "LSignalCaption", "LSignal"},
};

size_t Index(MonitorRow row) {
    return static_cast<size_t>(row);
}

} // namespace

TFMonitor::TFMonitor(const CLanguage& language, THost host, QWidget* parent)
    : QDialog(parent), m_Language(language), m_Host(std::move(host)),
      m_Monitor({m_Host.terminal, m_Host.user, m_Rows, m_Host.port, m_Host.releaseGateway,
                 m_Host.localTime}) {
    setObjectName("FMonitor");
    kw::SetWidgetTag(this, 17);
    setModal(true);

    auto* grid = new QGridLayout;
    grid->setColumnMinimumWidth(1, kValueColumnWidth);
    grid->setColumnStretch(1, 1);
    int line = 0;
    for (const TRowDesign& design : kRowDesigns) {
        auto* caption = new QLabel(this);
        caption->setObjectName(design.captionName);
        kw::SetWidgetTag(caption, design.captionWord);
        auto* value = new QLabel(this);
        value->setObjectName(design.valueName);
        // Bytes from the module are shown as they are, never as markup.
        value->setTextFormat(Qt::PlainText);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        m_ValueLabels[Index(design.row)] = value;
        grid->addWidget(caption, line, 0);
        if (design.row != MonitorRow::Signal) {
            grid->addWidget(value, line, 1);
        } else {
            m_SignalBar = new QProgressBar(this);
            m_SignalBar->setObjectName("SignalBar");
            m_SignalBar->setRange(0, kSignalBarMax);
            m_SignalBar->setTextVisible(false);
            m_SignalDecibels = new QLabel(this);
            m_SignalDecibels->setObjectName("LSignalDecibels");
            auto* signal = new QHBoxLayout;
            signal->addWidget(m_SignalBar, 1);
            signal->addWidget(m_SignalDecibels);
            signal->addWidget(value, 1);
            grid->addLayout(signal, line, 1);
        }
        ++line;
    }

    const auto button = [this](const char* name, int word, void (TFMonitor::*clicked)()) {
        auto* created = new QPushButton(this);
        created->setObjectName(name);
        kw::SetWidgetTag(created, word);
        created->setAutoDefault(false);
        connect(created, &QPushButton::clicked, this, clicked);
        return created;
    };
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(button("BSmsCentre", 298, &TFMonitor::SmsCentreClicked));
    buttons->addWidget(button("BSetTime", 311, &TFMonitor::SetTimeClicked));
    buttons->addWidget(button("BSynchronise", 318, &TFMonitor::SynchroniseClicked));
    buttons->addStretch();
    buttons->addWidget(button("BClose", kw::word::kOk, &TFMonitor::CloseClicked));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetMinimumSize);

    m_SmsCentreDialog = new TFSMSCentrum(m_Language, m_Host.user, this);
    m_SetTimeDialog = new TFSetTime(m_Language, m_Host.user, m_Host.localTime, this);

    m_FirstTimer.setSingleShot(true);
    m_FirstTimer.setInterval(kFirstTimerMs);
    connect(&m_FirstTimer, &QTimer::timeout, this, &TFMonitor::FirstTimerTick);
    m_Rows.m_Changed = [this](MonitorRow row) { ShowRow(row); };
}

TFMonitor::~TFMonitor() {
    m_Rows.m_Changed = nullptr;
}

void TFMonitor::Activate() {
    kw::TranslateForm(this, m_Language);
    m_Monitor.ResetDisplay();
    m_FirstTimer.start();
}

void TFMonitor::Translate() {
    kw::TranslateForm(this, m_Language);
    for (const TRowDesign& design : kRowDesigns)
        ShowRow(design.row);
}

void TFMonitor::ShowRow(MonitorRow row) {
    const kw::WordText word = [this](int id) { return m_Language.GetText(id); };
    m_ValueLabels[Index(row)]->setText(kw::MonitorValueText(m_Rows.Value(row), word));
    if (row != MonitorRow::Signal)
        return;
    const bool bar = m_Rows.SignalBarShown();
    m_SignalBar->setValue(m_Rows.SignalPosition());
    m_SignalDecibels->setText(kw::SignalDecibelText(m_Rows.SignalPosition()));
    m_SignalBar->setVisible(bar);
    m_SignalDecibels->setVisible(bar);
    m_ValueLabels[Index(row)]->setVisible(!bar);
}

void TFMonitor::FirstTimerTick() {
    // The loop runs here until the window closes; its waits keep the window
    // and its buttons alive.
    if (m_Monitor.Run() == kw::CMonitor::RunEnd::PortFailed)
        done(kResultPortFailed);
}

void TFMonitor::CloseClicked() {
    m_FirstTimer.stop();
    // A service dialog open over the window goes first, or the loop beneath
    // it could not end.
    for (QDialog* dialog :
         {static_cast<QDialog*>(m_SmsCentreDialog), static_cast<QDialog*>(m_SetTimeDialog)})
        if (dialog->isVisible())
            dialog->reject();
    m_Monitor.ResetDisplay();
    m_Monitor.Stop();
    done(kResultClosed);
}

void TFMonitor::reject() {
    CloseClicked();
}

void TFMonitor::SmsCentreClicked() {
    m_SmsCentreDialog->Activate(m_Monitor.CentreToOffer());
    if (m_Host.centre)
        m_Host.centre(*m_SmsCentreDialog);
    if (m_SmsCentreDialog->exec() == TFSMSCentrum::kResultOk)
        m_Monitor.ChangeCentre(m_SmsCentreDialog->Number());
}

void TFMonitor::SetTimeClicked() {
    m_SetTimeDialog->Activate();
    if (m_Host.centre)
        m_Host.centre(*m_SetTimeDialog);
    if (m_SetTimeDialog->exec() == TFSetTime::kResultSet)
        m_Monitor.SetPendingClock(m_SetTimeDialog->ClockText());
    else
        m_Monitor.ClearPendingClock();
}

void TFMonitor::SynchroniseClicked() {
    m_Monitor.Synchronise();
}
