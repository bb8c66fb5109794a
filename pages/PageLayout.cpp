#include "PageLayout.h"

#include "DForm.h"
#include "TranslateWidgets.h"
#include "TypingLimit.h"
#include "UpDown.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace kw {
namespace {

// Where FitPageToArea remembers the last page area for RefitPage.
constexpr const char* kAreaProperty = "kwPageArea";

constexpr int kPageMargin = 8;
constexpr int kSpacing = 6;
constexpr int kTrackWidth = 130;

template <typename Widget> Widget* Named(Widget* widget, const QString& name, int word, bool hint) {
    widget->setObjectName(name);
    SetWidgetTag(widget, word);
    SetShowHint(widget, hint);
    return widget;
}

// Room for `chars` digits plus the frame and the text margins.
int EditWidth(const QLineEdit* edit, int chars) {
    return edit->fontMetrics().horizontalAdvance(QLatin1Char('0')) * std::max(chars, 2) + 14;
}

} // namespace

QLabel* MakeLabel(QWidget* parent, const QString& name, int word, bool showHint) {
    return Named(new QLabel(parent), name, word, showHint);
}

QLabel* MakeDisplay(QWidget* parent, const QString& name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QGroupBox* MakeGroup(QWidget* parent, const QString& name, int word) {
    return Named(new QGroupBox(parent), name, word, false);
}

QCheckBox* MakeCheck(QWidget* parent, const QString& name, int word) {
    return Named(new QCheckBox(parent), name, word, true);
}

QPushButton* MakeButton(QWidget* parent, const QString& name, int word) {
    return Named(new QPushButton(parent), name, word, false);
}

QLineEdit* MakeEdit(QWidget* parent, const QString& name, int word, int widthChars, int maxLength) {
    auto* edit = Named(new QLineEdit(parent), name, word, true);
    edit->setFixedWidth(EditWidth(edit, widthChars));
    if (maxLength > 0)
        LimitTyping(edit, maxLength);
    return edit;
}

QComboBox* MakeCombo(QWidget* parent, const QString& name, int word,
                     const std::vector<int>& values) {
    auto* combo = Named(new QComboBox(parent), name, word, true);
    for (int value : values)
        combo->addItem(QString::number(value));
    // Follows the item texts of every language, not only the first shown.
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return combo;
}

QPlainTextEdit* MakeMemo(QWidget* parent, const QString& name, int word, int maxLength) {
    auto* memo = Named(new QPlainTextEdit(parent), name, word, true);
    // Tab leaves the text as in the other fields; the value has no use for tabs typed.
    memo->setTabChangesFocus(true);
    // Long lines wrap at the memo's width, so sideways scrolling is never needed.
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Room for a few lines without scrolling, and no more.
    const int lineHeight = memo->fontMetrics().lineSpacing();
    memo->setMinimumHeight(4 * lineHeight + 12);
    memo->setMaximumHeight(6 * lineHeight + 12);
    LimitTyping(memo, maxLength);
    return memo;
}

QSlider* MakeTrack(QWidget* parent, const QString& name, int word, int min, int max) {
    auto* track = Named(new QSlider(Qt::Horizontal, parent), name, word, true);
    track->setRange(min, max);
    track->setPageStep(1);
    track->setTickInterval(1);
    track->setTickPosition(QSlider::TicksBelow);
    track->setFixedWidth(kTrackWidth);
    return track;
}

QTabWidget* MakeTabs(QWidget* parent, const QString& name) {
    auto* tabs = new QTabWidget(parent);
    tabs->setObjectName(name);
    tabs->setUsesScrollButtons(false);
    tabs->setElideMode(Qt::ElideNone);
    return tabs;
}

QWidget* AddTabSheet(QTabWidget* tabs, const QString& name, int word) {
    auto* sheet = Named(new QWidget(tabs), name, word, false);
    tabs->addTab(sheet, {});
    return sheet;
}

SpinEdit MakeSpinEdit(QWidget* parent, const QString& editName, const QString& upDownName, int word,
                      int min, int max, int increment, int maxLength) {
    const int digits =
        static_cast<int>(std::max(QString::number(min).size(), QString::number(max).size()));
    SpinEdit spin{MakeEdit(parent, editName, word, std::max(digits, 3), maxLength),
                  Named(new CUpDown(parent), upDownName, word, true)};
    spin.upDown->SetRange(min, max);
    spin.upDown->SetIncrement(increment);
    spin.upDown->SetAssociate(spin.edit);
    spin.upDown->setFixedSize(spin.upDown->sizeHint().width(), spin.edit->sizeHint().height());
    return spin;
}

QLayout* SpinLayout(const SpinEdit& spin) {
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(spin.edit);
    row->addWidget(spin.upDown);
    return row;
}

CFormGrid::CFormGrid(QWidget* container) : m_Grid(new QGridLayout(container)) {
    m_Grid->setHorizontalSpacing(2 * kSpacing);
    m_Grid->setVerticalSpacing(kSpacing);
    m_Grid->setColumnStretch(0, 1);
}

void CFormGrid::AddRow(QLabel* label, QWidget* control) {
    m_Grid->addWidget(label, m_Row, 0);
    m_Grid->addWidget(control, m_Row, 1, Qt::AlignLeft | Qt::AlignVCenter);
    ++m_Row;
}

void CFormGrid::AddRow(QLabel* label, const SpinEdit& spin) {
    m_Grid->addWidget(label, m_Row, 0);
    m_Grid->addLayout(SpinLayout(spin), m_Row, 1, Qt::AlignLeft | Qt::AlignVCenter);
    ++m_Row;
}

void CFormGrid::AddWide(QWidget* control) {
    m_Grid->addWidget(control, m_Row, 0, 1, 2);
    ++m_Row;
}

void CFormGrid::PackCells(int columns) {
    for (int column = 0; column < columns; ++column)
        m_Grid->setColumnStretch(column, 0);
    m_Grid->setColumnStretch(columns, 1);
}

CTwoColumns::CTwoColumns(QWidget* container, int leftShare, int rightShare)
    : m_Left(new QVBoxLayout), m_Right(new QVBoxLayout) {
    auto* columns = new QHBoxLayout(container);
    SetPageMargins(columns);
    // Even when one column has nothing to show, the other keeps to its half.
    columns->addLayout(m_Left, leftShare);
    columns->addLayout(m_Right, rightShare);
    m_Left->setSpacing(kSpacing);
    m_Right->setSpacing(kSpacing);
}

void CTwoColumns::AddLeft(QWidget* widget) {
    m_Left->addWidget(widget);
}

void CTwoColumns::AddRight(QWidget* widget) {
    m_Right->addWidget(widget);
}

void CTwoColumns::Finish() {
    m_Left->addStretch(1);
    m_Right->addStretch(1);
}

void SetPageMargins(QLayout* layout) {
    layout->setContentsMargins(kPageMargin, kPageMargin, kPageMargin, kPageMargin);
    layout->setSpacing(kSpacing);
}

void FitPageToArea(QWidget* page, int width, int height) {
    page->setProperty(kAreaProperty, QSize(width, height));
    QLayout* layout = page->layout();
    if (layout)
        layout->activate();
    // Below its design size a page keeps the layout it was designed with and
    // the page area scrolls, rather than squeezing every caption onto more lines.
    const QSize need = page->minimumSizeHint()
                           .expandedTo(page->minimumSize())
                           .expandedTo(QSize(TFDForm::kDesignWidth, TFDForm::kDesignHeight));
    const int w = std::max(width, need.width());
    // Captions that wrap need more height the narrower the page is.
    const int h = layout && layout->hasHeightForWidth()
                      ? std::max(need.height(), layout->totalHeightForWidth(w))
                      : need.height();
    page->resize(w, std::max(height, h));
}

void RefitPage(QWidget* page) {
    const QVariant area = page->property(kAreaProperty);
    const QSize size =
        area.isValid() ? area.toSize() : QSize(TFDForm::kDesignWidth, TFDForm::kDesignHeight);
    FitPageToArea(page, size.width(), size.height());
}

} // namespace kw
