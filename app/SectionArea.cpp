#include "SectionArea.h"

#include "DForm.h"
#include "Fatal.h"

#include <QEvent>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

CSectionArea::CSectionArea(QWidget* parent) : QWidget(parent) {
    setObjectName("Panel2");
    m_Caption = new QLabel(this);
    m_Caption->setObjectName("Panel1C");
    QFont bold = m_Caption->font();
    bold.setBold(true);
    m_Caption->setFont(bold);
    m_Caption->setAutoFillBackground(true);
    QPalette colours = m_Caption->palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::Active, QPalette::Highlight));
    colours.setColor(QPalette::WindowText,
                     colours.color(QPalette::Active, QPalette::HighlightedText));
    m_Caption->setPalette(colours);
    m_Caption->setContentsMargins(6, 3, 6, 3);
    m_Scroller = new QScrollArea(this);
    m_Scroller->setObjectName("ScrollBox1");
    m_Scroller->setWidgetResizable(false);
    m_Scroller->viewport()->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_Caption);
    layout->addWidget(m_Scroller, 1);

    m_Holder = new QWidget(this);
    m_Holder->setObjectName("PageHolder");
    m_Holder->hide();
}

void CSectionArea::SetPage(int section, TFDForm* page) {
    KW_ASSERT(section >= 0 && section < kw::kSectionCount);
    if (m_Pages[section] == page)
        return;
    if (m_Pages[section] == m_CurrentPage && m_CurrentPage != nullptr)
        Forget();
    delete m_Pages[section];
    m_Pages[section] = page;
    if (page) {
        page->hide();
        page->setParent(m_Holder);
    }
}

TFDForm* CSectionArea::Page(int section) const {
    KW_ASSERT(section >= 0 && section < kw::kSectionCount);
    return m_Pages[section];
}

void CSectionArea::Show(int section, const QString& caption) {
    if (m_CurrentPage) {
        m_CurrentPage->StorePage();
        Forget();
    }
    m_Caption->setText(caption);
    TFDForm* page = Page(section);
    if (page == nullptr)
        return;
    page->move(0, 0);
    page->LoadPage();
    m_Scroller->setWidget(page);
    page->show();
    m_CurrentPage = page;
    FitCurrentPage();
}

void CSectionArea::SetCaption(const QString& caption) {
    m_Caption->setText(caption);
}

void CSectionArea::Forget() {
    if (QWidget* shown = m_Scroller->takeWidget()) {
        shown->hide();
        shown->setParent(m_Holder);
    }
    m_CurrentPage = nullptr;
}

void CSectionArea::StoreCurrentPage() {
    if (m_CurrentPage)
        m_CurrentPage->StorePage();
}

void CSectionArea::LoadCurrentPage() {
    if (m_CurrentPage)
        m_CurrentPage->LoadPage();
}

void CSectionArea::FitCurrentPage() {
    const QSize area = m_Scroller->viewport()->size();
    m_CurrentPage->ResizePage(area.width(), area.height());
}

bool CSectionArea::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_Scroller->viewport() && event->type() == QEvent::Resize && m_CurrentPage)
        FitCurrentPage();
    return QWidget::eventFilter(watched, event);
}

int CSectionArea::WidthForWidestPage() const {
    int widest = 0;
    for (const TFDForm* page : m_Pages)
        if (page)
            widest = std::max(
                {widest, page->width(), page->sizeHint().width(), page->minimumSizeHint().width()});
    return widest + 2 * m_Scroller->frameWidth() +
           m_Scroller->verticalScrollBar()->sizeHint().width();
}
