// Draws and edits the cells of a routing grid: the fixed column looks like a
// header, enumerated cells show the item text of their number and are edited
// with a drop-down list, text cells with a line edit whose arrow, Tab and Enter
// keys end the edit and move on as in a spreadsheet.
#pragma once

#include <QComboBox>
#include <QPointer>
#include <QStyledItemDelegate>

class CRoutingGrid;
struct TGridColumn;

// The drop-down list over an enumerated cell: the column's items, dropped open
// as soon as the cell is edited; it carries the name of the column's list. It reports when its list
// closes, and whether the user picked an item.
class CListEditor : public QComboBox {
    Q_OBJECT
public:
    CListEditor(const TGridColumn& column, QWidget* parent);

    // Opens the list; a non-empty `search` moves to the first item it starts.
    void Drop(const QString& search);
    // True once the user picked an item (click or Enter in the list).
    bool Chosen() const { return m_Chosen; }
    // The number of the selected item, -1 for none.
    int SelectedValue() const;
    void SelectValue(int value);

signals:
    // The list closed; `chosen` tells whether an item was picked.
    void Finished(bool chosen);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool m_Chosen = false;
    bool m_Dropped = false;
};

class CRoutingDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit CRoutingDelegate(CRoutingGrid* grid);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

    QWidget* OpenEditor() const { return m_Editor; }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void ListFinished(CListEditor* list, bool chosen);

    CRoutingGrid* m_Grid;
    mutable QPointer<QWidget> m_Editor;
};
