#include "PageBuilder.h"

#include "DForm.h"
#include "Fatal.h"
#include "PageLayout.h"
#include "ParNumbers.h"
#include "Parameters.h"
#include "UpDown.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTabWidget>

namespace kw {
namespace {

using pages::Kind;
using pages::TRow;

// What the catalogue says of a parameter's values.
struct TCatalogue {
    const CParInt* number = nullptr;  // numbers: range and step
    const CParString* text = nullptr; // texts: their size
};

TCatalogue CatalogueOf(const CParameters& parameters, std::string_view param) {
    const TMultiPar* record = param.empty() ? nullptr : parameters.Find(std::string(param));
    if (record == nullptr)
        return {};
    return {dynamic_cast<const CParInt*>(record->Type.get()),
            dynamic_cast<const CParString*>(record->Type.get())};
}

// A spin or track bar has a number parameter: anything else is a slip in a declaration.
const CParInt& NumberOf(const TCatalogue& catalogue) {
    KW_ASSERT_TEXT(catalogue.number != nullptr, "a spin or track bar shows a number parameter");
    return *catalogue.number;
}

int LowestOf(const TRow& row, const CParInt& number) {
    return row.min != pages::kCatalogueMin ? row.min : number.m_Min;
}

// The typing limit: the row's own, else a text parameter's size.
int LimitOf(const TRow& row, const TCatalogue& catalogue) {
    if (row.limit > 0)
        return row.limit;
    return catalogue.text != nullptr ? catalogue.text->m_MaxSize : 0;
}

// Check boxes carry their own text; captions and tab controls need none.
bool HasCaption(const TRow& row) {
    return row.labelled && row.kind != Kind::Check && row.kind != Kind::InvertedCheck &&
           row.kind != Kind::Caption && row.kind != Kind::Tabs;
}

QString CaptionName(const TRow& row) {
    return row.label.empty() ? Text(row.name) + "Label" : Text(row.label);
}

} // namespace

TBuiltRow MakeRow(TFDForm& page, QWidget* parent, const TRow& row, pages::Variants variants,
                  bool captioned) {
    const TCatalogue catalogue = CatalogueOf(page.Parameters(), row.param);
    const QString name = Text(row.name);
    const int tag = row.tagged ? row.word : 0;
    // Only a row that shows a parameter is bound (a two-tone box shows none).
    const std::string param(row.param);
    const bool bound = !param.empty();
    TBuiltRow built;
    built.row = &row;
    // The caption comes first, so the controls follow their captions in the focus chain.
    if (captioned && HasCaption(row))
        built.label = MakeLabel(parent, CaptionName(row), row.word, row.labelHint);
    switch (row.kind) {
    case Kind::Edit: {
        const int limit = LimitOf(row, catalogue);
        auto* edit = MakeEdit(parent, name, tag, row.width > 0 ? row.width : limit, limit);
        if (bound)
            page.BindEdit(param, row.row, edit, variants);
        built.control = edit;
        break;
    }
    case Kind::Spin: {
        const CParInt& number = NumberOf(catalogue);
        const SpinEdit spin =
            MakeSpinEdit(parent, name, Text(row.upDown), tag, LowestOf(row, number), number.m_Max,
                         number.m_Step, row.limit);
        if (bound)
            page.BindEdit(param, row.row, spin.edit, variants);
        built.control = spin.edit;
        built.upDown = spin.upDown;
        break;
    }
    case Kind::Memo: {
        auto* memo = MakeMemo(parent, name, tag, LimitOf(row, catalogue));
        if (bound)
            page.BindMemo(param, row.row, memo, variants);
        built.control = memo;
        break;
    }
    case Kind::List: {
        auto* list = MakeCombo(parent, name, row.ItemsWord(), row.items);
        if (bound)
            page.BindCombo(param, row.row, list, variants);
        built.control = list;
        break;
    }
    case Kind::Check:
    case Kind::InvertedCheck: {
        auto* check = MakeCheck(parent, name, tag);
        if (bound)
            page.BindCheck(param, row.row, check, row.kind == Kind::InvertedCheck, variants);
        built.control = check;
        break;
    }
    case Kind::Track: {
        const CParInt& number = NumberOf(catalogue);
        auto* track = MakeTrack(parent, name, tag, LowestOf(row, number), number.m_Max);
        if (bound)
            page.BindTrack(param, row.row, track, variants);
        built.control = track;
        break;
    }
    case Kind::Display:
        built.control = MakeDisplay(parent, name);
        break;
    case Kind::Caption:
        built.control = MakeLabel(parent, name, tag, row.labelHint);
        break;
    case Kind::Tabs:
        built.control = MakeTabs(parent, name);
        break;
    case Kind::GridText:
    case Kind::GridList:
        break;
    }
    return built;
}

void ArrangeForm(QWidget* box, const std::vector<TBuiltRow>& rows) {
    CFormGrid grid(box);
    for (const TBuiltRow& built : rows) {
        if (built.label == nullptr) {
            grid.AddWide(built.control);
        } else if (built.row->kind == Kind::Memo) {
            grid.AddWide(built.label);
            grid.AddWide(built.control);
        } else {
            // A long caption in a narrow column takes a second line rather than
            // pushing its control out of the page.
            built.label->setWordWrap(built.row->kind != Kind::Display);
            if (built.upDown != nullptr)
                grid.AddRow(built.label, {static_cast<QLineEdit*>(built.control), built.upDown});
            else
                grid.AddRow(built.label, built.control);
        }
    }
}

void ArrangeCells(QWidget* box, const std::vector<TBuiltRow>& rows, int cells) {
    CFormGrid grid(box);
    for (size_t i = 0; i < rows.size(); ++i) {
        const int line = static_cast<int>(i) / cells;
        const int column = static_cast<int>(i) % cells;
        const TBuiltRow& built = rows[i];
        const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
        if (built.upDown != nullptr)
            grid.Layout()->addLayout(
                SpinLayout({static_cast<QLineEdit*>(built.control), built.upDown}), line, column,
                left);
        else
            grid.Layout()->addWidget(built.control, line, column, left);
    }
    grid.PackCells(cells);
}

} // namespace kw
