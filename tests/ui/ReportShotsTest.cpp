// The configuration report of the sample configuration laid out as its PDF
// pages are, rendered to PNG in English and Czech (build/…/screenshots): every
// caption on the pages, nothing wider than the page; and the window's
// Application > Export report.
#include "ConfigReport.h"
#include "Language.h"
#include "MainWindowFixture.h"
#include "PageQuery.h"
#include "Pages.h"
#include "ParameterCatalogue.h"
#include "Parameters.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTextDocument>

namespace {

using namespace kw::pages;

std::string Caption(const CLanguage& language, int word) {
    std::string text = language.GetText(word);
    while (!text.empty() && (text.back() == ':' || text.back() == ' '))
        text.pop_back();
    return text;
}

TEST(ReportShots, SampleReportInEnglishAndCzech) {
    CParameters p;
    kw::RegisterCatalogue(p);
    ASSERT_TRUE(p.LoadFromFile(KW_SAMPLE_SGD));
    const std::string variant = p.GetValue("HWVer", 0);
    ASSERT_EQ(variant, "A");
    // A4 at 96 dots per inch, less 15 mm margins.
    const QSizeF page(794 - 2 * 57, 1123 - 2 * 57);
    for (const char* id : {"Eng", "Cze"}) {
        SCOPED_TRACE(id);
        CLanguage language;
        language.Init(KW_BIN_DIR "/");
        ASSERT_GE(language.FindLangById(id), 0);
        language.Load(language.FindLangById(id), variant);
        const std::string html = kw::report::BuildHtml(p, language, "2026-12-08 12:00");
        QTextDocument document;
        document.setHtml(QString::fromStdString(html));
        document.setPageSize(page);
        EXPECT_LE(document.documentLayout()->documentSize().width(), page.width() + 0.5)
            << "the report is wider than its page";
        const std::string text = document.toPlainText().toStdString();
        EXPECT_NE(text.find(language.GetText(502)), std::string::npos);
        if (std::string(id) == "Cze") {
            EXPECT_NE(text.find("Protokol konfigurace brány"), std::string::npos);
        }
        for (const TPage* declared : SectionPages())
            for (const TGroup& group : declared->groups) {
                if (!Shows(VariantsOf(*declared, group), variant))
                    continue;
                for (const TRow& row : group.rows)
                    if (!row.param.empty() && Shows(VariantsOf(*declared, group, row), variant)) {
                        EXPECT_NE(text.find(Caption(language, row.word)), std::string::npos)
                            << row.param;
                    }
            }

        const QString shots = KW_SCREENSHOT_DIR;
        QDir().mkpath(shots);
        const int pages = document.pageCount();
        EXPECT_GE(pages, 2);
        for (int i = 0; i < pages; ++i) {
            QImage image(page.toSize() + QSize(40, 40), QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            painter.translate(20, 20 - i * page.height());
            document.drawContents(&painter, QRectF(QPointF(0, i * page.height()), page));
            painter.end();
            EXPECT_TRUE(image.save(
                shots + QString("/report-%1-%2.png").arg(QString(id).toLower()).arg(i + 1)));
        }
        kw::test::TempDir temp;
        ASSERT_TRUE(kw::report::WritePdf(html, temp.Path("r.pdf")));
        EXPECT_EQ(temp.Read("r.pdf").rfind("%PDF", 0), 0u);
        EXPECT_FALSE(kw::report::WritePdf(html, temp.Path("no/such/folder/r.pdf")));
    }
}

class ReportInWindow : public kw::test::MainWindowFixture {};

TEST_F(ReportInWindow, ExportReportWritesHtmlOrPdf) {
    TFMain& w = StartWithConfiguration("C");
    EXPECT_TRUE(Action("ExportReportAction").isEnabled());
    files.answers = {temp.Path("r.html"), temp.Path("r.pdf")};
    Action("ExportReportAction").trigger();
    Action("ExportReportAction").trigger();
    EXPECT_NE(temp.Read("r.html").find("<h1>"), std::string::npos);
    EXPECT_EQ(temp.Read("r.pdf").rfind("%PDF", 0), 0u);
    ASSERT_EQ(files.asked.size(), 2u);
    EXPECT_EQ(files.asked.front().rfind("save ", 0), 0u);
    (void)w;
}

} // namespace
