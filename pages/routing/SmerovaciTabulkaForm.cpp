// The routing page's controls: built once, placed again after each translation
// because label widths follow the language.
#include "SmerovaciTabulka.h"

#include "Language.h"
#include "RoutingGrid.h"
#include "TranslateWidgets.h"
#include "TypingLimit.h"
#include "UpDown.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

using kw::routing::TableId;

namespace {

// Heights and gaps of the hand-placed controls.
constexpr int kControlHeight = 22;
constexpr int kRowPitch = kControlHeight + 4;
constexpr int kGap = 8;

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
// name, tag, values, width in digits
struct TListTemplate {
    const char* name;
    int word;
    std::vector<int> values;
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

QLabel* NewLabel(QWidget* parent, const char* name, int word, bool hint = false) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    kw::SetWidgetTag(label, word);
    kw::SetShowHint(label, hint);
    return label;
}

QLineEdit* NewEdit(QWidget* parent, const char* name, int maxLength, int width) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    if (maxLength > 0)
        kw::LimitTyping(edit, maxLength);
    edit->resize(width, kControlHeight);
    return edit;
}

CUpDown* NewUpDown(QLineEdit* edit, const char* name, int min, int max, int step) {
    auto* upDown = new CUpDown(edit->parentWidget());
    upDown->setObjectName(name);
    upDown->SetAssociate(edit);
    upDown->SetRange(min, max);
    upDown->SetIncrement(step);
    return upDown;
}

QComboBox* NewCombo(QWidget* parent, const char* name, int word, const QStringList& values) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->addItems(values);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    kw::SetWidgetTag(combo, word);
    kw::SetShowHint(combo, true);
    return combo;
}

// One line of a settings group: a label, its control, maybe an up-down.
struct TFormRow {
    QLabel* label;
    QWidget* control;
    CUpDown* upDown = nullptr;
};

// Places the visible rows one under the other from (x, y), the controls lined
// up right of the widest label; hidden rows give their place to the next.
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
        row.label->setGeometry(x, y, labelWidth, kControlHeight);
        const int controlX = x + labelWidth + kGap;
        int width = row.control->width();
        if (auto* combo = qobject_cast<QComboBox*>(row.control))
            width = std::max(combo->sizeHint().width(), 60);
        row.control->setGeometry(controlX, y, width, kControlHeight);
        right = std::max(right, controlX + width);
        if (row.upDown) {
            row.upDown->setGeometry(controlX + width, y, row.upDown->sizeHint().width(),
                                    kControlHeight);
            right = std::max(right, row.upDown->geometry().right() + 1);
        }
        y += kRowPitch;
    }
    return right;
}

int RowsHeight(const std::vector<TFormRow>& rows) {
    int visible = 0;
    for (const TFormRow& row : rows)
        visible += row.label->isHidden() ? 0 : 1;
    return visible * kRowPitch;
}

// Where the rows of a group box start below its title.
QPoint GroupOrigin(QGroupBox* box) {
    box->ensurePolished();
    const QRect inside = box->contentsRect();
    return {inside.left() + kGap, inside.top() + 4};
}

void FitGroupHeight(QGroupBox* box, int rowsHeight) {
    const QPoint origin = GroupOrigin(box);
    box->setFixedHeight(origin.y() + rowsHeight + kGap);
}

QVBoxLayout* TabLayout(QWidget* tab) {
    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(kGap, kGap, kGap, kGap);
    layout->setSpacing(6);
    return layout;
}

} // namespace

void TFSmerovaciTabulka::BuildTemplates() {
    const int digit = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    for (const TTemplate& t : kEditTemplates) {
        QLineEdit* edit = NewEdit(this, t.name, 0, t.digits * digit + 8);
        edit->hide();
    }
    for (const TListTemplate& t : kListTemplates) {
        QStringList values;
        for (int v : t.values)
            values << QString::number(v);
        QComboBox* list = NewCombo(this, t.name, t.word, values);
        // A template keeps its design width whatever texts its items get.
        list->setSizeAdjustPolicy(QComboBox::AdjustToContentsOnFirstShow);
        list->resize(t.digits * digit + 8, kControlHeight);
        list->hide();
    }
}

void TFSmerovaciTabulka::BuildFxsTab() {
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName("TabSheet1");
    kw::SetWidgetTag(TabSheet1, 211);
    TabFXS = new CRoutingGrid(TableId::FXS, Parameters(), TabSheet1);
    TabFXS->setObjectName("TabFXS");
    TabFXSDef = new CRoutingGrid(TableId::FXSDef, Parameters(), TabSheet1);
    TabFXSDef->setObjectName("TabFXSDef");
    GroupBox1 = new QGroupBox(TabSheet1);
    GroupBox1->setObjectName("GroupBox1");
    kw::SetWidgetTag(GroupBox1, 285);
    Label1 = NewLabel(GroupBox1, "Label1", 286, true);
    Edit2 = NewEdit(GroupBox1, "Edit2", 8, 110);
    QVBoxLayout* layout = TabLayout(TabSheet1);
    layout->addWidget(TabFXS, 1, Qt::AlignLeft);
    layout->addWidget(TabFXSDef, 0, Qt::AlignLeft);
    layout->addWidget(GroupBox1);
    PageControl1->addTab(TabSheet1, QString());
}

void TFSmerovaciTabulka::BuildFxoTab() {
    TabSheet2 = new QWidget;
    TabSheet2->setObjectName("TabSheet2");
    kw::SetWidgetTag(TabSheet2, 212);
    TabFXO = new CRoutingGrid(TableId::FXO, Parameters(), TabSheet2);
    TabFXO->setObjectName("TabFXO");
    TabFXODef = new CRoutingGrid(TableId::FXODef, Parameters(), TabSheet2);
    TabFXODef->setObjectName("TabFXODef");
    GroupBox2 = new QGroupBox(TabSheet2);
    GroupBox2->setObjectName("GroupBox2");
    kw::SetWidgetTag(GroupBox2, 233);
    Label2 = NewLabel(GroupBox2, "Label2", 234, true);
    ComboBox4 = NewCombo(GroupBox2, "ComboBox4", 234, {"0", "1"});
    Label3 = NewLabel(GroupBox2, "Label3", 235, true);
    Edit14 = NewEdit(GroupBox2, "Edit14", 16, 130);
    Label4 = NewLabel(GroupBox2, "Label4", 236, true);
    Edit16 = NewEdit(GroupBox2, "Edit16", 0, 50);
    UpDown6 = NewUpDown(Edit16, "UpDown6", 0, 255, 1);
    Label5 = NewLabel(GroupBox2, "Label5", 237, true);
    Edit15 = NewEdit(GroupBox2, "Edit15", 8, 110);
    Label6 = NewLabel(GroupBox2, "Label6", 287, true);
    Edit3 = NewEdit(GroupBox2, "Edit3", 8, 110);
    Label7 = NewLabel(GroupBox2, "Label7", 286, true);
    Edit4 = NewEdit(GroupBox2, "Edit4", 8, 110);
    QVBoxLayout* layout = TabLayout(TabSheet2);
    layout->addWidget(TabFXO, 1, Qt::AlignLeft);
    layout->addWidget(TabFXODef, 0, Qt::AlignLeft);
    layout->addWidget(GroupBox2);
    PageControl1->addTab(TabSheet2, QString());
}

void TFSmerovaciTabulka::BuildGsmTab() {
    TabSheet3 = new QWidget;
    TabSheet3->setObjectName("TabSheet3");
    kw::SetWidgetTag(TabSheet3, 213);
    TabGSM = new CRoutingGrid(TableId::GSM, Parameters(), TabSheet3);
    TabGSM->setObjectName("TabGSM");
    TabGSMDef = new CRoutingGrid(TableId::GSMDef, Parameters(), TabSheet3);
    TabGSMDef->setObjectName("TabGSMDef");
    GroupBox3 = new QGroupBox(TabSheet3);
    GroupBox3->setObjectName("GroupBox3");
    kw::SetWidgetTag(GroupBox3, 229);
    Label23 = NewLabel(GroupBox3, "Label23", 230, true);
    Edit10 = NewEdit(GroupBox3, "Edit10", 0, 60);
    UpDown1 = NewUpDown(Edit10, "UpDown1", 100, 25500, 100);
    Label29 = NewLabel(GroupBox3, "Label29", 231, true);
    Edit11 = NewEdit(GroupBox3, "Edit11", 0, 60);
    UpDown2 = NewUpDown(Edit11, "UpDown2", 100, 25500, 100);
    Label24 = NewLabel(GroupBox3, "Label24", 232, true);
    Edit13 = NewEdit(GroupBox3, "Edit13", 0, 60);
    UpDown3 = NewUpDown(Edit13, "UpDown3", 0, 255, 1);
    Label25 = NewLabel(GroupBox3, "Label25", 278, true);
    ComboBox2 = NewCombo(GroupBox3, "ComboBox2", 278, {"0", "1"});
    Label26 = NewLabel(GroupBox3, "Label26", 279, true);
    ComboBox14 = NewCombo(GroupBox3, "ComboBox14", 279, {"0", "1"});
    QVBoxLayout* layout = TabLayout(TabSheet3);
    layout->addWidget(TabGSM, 1, Qt::AlignLeft);
    layout->addWidget(TabGSMDef, 0, Qt::AlignLeft);
    layout->addWidget(GroupBox3);
    PageControl1->addTab(TabSheet3, QString());
}

void TFSmerovaciTabulka::BuildBanksTab() {
    TabSheet4 = new QWidget;
    TabSheet4->setObjectName("TabSheet4");
    kw::SetWidgetTag(TabSheet4, 304);
    ScrollBox2 = new QScrollArea(TabSheet4);
    ScrollBox2->setObjectName("ScrollBox2");
    ScrollBox2->setWidgetResizable(false);
    ScrollBox2->setFrameShape(QFrame::NoFrame);
    auto* rows = new QWidget;
    rows->setObjectName("ScrollBox2Rows");
    const char* headerNames[] = {"Label30", "Label31", "Label32", "Label33", "Label34"};
    const int headerWords[] = {300, 305, 306, 307, 308};
    for (int i = 0; i < 5; ++i)
        NewLabel(rows, headerNames[i], headerWords[i], i >= 1 && i <= 3)
            ->setAlignment(Qt::AlignCenter);
    const int freeWidth = findChild<QLineEdit*>("Edit1")->width() / 2;
    const int shortWidth = findChild<QLineEdit*>("Edit18")->width();
    for (int i = 0; i < kBanks; ++i) {
        const QString n = QString::number(i + 1);
        TBankRow& bank = m_Banks[i];
        bank.number = new QLabel(rows);
        bank.number->setObjectName("BankNumber" + n);
        bank.number->setAlignment(Qt::AlignCenter);
        bank.freeMins = NewEdit(rows, ("BankFreeMins" + n).toLatin1(), 5, freeWidth);
        bank.startTime = NewEdit(rows, ("BankStartTime" + n).toLatin1(), 3, shortWidth);
        bank.timeAmount = NewEdit(rows, ("BankTimeAmount" + n).toLatin1(), 3, shortWidth);
        kw::SetWidgetTag(bank.timeAmount, 307);
        kw::SetShowHint(bank.timeAmount, true);
        bank.remain = new QLabel(rows);
        bank.remain->setObjectName("BankRemain" + n);
        bank.remain->setAlignment(Qt::AlignCenter);
    }
    ScrollBox2->setWidget(rows);
    // The bank rows sit on the tab's own background, not on a scroll area's.
    rows->setAutoFillBackground(false);
    ScrollBox2->viewport()->setAutoFillBackground(false);
    Label27 = NewLabel(TabSheet4, "Label27", 301, true);
    ComboBox18 = NewCombo(TabSheet4, "ComboBox18", 301, {"0", "1", "2"});
    Label28 = NewLabel(TabSheet4, "Label28", 302, true);
    Edit9 = NewEdit(TabSheet4, "Edit9", 2, 40);
    Label21 = NewLabel(TabSheet4, "Label21", 303);
    Label22 = new QLabel(TabSheet4);
    Label22->setObjectName("Label22");
    PageControl1->addTab(TabSheet4, QString());
}

void TFSmerovaciTabulka::LayOutSettings(bool hasFxo) {
    Label29->setVisible(hasFxo);
    Edit11->setVisible(hasFxo);
    UpDown2->setVisible(hasFxo);

    Edit2->resize(110, kControlHeight);
    const std::vector<TFormRow> fxs = {{Label1, Edit2}};
    QPoint o = GroupOrigin(GroupBox1);
    PlaceRows(fxs, o.x(), o.y());
    FitGroupHeight(GroupBox1, RowsHeight(fxs));

    const std::vector<TFormRow> fxoLeft = {
        {Label2, ComboBox4}, {Label3, Edit14}, {Label4, Edit16, UpDown6}};
    const std::vector<TFormRow> fxoRight = {{Label5, Edit15}, {Label6, Edit3}, {Label7, Edit4}};
    o = GroupOrigin(GroupBox2);
    const int fxoSplit = PlaceRows(fxoLeft, o.x(), o.y()) + 3 * kGap;
    PlaceRows(fxoRight, fxoSplit, o.y());
    FitGroupHeight(GroupBox2, std::max(RowsHeight(fxoLeft), RowsHeight(fxoRight)));

    // Without an FXO line the call-back time moves up into the place of the
    // hidden time to dial on FXO.
    const std::vector<TFormRow> gsmLeft = {
        {Label23, Edit10, UpDown1}, {Label29, Edit11, UpDown2}, {Label24, Edit13, UpDown3}};
    const std::vector<TFormRow> gsmRight = {{Label25, ComboBox2}, {Label26, ComboBox14}};
    o = GroupOrigin(GroupBox3);
    const int gsmSplit = PlaceRows(gsmLeft, o.x(), o.y()) + 3 * kGap;
    PlaceRows(gsmRight, gsmSplit, o.y());
    FitGroupHeight(GroupBox3, std::max(RowsHeight(gsmLeft), RowsHeight(gsmRight)));

    // Banks: each column as wide as its header or its edit, whichever is wider,
    // and everything centred under its header.
    QWidget* rows = ScrollBox2->widget();
    QLabel* headers[5];
    const char* headerNames[] = {"Label30", "Label31", "Label32", "Label33", "Label34"};
    for (int i = 0; i < 5; ++i)
        headers[i] = rows->findChild<QLabel*>(headerNames[i]);
    const QString widestTime = QStringLiteral("-65535:59");
    const int cellWidths[5] = {fontMetrics().horizontalAdvance(QStringLiteral("4.")),
                               m_Banks[0].freeMins->width(), m_Banks[0].startTime->width(),
                               m_Banks[0].timeAmount->width(),
                               fontMetrics().horizontalAdvance(widestTime)};
    int x = 0;
    int columnX[5];
    int columnW[5];
    for (int i = 0; i < 5; ++i) {
        columnX[i] = x;
        columnW[i] = std::max(headers[i]->sizeHint().width(), cellWidths[i]) + 2 * kGap;
        headers[i]->setGeometry(x, 0, columnW[i], kControlHeight);
        x += columnW[i];
    }
    auto centre = [&](QWidget* w, int column, int y, int width) {
        w->setGeometry(columnX[column] + (columnW[column] - width) / 2, y, width, kControlHeight);
    };
    int y = kControlHeight + 3;
    for (TBankRow& bank : m_Banks) {
        centre(bank.number, 0, y, cellWidths[0] + kGap);
        centre(bank.freeMins, 1, y, cellWidths[1]);
        centre(bank.startTime, 2, y, cellWidths[2]);
        centre(bank.timeAmount, 3, y, cellWidths[3]);
        centre(bank.remain, 4, y, cellWidths[4] + kGap);
        y += kControlHeight + 3;
    }
    rows->resize(x, y);
    ScrollBox2->setGeometry(kGap, kGap, x + 2, y + 2);
    const std::vector<TFormRow> transfer = {
        {Label27, ComboBox18}, {Label28, Edit9}, {Label21, Label22}};
    Label22->resize(fontMetrics().horizontalAdvance(QStringLiteral("00/00/00")) + kGap,
                    kControlHeight);
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
