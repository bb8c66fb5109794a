// Makes the controls of declared rows and binds them: each control gets the
// row's name and word, the range, increment and typing limit the catalogue
// gives its parameter unless the row says otherwise, a caption label and, for
// a spin, its up-down; then rows are laid out in a group.
#pragma once

#include "PageDeclaration.h"

#include <QString>

#include <string_view>
#include <vector>

class CUpDown;
class QLabel;
class QWidget;
class TFDForm;

namespace kw {

// A declared name or text as Qt holds it.
inline QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

struct TBuiltRow {
    const pages::TRow* row = nullptr;
    QLabel* label = nullptr; // the caption, if the row has one
    QWidget* control = nullptr;
    CUpDown* upDown = nullptr; // spins only
};

// Makes the row's controls in `parent` (without a caption in a group whose
// column headers name them) and binds a row that shows a parameter to it for
// the variants given.
TBuiltRow MakeRow(TFDForm& page, QWidget* parent, const pages::TRow& row, pages::Variants variants,
                  bool captioned = true);

// Rows of "caption  control" with check boxes, memos and inner tab controls
// across both columns; long captions wrap.
void ArrangeForm(QWidget* box, const std::vector<TBuiltRow>& rows);
// `cells` controls a line, each in its own column; the columns keep their widths.
void ArrangeCells(QWidget* box, const std::vector<TBuiltRow>& rows, int cells);

} // namespace kw
