// The routing page's controls: built once, placed again after each translation
// because label widths follow the language.
#include "SmerovaciTabulka.h"

#include "Language.h"
#include "PageLayout.h"
#include "RoutingGrid.h"
#include "TranslateWidgets.h"
#include "UpDown.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <initializer_list>
#include <vector>

using kw::routing::TableId;

namespace {

constexpr int kGap = 8;
constexpr int kRowGap = 4;

// Design widths of the hidden width templates, in digits of the page's font,
// so the columns keep their proportions with any font size.
struct TTemplate {
    const char* name;
    int digits;
};
constexpr TTemplate kEditTemplates[] = {
    {"Edit18", 4},  // row numbers "120."; start time and quantum of a bank
    {"Edit17", 13}, // numbers, call times
    {"Edit1", 14},  // free minutes of a bank (half of it)
};
// The hidden drop-down lists: values, word of their item texts, width.
struct TListTemplate {
    const char* name;
    int word;
    std::initializer_list<int> values;
    int digits;
};
const TListTemplate kListTemplates[] = {
    {"ComboBox5", 26, {0, 1}, 8},
    {"ComboBox10", 26, {0, 1}, 8},
    {"ComboBox7", 216, {0, 1, 2, 3}, 14},
    {"ComboBox11", 216, {0, 1, 2, 3}, 14},
    {"ComboBox8", 28, {0, 1}, 8},
    {"ComboBox12", 28, {0, 1}, 8},
    {"ComboBox1", 218, {0, 1}, 8},
    {"ComboBox9", 218, {0, 1}, 8},
    {"ComboBox6", 220, {0, 1}, 8},
    {"ComboBox13", 220, {0, 1}, 8},
    {"ComboBox3", 226, {0, 1, 2, 3, 4}, 12},
    {"ComboBox15", 226, {0, 1, 2, 3, 4}, 12},
    {"ComboBox16", 330, {0, 2, 3, 4}, 12},
    {"ComboBox17", 330, {0, 2, 3, 4}, 12},
};

// One line of a settings group: a label, its control, maybe an up-down.
struct TFormRow {
    QLabel* label;
    QWidget* control;
    CUpDown* upDown = nullptr;
};

TFormRow SpinRow(QLabel* label, const kw::SpinEdit& spin) {
    return {label, spin.edit, spin.upDown};
}

int RowHeight(const TFormRow& row) {
    return std::max(row.label->sizeHint().height(), row.control->sizeHint().height());
}

// Places the visible rows one under the other from (x, y), the controls lined
// up right of the widest label; a hidden row gives its place to the next.
// Returns the right edge of the column.
int PlaceRows(const std::vector<TFormRow>& rows, int x, int y) {
    int labelWidth = 0;
    for (const TFormRow& row : rows)
        if (!row.label->isHidden())
            labelWidth = std::max(labelWidth, row.label->sizeHint().width());
    int right = x;
    for (const TFormRow& row : rows) {
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

int RowsHeight(const std::vector<TFormRow>& rows) {
    int height = 0;
    for (const TFormRow& row : rows)
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

void FitGroupHeight(QGroupBox* box, int rowsHeight) {
    box->setFixedHeight(GroupOrigin(box).y() + rowsHeight + kGap);
}

CRoutingGrid* NewGrid(TableId table, CParameters& parameters, QWidget* tab, const char* name) {
    auto* grid = new CRoutingGrid(table, parameters, tab);
    grid->setObjectName(name);
    return grid;
}

// A routing tab: the main grid taking the height, its default row and the
// settings group under it.
void StackTab(QWidget* tab, CRoutingGrid* grid, CRoutingGrid* defaults, QGroupBox* settings) {
    auto* layout = new QVBoxLayout(tab);
    kw::SetPageMargins(layout);
    layout->addWidget(grid, 1, Qt::AlignLeft);
    layout->addWidget(defaults, 0, Qt::AlignLeft);
    layout->addWidget(settings);
}

} // namespace

void TFSmerovaciTabulka::BuildTemplates() {
    const int digit = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    for (const TTemplate& t : kEditTemplates) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(t.name);
        edit->resize(t.digits * digit + 8, edit->sizeHint().height());
        edit->hide();
    }
    for (const TListTemplate& t : kListTemplates) {
        QComboBox* list = kw::MakeCombo(this, t.name, t.word, t.values);
        // A template keeps its design width whatever texts its items get.
        list->setSizeAdjustPolicy(QComboBox::AdjustToContentsOnFirstShow);
        list->resize(t.digits * digit + 8, list->sizeHint().height());
        list->hide();
    }
}

void TFSmerovaciTabulka::BuildFxsTab() {
    TabSheet1 = kw::AddTabSheet(PageControl1, "TabSheet1", 211, "Smerování FXS");
    TabFXS = NewGrid(TableId::FXS, Parameters(), TabSheet1, "TabFXS");
    TabFXSDef = NewGrid(TableId::FXSDef, Parameters(), TabSheet1, "TabFXSDef");
    GroupBox1 = kw::MakeGroup(TabSheet1, "GroupBox1", 285, {});
    Label1 = kw::MakeLabel(GroupBox1, "Label1", 286, "Kestrel spojovatelka");
    Edit2 = kw::MakeEdit(GroupBox1, "Edit2", 286, 8, 8);
    StackTab(TabSheet1, TabFXS, TabFXSDef, GroupBox1);
}

void TFSmerovaciTabulka::BuildFxoTab() {
    TabSheet2 = kw::AddTabSheet(PageControl1, "TabSheet2", 212, "Smerování FXO");
    TabFXO = NewGrid(TableId::FXO, Parameters(), TabSheet2, "TabFXO");
    TabFXODef = NewGrid(TableId::FXODef, Parameters(), TabSheet2, "TabFXODef");
    GroupBox2 = kw::MakeGroup(TabSheet2, "GroupBox2", 233, {});
    Label2 = kw::MakeLabel(GroupBox2, "Label2", 234, "Směrování hovorů z FXO");
    ComboBox4 = kw::MakeCombo(GroupBox2, "ComboBox4", 234, {0, 1});
    Label3 = kw::MakeLabel(GroupBox2, "Label3", 235, "Číslo pro folow me");
    Edit14 = kw::MakeEdit(GroupBox2, "Edit14", 235, 16, 16);
    Label4 = kw::MakeLabel(GroupBox2, "Label4", 236, "Počet zvonění do Folow me");
    const kw::SpinEdit rings = kw::MakeSpinEdit(GroupBox2, "Edit16", "UpDown6", 236, 0, 255);
    Edit16 = rings.edit;
    UpDown6 = rings.upDown;
    Label5 = kw::MakeLabel(GroupBox2, "Label5", 237, "Heslo pro aktivaci Folow me");
    Edit15 = kw::MakeEdit(GroupBox2, "Edit15", 237, 8, 8);
    Label6 = kw::MakeLabel(GroupBox2, "Label6", 287, "Kód pro zavešení");
    Edit3 = kw::MakeEdit(GroupBox2, "Edit3", 287, 8, 8);
    Label7 = kw::MakeLabel(GroupBox2, "Label7", 286, "Kestrel spojovatelka");
    Edit4 = kw::MakeEdit(GroupBox2, "Edit4", 286, 8, 8);
    StackTab(TabSheet2, TabFXO, TabFXODef, GroupBox2);
}

void TFSmerovaciTabulka::BuildGsmTab() {
    TabSheet3 = kw::AddTabSheet(PageControl1, "TabSheet3", 213, "Smerování GSM");
    TabGSM = NewGrid(TableId::GSM, Parameters(), TabSheet3, "TabGSM");
    TabGSMDef = NewGrid(TableId::GSMDef, Parameters(), TabSheet3, "TabGSMDef");
    GroupBox3 = kw::MakeGroup(TabSheet3, "GroupBox3", 229, {});
    Label23 = kw::MakeLabel(GroupBox3, "Label23", 230, "Doba do DISA provolby na FXS [ms]");
    const kw::SpinEdit disa =
        kw::MakeSpinEdit(GroupBox3, "Edit10", "UpDown1", 230, 100, 25500, 100);
    Edit10 = disa.edit;
    UpDown1 = disa.upDown;
    Label29 = kw::MakeLabel(GroupBox3, "Label29", 231, "Doba do volby od vyzvednutí FXO [ms]");
    const kw::SpinEdit dial =
        kw::MakeSpinEdit(GroupBox3, "Edit11", "UpDown2", 231, 100, 25500, 100);
    Edit11 = dial.edit;
    UpDown2 = dial.upDown;
    Label24 = kw::MakeLabel(GroupBox3, "Label24", 232, "Čas na CallBack potvrzení [s]");
    const kw::SpinEdit callBack = kw::MakeSpinEdit(GroupBox3, "Edit13", "UpDown3", 232, 0, 255);
    Edit13 = callBack.edit;
    UpDown3 = callBack.upDown;
    Label25 = kw::MakeLabel(GroupBox3, "Label25", 278, {});
    ComboBox2 = kw::MakeCombo(GroupBox3, "ComboBox2", 278, {0, 1});
    Label26 = kw::MakeLabel(GroupBox3, "Label26", 279, "Data z GSM smerovat na:");
    ComboBox14 = kw::MakeCombo(GroupBox3, "ComboBox14", 279, {0, 1});
    StackTab(TabSheet3, TabGSM, TabGSMDef, GroupBox3);
}

void TFSmerovaciTabulka::BuildBanksTab() {
    TabSheet4 = kw::AddTabSheet(PageControl1, "TabSheet4", 304, "Banka");
    ScrollBox2 = new QScrollArea(TabSheet4);
    ScrollBox2->setObjectName("ScrollBox2");
    ScrollBox2->setWidgetResizable(false);
    ScrollBox2->setFrameShape(QFrame::NoFrame);
    auto* rows = new QWidget;
    rows->setObjectName("ScrollBox2Rows");
    const char* headerNames[] = {"Label30", "Label31", "Label32", "Label33", "Label34"};
    const int headerWords[] = {300, 305, 306, 307, 308};
    for (int i = 0; i < 5; ++i)
        kw::MakeLabel(rows, headerNames[i], headerWords[i], {}, i >= 1 && i <= 3)
            ->setAlignment(Qt::AlignCenter);
    const int freeWidth = findChild<QLineEdit*>("Edit1")->width() / 2;
    const int shortWidth = findChild<QLineEdit*>("Edit18")->width();
    for (int i = 0; i < kBanks; ++i) {
        const QString n = QString::number(i + 1);
        TBankRow& bank = m_Banks[i];
        bank.number = kw::MakeDisplay(rows, "BankNumber" + n);
        bank.number->setAlignment(Qt::AlignCenter);
        bank.freeMins = kw::MakeEdit(rows, "BankFreeMins" + n, 0, 5, 5);
        bank.freeMins->setFixedWidth(freeWidth);
        bank.startTime = kw::MakeEdit(rows, "BankStartTime" + n, 0, 3, 3);
        bank.startTime->setFixedWidth(shortWidth);
        bank.timeAmount = kw::MakeEdit(rows, "BankTimeAmount" + n, 307, 3, 3);
        bank.timeAmount->setFixedWidth(shortWidth);
        bank.remain = kw::MakeDisplay(rows, "BankRemain" + n);
        bank.remain->setAlignment(Qt::AlignCenter);
    }
    ScrollBox2->setWidget(rows);
    // The bank rows sit on the tab's own background, not on a scroll area's.
    rows->setAutoFillBackground(false);
    ScrollBox2->viewport()->setAutoFillBackground(false);
    Label27 = kw::MakeLabel(TabSheet4, "Label27", 301, "Povolení hovoru s vyčerpanou bankou");
    ComboBox18 = kw::MakeCombo(TabSheet4, "ComboBox18", 301, {0, 1, 2});
    Label28 = kw::MakeLabel(TabSheet4, "Label28", 302, "Datum automatického převodu");
    Edit9 = kw::MakeEdit(TabSheet4, "Edit9", 302, 2, 2);
    Label21 = kw::MakeLabel(TabSheet4, "Label21", 303, {}, false);
    Label22 = kw::MakeDisplay(TabSheet4, "Label22");
}

void TFSmerovaciTabulka::LayOutSettings(bool hasFxo) {
    Label29->setVisible(hasFxo);
    Edit11->setVisible(hasFxo);
    UpDown2->setVisible(hasFxo);

    const std::vector<TFormRow> fxs = {{Label1, Edit2}};
    QPoint o = GroupOrigin(GroupBox1);
    PlaceRows(fxs, o.x(), o.y());
    FitGroupHeight(GroupBox1, RowsHeight(fxs));

    const std::vector<TFormRow> fxoLeft = {
        {Label2, ComboBox4}, {Label3, Edit14}, SpinRow(Label4, {Edit16, UpDown6})};
    const std::vector<TFormRow> fxoRight = {{Label5, Edit15}, {Label6, Edit3}, {Label7, Edit4}};
    o = GroupOrigin(GroupBox2);
    const int fxoSplit = PlaceRows(fxoLeft, o.x(), o.y()) + 3 * kGap;
    PlaceRows(fxoRight, fxoSplit, o.y());
    FitGroupHeight(GroupBox2, std::max(RowsHeight(fxoLeft), RowsHeight(fxoRight)));

    // Without an FXO line the call-back time moves up into the place of the
    // hidden time to dial on FXO.
    const std::vector<TFormRow> gsmLeft = {SpinRow(Label23, {Edit10, UpDown1}),
                                           SpinRow(Label29, {Edit11, UpDown2}),
                                           SpinRow(Label24, {Edit13, UpDown3})};
    const std::vector<TFormRow> gsmRight = {{Label25, ComboBox2}, {Label26, ComboBox14}};
    o = GroupOrigin(GroupBox3);
    const int gsmSplit = PlaceRows(gsmLeft, o.x(), o.y()) + 3 * kGap;
    PlaceRows(gsmRight, gsmSplit, o.y());
    FitGroupHeight(GroupBox3, std::max(RowsHeight(gsmLeft), RowsHeight(gsmRight)));

    LayOutBanks();
}

void TFSmerovaciTabulka::LayOutBanks() {
    // Each column as wide as its header or its cells, whichever is wider, and
    // every cell centred under its header.
    QWidget* rows = ScrollBox2->widget();
    const char* headerNames[] = {"Label30", "Label31", "Label32", "Label33", "Label34"};
    const int height = m_Banks[0].freeMins->sizeHint().height();
    const int cellWidths[5] = {fontMetrics().horizontalAdvance(QStringLiteral("4.")) + kGap,
                               m_Banks[0].freeMins->width(), m_Banks[0].startTime->width(),
                               m_Banks[0].timeAmount->width(),
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
    for (TBankRow& bank : m_Banks) {
        QWidget* cells[5] = {bank.number, bank.freeMins, bank.startTime, bank.timeAmount,
                             bank.remain};
        for (int i = 0; i < 5; ++i)
            cells[i]->setGeometry(columnX[i] + (columnW[i] - cellWidths[i]) / 2, y, cellWidths[i],
                                  height);
        y += height + 3;
    }
    rows->resize(x, y);
    ScrollBox2->setGeometry(kGap, kGap, x, y);
    const std::vector<TFormRow> transfer = {
        {Label27, ComboBox18}, {Label28, Edit9}, {Label21, Label22}};
    PlaceRows(transfer, kGap, ScrollBox2->geometry().bottom() + 2 * kGap);
}

void TFSmerovaciTabulka::LayOutGrids(bool hasFxo) {
    auto listNamed = [this](const std::string& name) -> const QComboBox* {
        if (name.empty())
            return nullptr;
        return findChild<QComboBox*>(QString::fromStdString(name), Qt::FindDirectChildrenOnly);
    };
    for (TableId main : {TableId::FXS, TableId::FXO, TableId::GSM}) {
        CRoutingGrid* grid = Grid(main);
        const TableId defTable = main == TableId::FXS   ? TableId::FXSDef
                                 : main == TableId::FXO ? TableId::FXODef
                                                        : TableId::GSMDef;
        CRoutingGrid* def = Grid(defTable);
        for (CRoutingGrid* g : {grid, def}) {
            std::vector<TGridColumn> columns;
            for (const kw::routing::TColumn& c : kw::routing::Columns(g->Table(), hasFxo))
                columns.push_back({c.kind, c.param, c.word, listNamed(c.list)});
            g->SetColumns(std::move(columns));
        }
        std::vector<int> widths;
        for (const std::string& name : kw::routing::WidthTemplates(main, hasFxo))
            widths.push_back(findChild<QWidget*>(QString::fromStdString(name))->width() - 3);
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
    PageControl1->setTabVisible(PageControl1->indexOf(TabSheet2), hasFxo);
}
