// Offscreen pictures of the routing page's four tabs for the variants A and E
// in English, written into the build folder for a reader to look at.
#include "RoutingFixture.h"

#include <QApplication>
#include <QDir>
#include <QTabWidget>

#include <map>
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

TEST_P(RoutingScreenshots, FourTabsAreWrittenAsPictures) {
    const std::string variant = GetParam();
    FillTypical(host.parameters);
    LoadVariant(variant);
    const QString folder = QStringLiteral(KW_SCREENSHOT_DIR);
    ASSERT_TRUE(QDir().mkpath(folder));
    const char* names[] = {"fxs", "fxo", "gsm", "banks"};
    int written = 0;
    for (int i = 0; i < 4; ++i) {
        if (!page.PageControl1->isTabVisible(i))
            continue;
        page.PageControl1->setCurrentIndex(i);
        QApplication::processEvents();
        const QString file =
            folder +
            QStringLiteral("/routing-%1-%2.png").arg(QString::fromStdString(variant), names[i]);
        EXPECT_TRUE(page.grab().save(file)) << file.toStdString();
        ++written;
    }
    EXPECT_EQ(written, variant == "E" ? 3 : 4);
}

INSTANTIATE_TEST_SUITE_P(Variants, RoutingScreenshots, ::testing::Values("A", "E"));

} // namespace
