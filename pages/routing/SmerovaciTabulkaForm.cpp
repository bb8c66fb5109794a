// The routing page's controls: made from the declaration once, placed again at
// every load because label widths follow the language and the rows the variant.
#include "SmerovaciTabulka.h"

#include "PageLayout.h"
#include "PageQuery.h"
#include "Pages.h"
#include "RoutingGrid.h"
#include "UpDown.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

using kw::routing::TableId;

namespace {

constexpr int kGap = 8;
constexpr int kRowGap = 4;
// Widths in digits of the page's font, so the columns and edits keep their
// proportions with any font size.
constexpr int kFreeMinutesDigits = 14; // a free-minutes edit is half as wide
constexpr int kBankNumberDigits = 4;   // start time and quantum of a bank

int DigitsWidth(const QWidget* widget, int digits) {
    return digits * widget->fontMetrics().horizontalAdvance(QLatin1Char('0')) + 8;
}

int RowHeight(const kw::TBuiltRow& row) {
    return std::max(row.label->sizeHint().height(), row.control->sizeHint().height());
}

// Places the visible rows one under the other from (x, y), the controls lined
// up right of the widest label; a hidden row gives its place to the next.
// Returns the right edge of the column.
int PlaceRows(const std::vector<kw::TBuiltRow>& rows, int x, int y) {
    int labelWidth = 0;
    for (const kw::TBuiltRow& row : rows)
        if (!row.label->isHidden())
            labelWidth = std::max(labelWidth, row.label->sizeHint().width());
    int right = x;
    for (const kw::TBuiltRow& row : rows) {
        if (row.label->isHidden())
            continue;
        const int height = RowHeight(row);
        row.label->setGeometry(x, y, labelWidth, height);
        const int controlX = x + labelWidth + kGap;
        int width = row.control->width();
        if (qobject_cast<QComboBox*>(row.control) || qobject_cast<QLabel*>(row.control))
            width = row.control->sizeHint().width();
        row.control->setGeometry(controlX, y, width, height);
        right = std::max(right, controlX + width);
        if (row.upDown) {
            row.upDown->move(controlX + width, y);
            right = std::max(right, row.upDown->geometry().right() + 1);
        }
        y += height + kRowGap;
    }
    return right;
}

int RowsHeight(const std::vector<kw::TBuiltRow>& rows) {
    int height = 0;
    for (const kw::TBuiltRow& row : rows)
        if (!row.label->isHidden())
            height += RowHeight(row) + kRowGap;
    return height;
}

// Where the rows of a group box start below its title.
QPoint GroupOrigin(QGroupBox* box) {
    box->ensurePolished();
    const QRect inside = box->contentsRect();
    return {inside.left() + kGap, inside.top() + kRowGap};
}

// A group box's rows in two columns, the first `left` rows on the left.
void PlaceSettings(QGroupBox* box, const std::vector<kw::TBuiltRow>& rows, size_t left) {
    const std::vector<kw::TBuiltRow> first(rows.begin(), rows.begin() + left);
    const std::vector<kw::TBuiltRow> second(rows.begin() + left, rows.end());
    const QPoint o = GroupOrigin(box);
    const int split = first.empty() ? o.x() : PlaceRows(first, o.x(), o.y()) + 3 * kGap;
    PlaceRows(second, split, o.y());
    box->setFixedHeight(o.y() + std::max(RowsHeight(first), RowsHeight(second)) + kGap);
}

} // namespace

TFSmerovaciTabulka::TFSmerovaciTabulka(CPageHost& host, QWidget* parent)
    : TFDeclaredPage(host, kw::pages::RoutingPage(), parent) {
    Build();
    BuildBankDisplays();
    BuildTableButtons();
    StackSheets();
    m_FxoDirection = findChild<QComboBox*>("ComboBox4");
    m_ConsoleNumber = findChild<QLineEdit*>("Edit2");
    m_ConsoleNumberCopy = findChild<QLineEdit*>("Edit4");
    connect(m_FxoDirection, &QComboBox::currentIndexChanged, this,
            [this] { FxoDirectionChanged(); });
    connect(m_ConsoleNumber, &QLineEdit::textChanged, this,
            [this] { ConsoleNumberEdited(m_ConsoleNumber, m_ConsoleNumberCopy); });
    connect(m_ConsoleNumberCopy, &QLineEdit::textChanged, this,
            [this] { ConsoleNumberEdited(m_ConsoleNumberCopy, m_ConsoleNumber); });
    for (CRoutingGrid* grid : m_Grids)
        connect(grid, &QTableWidget::itemChanged, this, &TFDForm::Edited);
    connect(this, &TFSmerovaciTabulka::TableImported, this, &TFDForm::Edited);
    // Until the first load the grids show the layout of a line with FXO.
    LayOutGrids({});
    resize(kDesignWidth, kDesignHeight);
}

QWidget* TFSmerovaciTabulka::PlaceGroup(const kw::pages::TGroup& group, QWidget* in) {
    for (TableId table : kw::routing::kTables)
        if (&kw::routing::Declaration(table) == &group) {
            auto* grid = new CRoutingGrid(table, Parameters(), in);
            grid->setObjectName(kw::Text(group.name));
            m_Grids[static_cast<size_t>(table)] = grid;
            return grid;
        }
    if (group.name != "Banks")
        return in;
    // The bank rows scroll inside the banks sheet, on the sheet's own background.
    m_BankArea = new QScrollArea(in);
    m_BankArea->setObjectName("ScrollBox2");
    m_BankArea->setWidgetResizable(false);
    m_BankArea->setFrameShape(QFrame::NoFrame);
    m_BankArea->viewport()->setAutoFillBackground(false);
    auto* rows = new QWidget;
    rows->setObjectName("ScrollBox2Rows");
    m_BankArea->setWidget(rows);
    rows->setAutoFillBackground(false);
    return rows;
}

void TFSmerovaciTabulka::BuildBankDisplays() {
    QWidget* rows = m_BankArea->widget();
    for (const char* header : {"Label30", "Label31", "Label32", "Label33", "Label34"})
        rows->findChild<QLabel*>(header)->setAlignment(Qt::AlignCenter);
    for (int i = 0; i < kBanks; ++i) {
        const QString n = QString::number(i + 1);
        m_Banks[i].number = kw::MakeDisplay(rows, "BankNumber" + n);
        m_Banks[i].number->setAlignment(Qt::AlignCenter);
        m_Banks[i].number->setText(n + QLatin1Char('.'));
        m_Banks[i].remain = kw::MakeDisplay(rows, "BankRemain" + n);
        m_Banks[i].remain->setAlignment(Qt::AlignCenter);
        RowOf("FreeMins", i).control->setFixedWidth(DigitsWidth(this, kFreeMinutesDigits) / 2);
        RowOf("StartTime", i).control->setFixedWidth(DigitsWidth(this, kBankNumberDigits));
        RowOf("TimeAmount", i).control->setFixedWidth(DigitsWidth(this, kBankNumberDigits));
    }
    QWidget* sheet = findChild<QWidget*>("TabSheet4");
    m_NextTransferCaption = kw::MakeLabel(sheet, "Label21", 303, false);
    m_NextTransfer = kw::MakeDisplay(sheet, "Label22");
}

void TFSmerovaciTabulka::StackSheets() {
    // A routing sheet: the main grid taking the height, its default row and
    // the settings group under it.
    const std::pair<TableId, const char*> sheets[] = {
        {TableId::FXS, "GroupBox1"}, {TableId::FXO, "GroupBox2"}, {TableId::GSM, "GroupBox3"}};
    for (const auto& [table, settings] : sheets) {
        CRoutingGrid* grid = Grid(table);
        auto* layout = new QVBoxLayout(grid->parentWidget());
        kw::SetPageMargins(layout);
        layout->addWidget(grid, 1, Qt::AlignLeft);
        layout->addWidget(Grid(kw::routing::DefaultTableOf(table)), 0, Qt::AlignLeft);
        layout->addWidget(findChild<QGroupBox*>(settings));
    }
}

std::vector<kw::TBuiltRow> TFSmerovaciTabulka::RowsIn(const QWidget* container) const {
    std::vector<kw::TBuiltRow> rows;
    for (const kw::TBuiltRow& row : BuiltRows())
        if (row.control->parentWidget() == container && row.label != nullptr)
            rows.push_back(row);
    return rows;
}

void TFSmerovaciTabulka::LayOutSettings() {
    // Without an FXO line the call-back time moves up into the place of the
    // hidden time to dial on FXO.
    for (const auto& [name, left] :
         {std::pair{"GroupBox1", 1}, std::pair{"GroupBox2", 3}, std::pair{"GroupBox3", 3}}) {
        auto* box = findChild<QGroupBox*>(name);
        PlaceSettings(box, RowsIn(box), left);
    }
    LayOutBanks();
}

void TFSmerovaciTabulka::LayOutBanks() {
    // Each column as wide as its header or its cells, whichever is wider, and
    // every cell centred under its header.
    QWidget* rows = m_BankArea->widget();
    const char* headerNames[] = {"Label30", "Label31", "Label32", "Label33", "Label34"};
    const QWidget* freeMins = RowOf("FreeMins", 0).control;
    const int height = freeMins->sizeHint().height();
    const int cellWidths[5] = {fontMetrics().horizontalAdvance(QStringLiteral("4.")) + kGap,
                               freeMins->width(), RowOf("StartTime", 0).control->width(),
                               RowOf("TimeAmount", 0).control->width(),
                               fontMetrics().horizontalAdvance(QStringLiteral("-65535:59")) + kGap};
    int x = 0;
    int columnX[5];
    int columnW[5];
    for (int i = 0; i < 5; ++i) {
        QLabel* header = rows->findChild<QLabel*>(headerNames[i]);
        columnX[i] = x;
        columnW[i] = std::max(header->sizeHint().width(), cellWidths[i]) + 2 * kGap;
        header->setGeometry(x, 0, columnW[i], height);
        x += columnW[i];
    }
    int y = height + 3;
    for (int bank = 0; bank < kBanks; ++bank) {
        QWidget* cells[5] = {m_Banks[bank].number, RowOf("FreeMins", bank).control,
                             RowOf("StartTime", bank).control, RowOf("TimeAmount", bank).control,
                             m_Banks[bank].remain};
        for (int i = 0; i < 5; ++i)
            cells[i]->setGeometry(columnX[i] + (columnW[i] - cellWidths[i]) / 2, y, cellWidths[i],
                                  height);
        y += height + 3;
    }
    rows->resize(x, y);
    m_BankArea->setGeometry(kGap, kGap, x, y);
    std::vector<kw::TBuiltRow> transfer = RowsIn(m_BankArea->parentWidget());
    transfer.push_back({nullptr, m_NextTransferCaption, m_NextTransfer, nullptr});
    PlaceRows(transfer, kGap, m_BankArea->geometry().bottom() + 2 * kGap);
}

void TFSmerovaciTabulka::LayOutGrids(const std::string& variant) {
    for (TableId main : {TableId::FXS, TableId::FXO, TableId::GSM}) {
        CRoutingGrid* grid = Grid(main);
        const TableId defTable = kw::routing::DefaultTableOf(main);
        CRoutingGrid* def = Grid(defTable);
        grid->SetColumns(variant);
        def->SetColumns(variant);
        // A column is as wide as its declared digits (the row numbers' for the
        // fixed one) less the 3 pixels a cell's frame takes.
        std::vector<int> widths;
        for (int c = 0; c < grid->columnCount(); ++c) {
            const kw::pages::TRow* row = grid->Column(c).row;
            widths.push_back(DigitsWidth(this, row ? row->width : kw::routing::kRowNumberDigits) -
                             3);
        }
        grid->SetColumnWidths(widths);
        // A default column lies under its main column; column 0 spans the
        // main columns the default route has no field for.
        const int offset = kw::routing::DefaultColumnOffset(defTable);
        std::vector<int> defWidths(def->columnCount());
        for (int c = 0; c <= offset; ++c)
            defWidths[0] += widths[c];
        for (int c = 1; c < def->columnCount(); ++c)
            defWidths[c] = widths[c + offset];
        def->SetColumnWidths(defWidths);
        grid->setFixedWidth(grid->FittingWidth());
        def->setFixedWidth(def->FittingWidth());
        def->setFixedHeight(def->FittingHeight(1));
        grid->setMinimumHeight(grid->FittingHeight(4));
    }
}
