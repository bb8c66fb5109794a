#include "DeclaredPage.h"

#include "DisplayTexts.h"
#include "Fatal.h"
#include "PageLayout.h"
#include "PageQuery.h"
#include "Parameters.h"
#include "UpDown.h"
#include "Win1252.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

#include <map>
#include <memory>

using namespace kw::pages;
using kw::Text;

TFDeclaredPage::TFDeclaredPage(CPageHost& host, const TPage& declaration, QWidget* parent)
    : TFDForm(host, parent), m_Declaration(declaration) {
    setObjectName(Text(declaration.name));
}

void TFDeclaredPage::Build() {
    const TPage& page = m_Declaration;
    // The containers whose groups stand in two columns.
    std::map<QWidget*, std::unique_ptr<kw::CTwoColumns>> columns;
    QVBoxLayout* oneGroup = nullptr;
    if (!page.tabs.empty()) {
        auto* layout = new QVBoxLayout(this);
        kw::SetPageMargins(layout);
        m_Tabs = kw::MakeTabs(this, Text(page.tabs));
        layout->addWidget(m_Tabs);
        for (const TSheet& sheet : page.sheets) {
            QWidget* tab = kw::AddTabSheet(m_Tabs, Text(sheet.name), sheet.word);
            m_Parts.push_back({tab, sheet.variants, true});
            if (sheet.leftShare > 0)
                columns[tab] =
                    std::make_unique<kw::CTwoColumns>(tab, sheet.leftShare, sheet.rightShare);
        }
    } else if (page.layout == PageLayout::TwoColumns) {
        columns[this] = std::make_unique<kw::CTwoColumns>(this);
    } else if (page.layout == PageLayout::OneGroup) {
        oneGroup = new QVBoxLayout(this);
        kw::SetPageMargins(oneGroup);
    }
    for (const TGroup& group : page.groups) {
        QWidget* box = BuildGroup(group);
        const auto it = columns.find(box->parentWidget());
        if (it != columns.end() && group.side == Side::Left)
            it->second->AddLeft(box);
        else if (it != columns.end())
            it->second->AddRight(box);
        else if (oneGroup != nullptr)
            // At its own width, top left: each field stays near its caption
            // however wide the page grows.
            oneGroup->addWidget(box, 0, Qt::AlignLeft);
    }
    for (auto& [container, twoColumns] : columns)
        twoColumns->Finish();
    if (oneGroup != nullptr)
        oneGroup->addStretch(1);
    DisplaysFollowTheirEdits();
}

QWidget* TFDeclaredPage::BuildGroup(const TGroup& group) {
    QWidget* in = group.in.empty() ? this : findChild<QWidget*>(Text(group.in));
    KW_ASSERT(in != nullptr);
    QWidget* box = nullptr;
    if (auto* tabs = qobject_cast<QTabWidget*>(in))
        box = kw::AddTabSheet(tabs, Text(group.name), group.word);
    else if (group.arrangement == Arrangement::Grid || group.arrangement == Arrangement::Bare)
        box = PlaceGroup(group, in);
    else
        box = kw::MakeGroup(in, Text(group.name), group.word);
    if (group.variants != Variants::All)
        m_Parts.push_back({box, group.variants, false});
    if (group.arrangement == Arrangement::Grid)
        return box;
    std::vector<kw::TBuiltRow> rows;
    for (const TRow& row : group.rows) {
        const kw::TBuiltRow built =
            kw::MakeRow(*this, box, row, VariantsOf(m_Declaration, group, row),
                        group.arrangement != Arrangement::Cells);
        if (row.variants != Variants::All)
            for (QWidget* part : {static_cast<QWidget*>(built.label), built.control,
                                  static_cast<QWidget*>(built.upDown)})
                if (part != nullptr)
                    m_Parts.push_back({part, row.variants, false});
        rows.push_back(built);
    }
    if (group.arrangement == Arrangement::Form)
        kw::ArrangeForm(box, rows);
    else if (group.arrangement == Arrangement::Cells)
        kw::ArrangeCells(box, rows, group.cells);
    m_Rows.insert(m_Rows.end(), rows.begin(), rows.end());
    return box;
}

QWidget* TFDeclaredPage::PlaceGroup(const TGroup&, QWidget* in) {
    return in;
}

void TFDeclaredPage::DisplaysFollowTheirEdits() {
    for (const kw::TBuiltRow& display : m_Rows) {
        if (display.row->kind != Kind::Display)
            continue;
        for (const kw::TBuiltRow& edit : m_Rows)
            if (edit.row->kind == Kind::Edit && edit.row->param == display.row->param) {
                auto* label = static_cast<QLabel*>(display.control);
                const DisplayRule rule = display.row->display;
                connect(static_cast<QLineEdit*>(edit.control), &QLineEdit::textChanged, label,
                        [this, label, rule](const QString& text) {
                            label->setText(
                                kw::DisplayText(rule, Language(), kw::QStringToBytes(text)));
                        });
            }
    }
}

const kw::TBuiltRow& TFDeclaredPage::RowOf(std::string_view param, int valueRow) const {
    for (const kw::TBuiltRow& built : m_Rows)
        if (built.row->param == param && built.row->row == valueRow)
            return built;
    KW_ASSERT_TEXT(false, "the page has a row for the parameter");
    return m_Rows.front();
}

void TFDeclaredPage::ShowVariant(const std::string& variant) {
    for (const TPart& part : m_Parts) {
        const bool shown = Shows(part.variants, variant);
        if (part.sheet)
            m_Tabs->setTabVisible(m_Tabs->indexOf(part.widget), shown);
        else
            part.widget->setVisible(shown);
    }
}

void TFDeclaredPage::ShowDisplays() {
    for (const kw::TBuiltRow& built : m_Rows)
        if (built.row->kind == Kind::Display)
            static_cast<QLabel*>(built.control)
                ->setText(kw::DisplayText(
                    built.row->display, Language(),
                    Parameters().GetValue(std::string(built.row->param), built.row->row)));
}

void TFDeclaredPage::LoadPage() {
    TranslatePage();
    ShowVariant(ConfigurationVariant());
    // Qt fills the controls of hidden tab sheets as well, so one pass does.
    ToControls();
    ShowDisplays();
    if (m_Tabs != nullptr)
        m_Tabs->setCurrentIndex(0);
    kw::RefitPage(this);
}

void TFDeclaredPage::StorePage() {
    FromControls();
}

void TFDeclaredPage::ResizePage(int width, int height) {
    kw::FitPageToArea(this, width, height);
}
