#include "RoutingGrid.h"

#include "Fatal.h"
#include "Language.h"
#include "PageQuery.h"
#include "Parameters.h"
#include "RoutingDelegate.h"
#include "Win1252.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>

using kw::routing::CellKind;
using kw::routing::TableId;

namespace {

constexpr Qt::ItemFlags kCellFlags = Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsEnabled;

} // namespace

CRoutingGrid::CRoutingGrid(TableId table, CParameters& parameters, QWidget* parent)
    : QTableWidget(parent), m_Table(table), m_Parameters(parameters),
      m_Delegate(new CRoutingDelegate(this)) {
    setItemDelegate(m_Delegate);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setTabKeyNavigation(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(kRowHeight);
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    if (IsDefault()) {
        horizontalHeader()->hide();
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setRowCount(1);
    } else {
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        setRowCount(kw::routing::kRoutingRows);
    }
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(qApp, &QApplication::focusChanged, this, &CRoutingGrid::FocusChanged);
}

bool CRoutingGrid::IsDefault() const {
    return kw::routing::IsDefaultTable(m_Table);
}

void CRoutingGrid::SetColumns(const std::string& variant) {
    const kw::pages::TGroup& table = kw::routing::Declaration(m_Table);
    m_Columns.assign(1, TGridColumn{CellKind::Fixed, {}, table.word, nullptr, {}});
    for (const kw::pages::TRow& row : table.rows)
        if (kw::pages::Shows(row.variants, variant))
            m_Columns.push_back(
                {row.kind == kw::pages::Kind::GridList ? CellKind::Enumerated : CellKind::Text,
                 std::string(row.param),
                 row.word,
                 &row,
                 {}});
    m_Hints.assign(m_Columns.size(), QString());
    m_Headers.assign(m_Columns.size(), QString());
    const int count = static_cast<int>(m_Columns.size());
    if (columnCount() != count)
        setColumnCount(count);
    // Cells are made once; loading only sets their texts. Column 0 is the
    // fixed one in every layout, so a cell's flags never change.
    const QSignalBlocker quiet(model());
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < count; ++c) {
            if (item(r, c) != nullptr)
                continue;
            auto* cell = new QTableWidgetItem;
            const bool fixed = m_Columns[c].kind == CellKind::Fixed;
            cell->setFlags(fixed ? Qt::NoItemFlags : kCellFlags);
            if (fixed && !IsDefault())
                cell->setText(QString::number(r + 1) + QLatin1Char('.'));
            setItem(r, c, cell);
        }
    viewport()->update();
}

const TGridColumn& CRoutingGrid::Column(int column) const {
    KW_ASSERT(column >= 0 && column < static_cast<int>(m_Columns.size()));
    return m_Columns[column];
}

int CRoutingGrid::ColumnOf(const std::string& param) const {
    for (size_t c = 0; c < m_Columns.size(); ++c)
        if (m_Columns[c].kind != CellKind::Fixed && m_Columns[c].param == param)
            return static_cast<int>(c);
    return -1;
}

void CRoutingGrid::SetTexts(const CLanguage& language) {
    for (size_t c = 0; c < m_Columns.size(); ++c) {
        const int word = m_Columns[c].word;
        const int column = static_cast<int>(c);
        if (m_Columns[c].kind == CellKind::Enumerated) {
            const kw::pages::TRow& row = *m_Columns[c].row;
            m_Columns[c].items.clear();
            for (size_t i = 0; i < row.items.size(); ++i)
                m_Columns[c].items.push_back(
                    QString::fromStdString(language.GetItem(row.ItemsWord(), static_cast<int>(i))));
        }
        // The row-number column of a main table has no hint of its own.
        const bool rowNumbers = !IsDefault() && m_Columns[c].kind == CellKind::Fixed;
        m_Hints[c] = rowNumbers ? QString() : QString::fromStdString(language.GetHint(word));
        if (IsDefault()) {
            if (m_Columns[c].kind == CellKind::Fixed)
                item(0, column)->setText(QString::fromStdString(language.GetText(word)));
            continue;
        }
        m_Headers[c] = QString::fromStdString(language.GetText(word));
    }
    WrapHeaders();
}

void CRoutingGrid::WrapHeaders() {
    if (IsDefault())
        return;
    const QFontMetrics metrics = horizontalHeader()->fontMetrics();
    for (int c = 0; c < columnCount() && c < static_cast<int>(m_Headers.size()); ++c) {
        QTableWidgetItem* header = horizontalHeaderItem(c);
        if (header == nullptr) {
            header = new QTableWidgetItem;
            setHorizontalHeaderItem(c, header);
        }
        // A header wider than its column breaks at spaces into more lines, so
        // every word of it stays readable.
        const int room = horizontalHeader()->sectionSize(c) - 8;
        QString wrapped;
        QString line;
        for (const QString& word : m_Headers[c].split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
            if (!line.isEmpty() && metrics.horizontalAdvance(longer) > room) {
                wrapped += line + QLatin1Char('\n');
                line = word;
            } else {
                line = longer;
            }
        }
        wrapped += line;
        header->setText(wrapped);
        header->setToolTip(m_Hints[c]);
    }
}

void CRoutingGrid::SetColumnWidths(const std::vector<int>& widths) {
    KW_ASSERT(widths.size() == m_Columns.size());
    for (size_t c = 0; c < widths.size(); ++c)
        horizontalHeader()->resizeSection(static_cast<int>(c), std::max(widths[c], 1));
    WrapHeaders();
}

int CRoutingGrid::FittingWidth() const {
    int width = 2 * frameWidth();
    for (int c = 0; c < columnCount(); ++c)
        width += horizontalHeader()->sectionSize(c);
    if (!IsDefault())
        width += verticalScrollBar()->sizeHint().width();
    return width;
}

int CRoutingGrid::FittingHeight(int rows) const {
    int height = 2 * frameWidth() + rows * kRowHeight;
    if (!IsDefault())
        height += horizontalHeader()->sizeHint().height();
    return height;
}

QString CRoutingGrid::ColumnHint(int column) const {
    return column >= 0 && column < static_cast<int>(m_Hints.size()) ? m_Hints[column] : QString();
}

void CRoutingGrid::Load(const CParameters& parameters) {
    const QSignalBlocker quiet(model());
    for (int c = 0; c < columnCount(); ++c) {
        const TGridColumn& column = m_Columns[c];
        if (column.kind == CellKind::Fixed)
            continue;
        for (int r = 0; r < rowCount(); ++r)
            item(r, c)->setText(kw::BytesToQString(parameters.GetValue(column.param, r)));
    }
    viewport()->update();
}

void CRoutingGrid::StoreRow(CParameters& parameters, int row) const {
    for (int c = 0; c < columnCount(); ++c) {
        const TGridColumn& column = m_Columns[c];
        if (column.kind != CellKind::Fixed)
            parameters.SetValue(column.param, row, kw::QStringToBytes(item(row, c)->text()));
    }
}

QString CRoutingGrid::CellText(int row, int column) const {
    const QTableWidgetItem* cell = item(row, column);
    return cell ? cell->text() : QString();
}

void CRoutingGrid::SetCellText(int row, int column, const QString& text) {
    if (QTableWidgetItem* cell = item(row, column))
        cell->setText(text);
}

QString CRoutingGrid::ShownText(int row, int column) const {
    if (Column(column).kind == CellKind::Enumerated)
        return ItemTextFor(column, CellText(row, column));
    return CellText(row, column);
}

QString CRoutingGrid::ItemTextFor(int column, const QString& cellText) const {
    const TGridColumn& list = Column(column);
    bool isNumber = false;
    const int value = cellText.trimmed().toInt(&isNumber);
    if (list.kind != CellKind::Enumerated || !isNumber)
        return {};
    const std::vector<int>& values = list.row->items;
    for (size_t i = 0; i < values.size() && i < list.items.size(); ++i)
        if (values[i] == value)
            return list.items[i];
    return {};
}

void CRoutingGrid::FinishEditing() {
    if (QWidget* editor = m_Delegate->OpenEditor()) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
    NormaliseCell(currentIndex());
}

void CRoutingGrid::CancelEditing() {
    if (QWidget* editor = m_Delegate->OpenEditor())
        closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

QWidget* CRoutingGrid::OpenEditor() const {
    return m_Delegate->OpenEditor();
}

bool CRoutingGrid::IsEnumerated(const QModelIndex& index) const {
    return index.isValid() && index.column() < static_cast<int>(m_Columns.size()) &&
           m_Columns[index.column()].kind == CellKind::Enumerated;
}

void CRoutingGrid::NormaliseCell(const QModelIndex& index) {
    if (!index.isValid() || index.column() >= static_cast<int>(m_Columns.size()))
        return;
    const TGridColumn& column = m_Columns[index.column()];
    if (column.kind != CellKind::Text || m_Parameters.Find(column.param) == nullptr)
        return;
    QTableWidgetItem* cell = item(index.row(), index.column());
    if (cell == nullptr)
        return;
    std::string text = kw::QStringToBytes(cell->text());
    m_Parameters.NormalizeByName(column.param, text);
    const QString shown = kw::BytesToQString(text);
    if (shown != cell->text())
        cell->setText(shown);
    if (IsDefault())
        viewport()->update();
}

void CRoutingGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    // The base commits an editor still open on the cell being left.
    QTableWidget::currentChanged(current, previous);
    NormaliseCell(previous);
}

bool CRoutingGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    if (!IsEnumerated(index)) {
        if (!QTableWidget::edit(index, trigger, event))
            return false;
        // F2 goes on from the end of the text instead of replacing all of it.
        auto* line = qobject_cast<QLineEdit*>(m_Delegate->OpenEditor());
        if (line != nullptr && trigger == EditKeyPressed) {
            line->deselect();
            line->end(false);
        }
        return true;
    }
    // A click opens the list itself (mouseReleaseEvent), and a closed list would
    // take a typed key as a pick at once, so the key is never handed on.
    if (trigger == SelectedClicked || trigger == DoubleClicked)
        return false;
    if (!QTableWidget::edit(index, trigger, nullptr))
        return false;
    if (auto* list = qobject_cast<CListEditor*>(m_Delegate->OpenEditor()))
        list->Drop(m_Search);
    return true;
}

bool CRoutingGrid::OpenList(const QModelIndex& index, const QString& search) {
    m_Search = search;
    const bool opened = edit(index, AllEditTriggers, nullptr);
    m_Search.clear();
    return opened;
}

void CRoutingGrid::keyPressEvent(QKeyEvent* event) {
    const QModelIndex current = currentIndex();
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    if (state() != EditingState && current.isValid()) {
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && mods == Qt::NoModifier) {
            MoveFromEditor(key);
            return;
        }
        if (IsEnumerated(current)) {
            const bool altDown = key == Qt::Key_Down && (mods & Qt::AltModifier) != 0;
            const bool space = key == Qt::Key_Space && mods == Qt::NoModifier;
            const QString text = event->text();
            const bool typed = !text.isEmpty() && text.at(0).isPrint() &&
                               (mods & (Qt::ControlModifier | Qt::AltModifier)) == 0;
            if (altDown || space || key == Qt::Key_F2 || typed) {
                OpenList(current, typed && !space ? text : QString());
                return;
            }
        } else if (key == Qt::Key_Delete && mods == Qt::NoModifier) {
            SetCellText(current.row(), current.column(), QString());
            return;
        }
    }
    QTableWidget::keyPressEvent(event);
}

void CRoutingGrid::mousePressEvent(QMouseEvent* event) {
    QTableWidget::mousePressEvent(event);
    m_Pressed =
        event->button() == Qt::LeftButton ? indexAt(event->position().toPoint()) : QModelIndex();
}

void CRoutingGrid::mouseReleaseEvent(QMouseEvent* event) {
    QTableWidget::mouseReleaseEvent(event);
    const QModelIndex released = indexAt(event->position().toPoint());
    const bool click = event->button() == Qt::LeftButton && released.isValid() &&
                       released == QModelIndex(m_Pressed);
    m_Pressed = QModelIndex();
    // A click on an enumerated cell opens its list, also when the cell was
    // selected already.
    if (click && IsEnumerated(released) && released == currentIndex() && state() != EditingState)
        OpenList(released, QString());
}

void CRoutingGrid::MoveFromEditor(int key) {
    CursorAction action = MoveDown;
    switch (key) {
    case Qt::Key_Up:
        action = MoveUp;
        break;
    case Qt::Key_Tab:
        action = MoveNext;
        break;
    case Qt::Key_Backtab:
        action = MovePrevious;
        break;
    default:
        break;
    }
    const QModelIndex next = moveCursor(action, Qt::NoModifier);
    if (next.isValid() && next != currentIndex())
        setCurrentIndex(next);
    else
        NormaliseCell(currentIndex());
}

bool CRoutingGrid::Contains(const QObject* object) const {
    for (const QObject* o = object; o != nullptr; o = o->parent())
        if (o == this)
            return true;
    return false;
}

void CRoutingGrid::FocusChanged(QWidget* old, QWidget* now) {
    // Editors and their lists are children of the grid: moving between them and
    // the grid is no leaving.
    if (old == nullptr || !Contains(old) || Contains(now))
        return;
    NormaliseCell(currentIndex());
}
