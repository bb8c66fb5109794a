#include "RoutingDelegate.h"

#include "PageBuilder.h"
#include "RoutingGrid.h"
#include "TranslateWidgets.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QToolTip>

using kw::routing::CellKind;

// ---------------------------------------------------------------- list editor

CListEditor::CListEditor(const TGridColumn& column, QWidget* parent) : QComboBox(parent) {
    setObjectName(kw::Text(column.row->name));
    for (size_t i = 0; i < column.items.size(); ++i)
        addItem(column.items[i], column.row->items[i]);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QComboBox::activated, this, [this] { m_Chosen = true; });
    // However the list closes (a pick, Escape, a click elsewhere), its window hides.
    view()->window()->installEventFilter(this);
}

void CListEditor::Drop(const QString& search) {
    m_Dropped = true;
    showPopup();
    if (!search.isEmpty())
        view()->keyboardSearch(search);
}

int CListEditor::SelectedValue() const {
    const int index = currentIndex();
    return index < 0 ? -1 : kw::ComboItemValue(this, index, -1);
}

void CListEditor::SelectValue(int value) {
    setCurrentIndex(-1);
    for (int i = 0; i < count(); ++i)
        if (kw::ComboItemValue(this, i, -1) == value) {
            setCurrentIndex(i);
            break;
        }
}

bool CListEditor::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Hide && m_Dropped && watched == view()->window()) {
        // A pick hides the list before it reports the item, so the verdict waits
        // until the pick has been seen.
        QMetaObject::invokeMethod(
            this, [this] { emit Finished(m_Chosen); }, Qt::QueuedConnection);
    }
    return QComboBox::eventFilter(watched, event);
}

// ---------------------------------------------------------------- delegate

CRoutingDelegate::CRoutingDelegate(CRoutingGrid* grid) : QStyledItemDelegate(grid), m_Grid(grid) {}

void CRoutingDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    if (m_Grid->Column(index.column()).kind != CellKind::Fixed) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    // Row numbers and the default row's label: a fixed column, drawn like the header.
    const QPalette::ColorGroup group = m_Grid->isEnabled() ? QPalette::Normal : QPalette::Disabled;
    painter->save();
    painter->fillRect(option.rect, option.palette.brush(group, QPalette::Button));
    painter->setPen(option.palette.color(group, QPalette::ButtonText));
    painter->drawText(option.rect.adjusted(3, 0, -2, 0),
                      Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      index.data(Qt::DisplayRole).toString());
    painter->restore();
}

void CRoutingDelegate::initStyleOption(QStyleOptionViewItem* option,
                                       const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    if (m_Grid->Column(index.column()).kind == CellKind::Enumerated)
        option->text = m_Grid->ItemTextFor(index.column(), index.data(Qt::DisplayRole).toString());
}

QWidget* CRoutingDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const {
    const TGridColumn& column = m_Grid->Column(index.column());
    QWidget* editor = nullptr;
    if (column.kind == CellKind::Enumerated) {
        auto* list = new CListEditor(column, parent);
        auto* self = const_cast<CRoutingDelegate*>(this);
        connect(list, &CListEditor::Finished, self,
                [self, list](bool chosen) { self->ListFinished(list, chosen); });
        editor = list;
    } else {
        editor = QStyledItemDelegate::createEditor(parent, option, index);
    }
    m_Editor = editor;
    return editor;
}

void CRoutingDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const {
    if (m_Editor == editor)
        m_Editor = nullptr;
    QStyledItemDelegate::destroyEditor(editor, index);
}

void CRoutingDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* list = qobject_cast<CListEditor*>(editor)) {
        bool isNumber = false;
        const int value = index.data(Qt::DisplayRole).toString().trimmed().toInt(&isNumber);
        list->SelectValue(isNumber ? value : -1);
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void CRoutingDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                    const QModelIndex& index) const {
    if (auto* list = qobject_cast<CListEditor*>(editor)) {
        // Only a pick changes the cell; closing the list otherwise leaves it as it was.
        if (list->Chosen() && list->SelectedValue() >= 0)
            model->setData(index, QString::number(list->SelectedValue()));
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

void CRoutingDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                            const QModelIndex& index) const {
    if (qobject_cast<CListEditor*>(editor)) {
        // One pixel inside the cell, as tall as the list needs to be readable.
        const QRect cell = option.rect;
        editor->setGeometry(cell.x() + 1, cell.y() + 1, cell.width() - 1,
                            std::max(cell.height() - 1, editor->sizeHint().height()));
        return;
    }
    QStyledItemDelegate::updateEditorGeometry(editor, option, index);
}

bool CRoutingDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                 const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (event == nullptr || event->type() != QEvent::ToolTip || !index.isValid())
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    const QString hint = m_Grid->ColumnHint(index.column());
    if (hint.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(event->globalPos(), hint, view);
    return true;
}

bool CRoutingDelegate::eventFilter(QObject* object, QEvent* event) {
    auto* edit = qobject_cast<QLineEdit*>(object);
    if (edit != nullptr && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool plain = (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0;
        switch (key->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            if (plain) {
                // The edit ends and the grid moves on, as in a spreadsheet.
                const int pressed = key->key();
                emit commitData(edit);
                emit closeEditor(edit, QAbstractItemDelegate::NoHint);
                m_Grid->MoveFromEditor(pressed);
                return true;
            }
            break;
        default:
            break;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

void CRoutingDelegate::ListFinished(CListEditor* list, bool chosen) {
    if (list != m_Editor)
        return;
    // The grid takes the focus back before the list goes, or hiding the list
    // would hand it on to the next control.
    QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr || m_Grid->Contains(focus))
        m_Grid->setFocus();
    if (chosen)
        emit commitData(list);
    emit closeEditor(list, QAbstractItemDelegate::NoHint);
}
