// Every declared page against the catalogue and against the widget-free page
// queries: spins and track bars take their parameter's range and step, text
// fields its size, numeric fields type no more digits than the range needs;
// every parameter a page names exists; and with random configurations every
// bound control and grid cell shows what DisplayedValue says it shows.
#include "DeclaredPage.h"
#include "MemoText.h"
#include "PageQuery.h"
#include "PageTestSupport.h"
#include "ParNumbers.h"
#include "ParStrings.h"
#include "RandomConfiguration.h"
#include "RoutingGrid.h"
#include "SectionPages.h"
#include "SmerovaciTabulka.h"
#include "TestHost.h"
#include "TypingLimit.h"
#include "UpDown.h"
#include "Win1252.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSlider>

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace kw::pages;
using kw::test::CTestHost;

QString Name(std::string_view name) {
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

int Digits(int number) {
    return static_cast<int>(std::to_string(number).size());
}

class DeclaredPages : public ::testing::Test {
protected:
    DeclaredPages() { kw::test::LoadInstalledLanguage(host.language, "Eng", "A"); }

    // Every section page built from a declaration, made afresh.
    std::vector<std::unique_ptr<TFDeclaredPage>> MakePages() {
        std::vector<std::unique_ptr<TFDeclaredPage>> pages;
        for (int section = 0; section < kw::kSectionCount; ++section) {
            std::unique_ptr<TFDForm> page(kw::CreateSectionPage(section, host, nullptr));
            if (auto* declared = dynamic_cast<TFDeclaredPage*>(page.get())) {
                page.release();
                pages.emplace_back(declared);
            }
        }
        return pages;
    }
    const TMultiPar* Record(std::string_view param) const {
        return host.parameters.Find(std::string(param));
    }

    CTestHost host;
};

TEST_F(DeclaredPages, EveryParameterNamedExistsAndEveryPageIsListed) {
    int rows = 0;
    for (int section = 0; section < kw::kSectionCount; ++section) {
        const TPage& page = *SectionPages()[section];
        EXPECT_EQ(page.section, section);
        for (const TGroup& group : page.groups)
            for (const TRow& row : group.rows) {
                if (row.param.empty())
                    continue;
                ++rows;
                const TMultiPar* record = Record(row.param);
                ASSERT_NE(record, nullptr) << row.param;
                EXPECT_LT(row.row, record->Count) << row.param;
            }
    }
    EXPECT_GT(rows, 100);
}

TEST_F(DeclaredPages, ControlsTakeTheirParametersRangesStepsAndSizes) {
    for (const auto& page : MakePages())
        for (const kw::TBuiltRow& built : page->BuiltRows()) {
            const TRow& row = *built.row;
            SCOPED_TRACE(std::string(row.name));
            ASSERT_NE(built.control, nullptr);
            EXPECT_EQ(built.control->objectName(), Name(row.name));
            if (row.param.empty())
                continue;
            const CParBasic* type = Record(row.param)->Type.get();
            const auto* number = dynamic_cast<const CParInt*>(type);
            const auto* text = dynamic_cast<const CParString*>(type);
            // A page may start a range later than its parameter, never earlier.
            const auto expectRange = [&](int min, int max) {
                ASSERT_NE(number, nullptr);
                EXPECT_EQ(max, number->m_Max);
                EXPECT_EQ(min, row.min == kCatalogueMin ? number->m_Min : row.min);
                EXPECT_GE(min, number->m_Min);
            };
            switch (row.kind) {
            case Kind::Spin:
                ASSERT_NE(built.upDown, nullptr);
                EXPECT_EQ(built.upDown->Associate(), built.control);
                expectRange(built.upDown->Min(), built.upDown->Max());
                EXPECT_EQ(built.upDown->Increment(), number->m_Step);
                EXPECT_EQ(built.upDown->property("tag"), built.control->property("tag"));
                [[fallthrough]];
            case Kind::Edit:
                if (text != nullptr) {
                    EXPECT_EQ(kw::TypingLimit(built.control), text->m_MaxSize);
                } else if (kw::TypingLimit(built.control) != 0) {
                    EXPECT_EQ(kw::TypingLimit(built.control), Digits(number->m_Max));
                }
                break;
            case Kind::Memo:
                ASSERT_NE(text, nullptr);
                EXPECT_EQ(kw::TypingLimit(built.control), text->m_MaxSize);
                break;
            case Kind::Track: {
                const auto* track = static_cast<QSlider*>(built.control);
                expectRange(track->minimum(), track->maximum());
                break;
            }
            case Kind::List: {
                // Each item is a value the parameter keeps; a short range is offered whole.
                ASSERT_NE(number, nullptr);
                for (int value : row.items)
                    EXPECT_EQ(type->Normalize(std::to_string(value)), std::to_string(value));
                const int choices = (number->m_Max - number->m_Min) / number->m_Step + 1;
                if (choices <= 8) {
                    EXPECT_EQ(static_cast<int>(row.items.size()), choices);
                }
                EXPECT_EQ(static_cast<QComboBox*>(built.control)->count(),
                          static_cast<int>(row.items.size()));
                break;
            }
            default:
                break;
            }
        }
}

// What a bound control shows, compared with what the queries say it shows.
void ExpectShows(const TRow& row, QWidget* control, const std::string& value,
                 const CLanguage& language) {
    const std::string said = DisplayedValue(row, value, language);
    switch (row.kind) {
    case Kind::Edit:
    case Kind::Spin:
        EXPECT_EQ(static_cast<QLineEdit*>(control)->text(), kw::BytesToQString(said));
        break;
    case Kind::Memo:
        EXPECT_EQ(kw::MemoText(*static_cast<QPlainTextEdit*>(control)),
                  kw::MemoBytesToQString(said));
        break;
    case Kind::List:
        EXPECT_EQ(static_cast<QComboBox*>(control)->currentText(), QString::fromStdString(said));
        break;
    case Kind::Check:
    case Kind::InvertedCheck:
        EXPECT_EQ(static_cast<QCheckBox*>(control)->isChecked(), said == kTicked);
        EXPECT_TRUE(said == kTicked || said == kUnticked);
        break;
    case Kind::Track:
        EXPECT_EQ(QString::number(static_cast<QSlider*>(control)->value()),
                  QString::fromStdString(said));
        break;
    default:
        break;
    }
}

TEST_F(DeclaredPages, EveryBoundControlShowsWhatThePageQueriesSay) {
    auto pages = MakePages();
    for (const char* variant : {"A", "C", "E", "F"})
        for (unsigned seed = 1; seed <= 3; ++seed) {
            std::mt19937 random(seed);
            kw::test::FillRandom(host.parameters, random);
            host.parameters.SetValue("HWVer", 0, variant);
            for (const auto& page : pages) {
                page->LoadPage();
                const TPage& declaration = page->Declaration();
                int compared = 0;
                for (const TGroup& group : declaration.groups)
                    for (const TRow& row : group.rows) {
                        if (row.param.empty() || row.kind == Kind::Display ||
                            row.kind == Kind::GridText || row.kind == Kind::GridList ||
                            !Shows(VariantsOf(declaration, group, row), variant))
                            continue;
                        SCOPED_TRACE(std::string(variant) + " seed " + std::to_string(seed) + " " +
                                     std::string(row.name));
                        QWidget* control = page->findChild<QWidget*>(Name(row.name));
                        ASSERT_NE(control, nullptr);
                        ExpectShows(row, control,
                                    host.parameters.GetValue(std::string(row.param), row.row),
                                    host.language);
                        ++compared;
                    }
                EXPECT_GT(compared, 0) << page->objectName().toStdString();
            }
            // The grids show every row of every column as the queries say.
            auto* routing = dynamic_cast<TFSmerovaciTabulka*>(pages[kw::kSectionRouting].get());
            ASSERT_NE(routing, nullptr);
            for (kw::routing::TableId table : kw::routing::kTables) {
                const CRoutingGrid* grid = routing->Grid(table);
                for (int c = 1; c < grid->columnCount(); ++c) {
                    const TRow& row = *grid->Column(c).row;
                    for (int r = 0; r < grid->rowCount(); ++r) {
                        const std::string said = DisplayedValue(
                            row, kw::QStringToBytes(grid->CellText(r, c)), host.language);
                        ASSERT_EQ(grid->ShownText(r, c), row.kind == Kind::GridList
                                                             ? QString::fromStdString(said)
                                                             : kw::BytesToQString(said))
                            << variant << " " << row.param << " row " << r;
                    }
                }
            }
        }
}

} // namespace
