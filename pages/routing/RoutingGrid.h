// One grid of the routing page: a main table of 120 numbered rows or a default
// table of one labelled row. Cells hold parameter value texts; enumerated
// columns show the item text of their number and are picked from a drop-down
// list; a text cell is normalised with its column's parameter when it is left
// and when the focus leaves the grid. Keys work as in a spreadsheet.
#pragma once

#include "RoutingColumns.h"

#include <QPersistentModelIndex>
#include <QTableWidget>

#include <string>
#include <vector>

class CLanguage;
class CParameters;
class CRoutingDelegate;

// A column as the grid uses it.
struct TGridColumn {
    kw::routing::CellKind kind = kw::routing::CellKind::Fixed;
    std::string param;
    int word = 0;                         // header word (the fixed column's: the grid's)
    const kw::pages::TRow* row = nullptr; // as declared; nullptr for the fixed column
    std::vector<QString> items;           // enumerated: the item texts in the loaded language
};

class CRoutingGrid : public QTableWidget {
    Q_OBJECT
public:
    // Rows are 19 pixels high, as the page was designed.
    static constexpr int kRowHeight = 19;

    CRoutingGrid(kw::routing::TableId table, CParameters& parameters, QWidget* parent);

    bool IsDefault() const;

    // The declared columns the variant has; cells are created once and kept
    // while the shape stays.
    void SetColumns(const std::string& variant);
    const TGridColumn& Column(int column) const;
    // The column that shows a parameter, -1 when none does.
    int ColumnOf(const std::string& param) const;
    // Header texts, the default row's label, the column hints and the lists' items.
    void SetTexts(const CLanguage& language);
    void SetColumnWidths(const std::vector<int>& widths);
    // Width of the columns plus the frame (and the vertical scroll bar of a main
    // table), so the grid shows every column without scrolling sideways.
    int FittingWidth() const;
    // Height that shows `rows` rows (the header included).
    int FittingHeight(int rows) const;
    // The hint for the column: the header word's second text.
    QString ColumnHint(int column) const;

    // Every cell from the parameters: row r of a main table from value r.
    void Load(const CParameters& parameters);
    // Every cell of one row into its parameter through SetValue.
    void StoreRow(CParameters& parameters, int row) const;

    // The value text a cell holds, and the text it shows (an enumerated cell
    // shows the item text of its number, or nothing when no item carries it).
    QString CellText(int row, int column) const;
    void SetCellText(int row, int column, const QString& text);
    QString ShownText(int row, int column) const;
    // The item text for a cell text; empty when no item carries its number.
    QString ItemTextFor(int column, const QString& cellText) const;

    // Commits what an open editor holds and normalises the current cell; the
    // page calls it before it stores, so an edit in progress is never lost.
    void FinishEditing();
    // Closes an open editor without taking over what it holds.
    void CancelEditing();
    // The editor open now (a line edit or the list of an enumerated cell).
    QWidget* OpenEditor() const;

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    friend class CRoutingDelegate;

    bool IsEnumerated(const QModelIndex& index) const;
    void NormaliseCell(const QModelIndex& index);
    // Moves the current cell as the key would outside an editor.
    void MoveFromEditor(int key);
    // Opens the list of an enumerated cell, searching it for `search`.
    bool OpenList(const QModelIndex& index, const QString& search);
    void FocusChanged(QWidget* old, QWidget* now);
    bool Contains(const QObject* object) const;
    // Header texts broken into lines that fit their columns.
    void WrapHeaders();

    kw::routing::TableId m_Table;
    CParameters& m_Parameters;
    CRoutingDelegate* m_Delegate;
    std::vector<TGridColumn> m_Columns;
    std::vector<QString> m_Hints;
    std::vector<QString> m_Headers;  // header texts as the language gives them
    QPersistentModelIndex m_Pressed; // cell under the last left-button press
    QString m_Search;                // typed letter for the list being opened
};
