// Offscreen pictures of the routing page's four tabs for the variants A and E
// in English, written into the build folder for a reader to look at.
#include "RoutingFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QRegularExpression>
#include <QStyle>
#include <QTabWidget>

#include <map>
#include <tuple>
#include <vector>

namespace {

using kw::test::RoutingFixture;

// Fields of one routing row, by parameter name.
using Row = std::map<std::string, std::string>;

void SetRows(CParameters& p, const std::vector<Row>& rows) {
    for (size_t r = 0; r < rows.size(); ++r)
        for (const auto& [name, value] : rows[r])
            p.SetValue(name, static_cast<int>(r), value);
}

// A small but typical configuration: emergency numbers to the line, mobile
// prefixes to GSM, a banked group of numbers, a call-back caller.
void FillTypical(CParameters& p) {
    SetRows(p, {
                   {{"FXSNumBegin", "112"},
                    {"FXSPermitted", "1"},
                    {"FXSDirection", "1"},
                    {"FXSNumLength", "3"},
                    {"FXSNumEnd", "1"}},
                   {{"FXSNumBegin", "155"},
                    {"FXSPermitted", "1"},
                    {"FXSDirection", "1"},
                    {"FXSNumLength", "3"},
                    {"FXSNumEnd", "1"}},
                   {{"FXSNumBegin", "0900"}, {"FXSPermitted", "0"}},
                   {{"FXSNumBegin", "00420"},
                    {"FXSPermitted", "1"},
                    {"FXSDirection", "2"},
                    {"FXSRemove", "5"},
                    {"FXSAdd", "0"},
                    {"FXSTarif", "12"}},
                   {{"FXSNumBegin", "6??"},
                    {"FXSPermitted", "1"},
                    {"FXSNumLength", "9"},
                    {"FXSNumEnd", "1"},
                    {"FXSBankNumber", "1"},
                    {"FXSCallTime", "30"}},
                   {{"FXSNumBegin", "7??"},
                    {"FXSPermitted", "1"},
                    {"FXSNumLength", "9"},
                    {"FXSNumEnd", "1"},
                    {"FXSBankNumber", "2"},
                    {"FXSExtraTar", "3"}},
                   {{"FXSNumBegin", "2"},
                    {"FXSPermitted", "1"},
                    {"FXSDirection", "3"},
                    {"FXSNumLength", "9"},
                    {"FXSAdd", "+420"}},
               });
    SetRows(p, {
                   {{"FXONumBegin", "1"},
                    {"FXOPermitted", "1"},
                    {"FXONumLength", "3"},
                    {"FXONumEnd", "1"}},
                   {{"FXONumBegin", "00"}, {"FXOPermitted", "0"}},
                   {{"FXONumBegin", "6??"},
                    {"FXOPermitted", "1"},
                    {"FXONumLength", "9"},
                    {"FXOBankNumber", "3"},
                    {"FXOCallTime", "20"}},
               });
    SetRows(p, {
                   {{"GSMNum", "+420603123456"}, {"GSMSubString", "9"}, {"GSMDirection", "3"}},
                   {{"GSMNum", "+420777"}, {"GSMSubString", "6"}, {"GSMDirection", "2"}},
                   {{"GSMNum", "800"}, {"GSMSubString", "3"}, {"GSMDirection", "4"}},
                   {{"GSMNum", "+42060"},
                    {"GSMSubString", "6"},
                    {"GSMDirection", "1"},
                    {"GSMDialNUm", "221"},
                    {"GSMCallTime", "15"}},
               });
    p.SetValue("FXSDefPermitted", 0, "1");
    p.SetValue("FXODirection", 0, "1");
    p.SetValue("FXODefPermitted", 0, "1");
    p.SetValue("GSMDefDialNum", 0, "100");
    p.SetValue("Kestrel", 0, "100");
    SetRows(p, {{{"FreeMins", "100"},
                 {"StartTime", "10"},
                 {"TimeAmount", "60"},
                 {"RemainMins", "55"},
                 {"RemainSecs", "30"}},
                {{"FreeMins", "200"},
                 {"StartTime", "0"},
                 {"TimeAmount", "30"},
                 {"RemainMins", "3"},
                 {"RemainSecs", "133"}},
                {{"FreeMins", "3000"},
                 {"TimeAmount", "60"},
                 {"RemainMins", "2999"},
                 {"RemainSecs", "75"}}});
    p.SetValue("TransferDate", 0, "1");
    p.SetValue("TransferYear", 0, "24");
    p.SetValue("TransferMonth", 0, "7");
    p.SetValue("TransferDay", 0, "1");
}

class RoutingScreenshots : public RoutingFixture,
                           public ::testing::WithParamInterface<const char*> {};

// Every control of every tab the variant has shows whole inside the page, at
// least as large as it needs to be; the pictures stay in the build folder for
// a look by eye.
TEST_P(RoutingScreenshots, EveryTabShowsItsControlsWholeInsideThePage) {
    const std::string variant = GetParam();
    FillTypical(host.parameters);
    LoadVariant(variant);
    const QString folder = QStringLiteral(KW_SCREENSHOT_DIR);
    ASSERT_TRUE(QDir().mkpath(folder));
    const char* names[] = {"fxs", "fxo", "gsm", "banks"};
    int shown = 0;
    for (int i = 0; i < 4; ++i) {
        if (!sheets->isTabVisible(i))
            continue;
        sheets->setCurrentIndex(i);
        QApplication::processEvents();
        int controls = 0;
        for (QWidget* w : sheets->widget(i)->findChildren<QWidget*>()) {
            const QString name = w->objectName();
            if (name.isEmpty() || name.startsWith("qt_") || !w->isVisibleTo(&page))
                continue;
            const std::string where = variant + " " + names[i] + " " + name.toStdString();
            EXPECT_TRUE(page.rect().contains(QRect(w->mapTo(&page, QPoint()), w->size())))
                << where << " lies outside the page";
            if (auto* grid = qobject_cast<CRoutingGrid*>(w)) {
                // Every column, and the default row or at least four rows.
                EXPECT_GE(grid->width(), grid->FittingWidth()) << where;
                EXPECT_GE(grid->height(), grid->FittingHeight(grid->IsDefault() ? 1 : 4)) << where;
            } else {
                EXPECT_GE(w->width(), w->minimumSizeHint().width()) << where;
                EXPECT_GE(w->height(), w->minimumSizeHint().height()) << where;
            }
            ++controls;
        }
        EXPECT_GT(controls, 3) << names[i];
        const QString file =
            folder +
            QStringLiteral("/routing-%1-%2.png").arg(QString::fromStdString(variant), names[i]);
        EXPECT_TRUE(page.grab().save(file)) << file.toStdString();
        ++shown;
    }
    EXPECT_EQ(shown, variant == "E" ? 3 : 4);
}

INSTANTIATE_TEST_SUITE_P(Variants, RoutingScreenshots, ::testing::Values("A", "E"),
                         [](const auto& info) { return std::string(info.param); });

// "S12", "S12H", "S12_3": the key a word without a translation shows.
bool IsUntranslated(const QString& text) {
    static const QRegularExpression key("^S\\d+(H|_\\d+)?[A-Z]?$");
    return key.match(text.trimmed()).hasMatch();
}

// Every header line, every list item and the fixed texts fit their columns.
void CheckGrid(const CRoutingGrid* grid, const std::string& where) {
    const QFontMetrics cell = grid->fontMetrics();
    const QFontMetrics head = grid->horizontalHeader()->fontMetrics();
    const int headMargin = 2 * grid->style()->pixelMetric(QStyle::PM_HeaderMargin);
    const int cellMargin = 2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
    for (int c = 0; c < grid->columnCount(); ++c) {
        const std::string name = where + " column " + std::to_string(c);
        const int width = grid->columnWidth(c);
        if (!grid->IsDefault()) {
            const QString header = grid->horizontalHeaderItem(c)->text();
            EXPECT_FALSE(IsUntranslated(header)) << name;
            for (const QString& line : header.split('\n'))
                EXPECT_LE(head.horizontalAdvance(line) + headMargin, width)
                    << name << " cuts the header \"" << line.toStdString() << "\"";
        }
        EXPECT_FALSE(IsUntranslated(grid->ColumnHint(c))) << name;
        const TGridColumn& column = grid->Column(c);
        for (const QString& item : column.items) {
            EXPECT_FALSE(IsUntranslated(item)) << name;
            EXPECT_LE(cell.horizontalAdvance(item) + cellMargin, width)
                << name << " cuts \"" << item.toStdString() << "\"";
        }
        if (column.kind == kw::routing::CellKind::Fixed) {
            const QString fixed = grid->CellText(grid->rowCount() - 1, c);
            EXPECT_LE(cell.horizontalAdvance(fixed) + cellMargin, width) << name;
        }
    }
}

class RoutingTexts : public RoutingFixture,
                     public ::testing::WithParamInterface<std::tuple<const char*, const char*>> {};

TEST_P(RoutingTexts, EveryTextIsTranslatedAndFits) {
    const auto [language, variant] = GetParam();
    const int lang = host.language.FindLangById(language);
    ASSERT_GE(lang, 0) << language << " is not installed beside the test program";
    host.parameters.SetValue("HWVer", 0, variant);
    host.language.Load(lang, variant);
    page.LoadPage();
    QApplication::processEvents();
    const std::string where = std::string(language) + " " + variant;
    for (QWidget* w : page.findChildren<QWidget*>()) {
        const std::string name = where + " " + w->objectName().toStdString();
        EXPECT_FALSE(IsUntranslated(w->toolTip())) << name;
        if (!w->isVisibleTo(&page))
            continue;
        if (auto* label = qobject_cast<QLabel*>(w)) {
            EXPECT_FALSE(IsUntranslated(label->text())) << name;
            EXPECT_GE(label->width(), label->minimumSizeHint().width())
                << name << " cuts \"" << label->text().toStdString() << "\"";
        }
        if (auto* combo = qobject_cast<QComboBox*>(w)) {
            EXPECT_GE(combo->width(), combo->minimumSizeHint().width()) << name;
        }
    }
    for (int i = 0; i < sheets->count(); ++i)
        EXPECT_FALSE(IsUntranslated(sheets->tabText(i))) << where << " tab " << i;
    for (const CRoutingGrid* grid : page.findChildren<CRoutingGrid*>())
        if (grid->isVisibleTo(&page) || sheets->isTabVisible(1))
            CheckGrid(grid, where + " " + grid->objectName().toStdString());
}

INSTANTIATE_TEST_SUITE_P(LanguagesAndVariants, RoutingTexts,
                         ::testing::Combine(::testing::Values("Eng", "Cze"),
                                            ::testing::Values("A", "E")),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param)) + "_" +
                                    std::get<1>(info.param);
                         });

} // namespace
