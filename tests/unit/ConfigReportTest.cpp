// The configuration report's HTML: every value the pages show for a random
// configuration, in either language, the routing rows in use, and no PIN or
// password.
#include "ConfigReport.h"
#include "Language.h"
#include "PageQuery.h"
#include "Pages.h"
#include "ParameterCatalogue.h"
#include "Parameters.h"
#include "RandomConfiguration.h"
#include "RoutingColumns.h"
#include "Win1252.h"

#include <gtest/gtest.h>

namespace {

using namespace kw::pages;

// A cell as the report must show it: the page's text, made safe for HTML.
std::string Cell(const TRow& row, const std::string& value, const CLanguage& language) {
    const std::string shown = DisplayedValue(row, value, language);
    QString text;
    switch (row.kind) {
    case Kind::List:
    case Kind::GridList:
    case Kind::Check:
    case Kind::InvertedCheck:
        text = QString::fromStdString(shown);
        break;
    case Kind::Memo:
        text = kw::MemoBytesToQString(shown);
        break;
    default:
        text = kw::BytesToQString(shown);
    }
    return "<td>" + text.toHtmlEscaped().replace("\n", "<br>").toStdString() + "</td>";
}

TEST(ConfigReport, ShowsEveryDisplayedValueAndNoSecret) {
    const std::string secrets[] = {"739154", "86420417", "975318"};
    for (const char* variant : {"A", "E"})
        for (const char* id : {"Eng", "Cze"}) {
            SCOPED_TRACE(std::string(variant) + " " + id);
            CLanguage language;
            language.Init(KW_PROGRAM_DIR "/");
            language.Load(language.FindLangById(id), variant);
            CParameters p;
            kw::RegisterCatalogue(p);
            std::mt19937 random(variant[0] + id[0]);
            kw::test::FillRandom(p, random);
            p.SetValue("HWVer", 0, variant);
            p.SetValue("PINVal", 0, secrets[0]);
            p.SetValue("ServisPassw", 0, secrets[1]);
            p.SetValue("FXOFMPassw", 0, secrets[2]);
            // Some routes in use, some not.
            for (int r = 0; r < kw::routing::kRoutingRows; ++r)
                for (const char* first : {"FXSNumBegin", "FXONumBegin", "GSMNum"})
                    if (r % 3 == 0)
                        p.SetValue(first, r, "");
            const std::string html = kw::report::BuildHtml(p, language, "2026-12-08 10:00");
            for (const std::string& secret : secrets)
                EXPECT_EQ(html.find(secret), std::string::npos) << secret;
            EXPECT_NE(html.find("<title>" + language.GetText(502) + "</title>"), std::string::npos);
            int checked = 0;
            for (const TPage* page : SectionPages())
                for (const TGroup& group : page->groups) {
                    if (!Shows(VariantsOf(*page, group), variant))
                        continue;
                    for (const TRow& row : group.rows) {
                        if (row.param.empty() || row.kind == Kind::Caption ||
                            kw::report::IsSecret(row.param) ||
                            !Shows(VariantsOf(*page, group, row), variant))
                            continue;
                        const std::string param(row.param);
                        if (row.row != kEveryRow) {
                            EXPECT_NE(html.find(Cell(row, p.GetValue(param, row.row), language)),
                                      std::string::npos)
                                << param;
                            ++checked;
                            continue;
                        }
                        const bool isDefault = param.find("Def") != std::string::npos;
                        const std::string first(group.rows.front().param);
                        for (int r = 0; r < (isDefault ? 1 : kw::routing::kRoutingRows); ++r) {
                            const std::string number = "<td>" + std::to_string(r + 1) + ".</td>";
                            const bool inUse = isDefault || !p.GetValue(first, r).empty();
                            // Rows no table uses are left out.
                            if (!isDefault && r % 3 == 0) {
                                EXPECT_EQ(html.find(number), std::string::npos)
                                    << group.name << " row " << r + 1;
                            }
                            if (!inUse)
                                continue;
                            EXPECT_NE(html.find(Cell(row, p.GetValue(param, r), language)),
                                      std::string::npos)
                                << param << " row " << r;
                            ++checked;
                        }
                    }
                }
            EXPECT_GT(checked, 500);
            for (const std::string& secret : {std::string(kw::report::kHidden)})
                EXPECT_NE(html.find("<td>" + secret + "</td>"), std::string::npos);
        }
}

} // namespace
