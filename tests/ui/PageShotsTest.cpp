// The pages with the installed languages at their design size: every text is
// translated, nothing is cut off or lies over another control, and the page
// needs no more room than its design size. Each case leaves a screenshot in
// the build folder's "screenshots" for a look by eye.
#include "DForm.h"
#include "GSMSIM.h"
#include "Inicializace.h"
#include "LogickyVstup.h"
#include "PageLayout.h"
#include "PageTestSupport.h"
#include "Parameters.h"
#include "SLICParametry.h"
#include "Servis.h"
#include "TestHost.h"
#include "UpDown.h"
#include "Zabezpeceni.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

using namespace kw::test;

// A text the language did not provide: "S12", "S12H", "S12_3".
bool IsMarker(const QString& text) {
    static const QRegularExpression marker(QStringLiteral("^S\\d+(H|_\\d+)?$"));
    return marker.match(text.trimmed()).hasMatch();
}

// Visible on screen: the widget and all its ancestors up to the page.
bool Showing(const QWidget* widget, const QWidget* page) {
    for (const QWidget* w = widget; w && w != page; w = w->parentWidget())
        if (!w->isVisible())
            return false;
    return true;
}

std::vector<QWidget*> ShownControls(QWidget* page) {
    std::vector<QWidget*> controls;
    for (QWidget* w : page->findChildren<QWidget*>()) {
        const bool control = qobject_cast<QLabel*>(w) || qobject_cast<QCheckBox*>(w) ||
                             qobject_cast<QPushButton*>(w) || qobject_cast<QComboBox*>(w) ||
                             qobject_cast<QLineEdit*>(w) || qobject_cast<QSlider*>(w) ||
                             qobject_cast<CUpDown*>(w);
        // A tab bar short of room hides tabs behind scroll buttons.
        if (auto* bar = qobject_cast<QTabBar*>(w); bar && Showing(w, page)) {
            EXPECT_GE(bar->width(), bar->sizeHint().width())
                << bar->parentWidget()->objectName().toStdString();
        }
        // Qt's own parts (the combo's inner line edit and the like) have no name.
        if (control && !w->objectName().isEmpty() && Showing(w, page))
            controls.push_back(w);
    }
    return controls;
}

QString Name(const QWidget* w) {
    return w->objectName();
}

void CheckTexts(QWidget* page) {
    for (QWidget* w : page->findChildren<QWidget*>()) {
        QStringList texts;
        if (auto* label = qobject_cast<QLabel*>(w)) {
            texts << label->text();
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            texts << button->text();
        } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
            texts << group->title();
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
        } else if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
            for (int i = 0; i < tabs->count(); ++i)
                texts << tabs->tabText(i);
        }
        for (const QString& text : texts)
            EXPECT_FALSE(IsMarker(text)) << Name(w).toStdString() << ": " << text.toStdString();
        if (!w->toolTip().isEmpty()) {
            EXPECT_FALSE(IsMarker(w->toolTip())) << Name(w).toStdString();
        }
    }
}

void CheckRoom(QWidget* page) {
    const std::vector<QWidget*> controls = ShownControls(page);
    EXPECT_GT(controls.size(), 3u);
    std::vector<QRect> rects;
    for (QWidget* w : controls) {
        // Texts are not cut: every control has at least the width it asks for.
        auto* label = qobject_cast<QLabel*>(w);
        if (label && label->wordWrap()) {
            // A caption may take more lines, but every line must show.
            EXPECT_GE(w->height(), label->heightForWidth(w->width())) << Name(w).toStdString();
        } else if (label || qobject_cast<QCheckBox*>(w) || qobject_cast<QPushButton*>(w) ||
                   qobject_cast<QComboBox*>(w)) {
            EXPECT_GE(w->width(), w->sizeHint().width()) << Name(w).toStdString();
        }
        EXPECT_GE(w->width(), w->minimumSizeHint().width()) << Name(w).toStdString();
        EXPECT_GE(w->height(), w->minimumSizeHint().height()) << Name(w).toStdString();
        const QRect r(w->mapTo(page, QPoint(0, 0)), w->size());
        EXPECT_TRUE(page->rect().contains(r)) << Name(w).toStdString();
        rects.push_back(r);
    }
    for (size_t i = 0; i < rects.size(); ++i)
        for (size_t j = i + 1; j < rects.size(); ++j)
            EXPECT_FALSE(rects[i].intersects(rects[j]))
                << Name(controls[i]).toStdString() << " overlaps "
                << Name(controls[j]).toStdString();
}

struct ShotCase {
    const char* language;
    const char* variant;
};

void PrintTo(const ShotCase& c, std::ostream* out) {
    *out << c.language << " " << c.variant;
}

class PageShots : public ::testing::TestWithParam<ShotCase> {
protected:
    PageShots() {
        LoadInstalledLanguage(host.language, GetParam().language, GetParam().variant);
        host.parameters.SetValue("HWVer", 0, GetParam().variant);
        host.parameters.SetValue("SWVer", 0, "2.13");
        host.parameters.SetValue("SerialNum", 0, "12-3456-7890");
        host.parameters.SetValue("OperLock", 0, "23001");
        host.parameters.SetValue("SMSNum", 0, "+420603123456");
        host.parameters.SetValue("FXSNumAutDial", 0, "+420123456789");
        host.parameters.SetValue("FXSConToneF2", 0, "450");
    }

    // Shows the page at its design size, checks it and keeps a screenshot.
    void Look(TFDForm& page, const std::string& name, QTabWidget* tabs = nullptr, int tab = 0) {
        page.LoadPage();
        if (tabs)
            tabs->setCurrentIndex(tab);
        page.show();
        // Scroll areas (the SMS text) settle their scroll bars on the events
        // that showing posts; the window does that before it paints.
        QApplication::processEvents();
        page.ResizePage(TFDForm::kDesignWidth, TFDForm::kDesignHeight);
        EXPECT_EQ(page.size(), QSize(TFDForm::kDesignWidth, TFDForm::kDesignHeight))
            << "the page needs more room than its design size";
        const std::string shot = name + "-" + GetParam().variant + "-" + GetParam().language;
        SaveShot(&page, shot);
        CheckTexts(&page);
        CheckRoom(&page);
    }

    CTestHost host;
};

TEST_P(PageShots, LinesPage) {
    TFSLICParametry page(host);
    auto* sheets = page.findChild<QTabWidget*>("PageControl1");
    Look(page, "lines-fxs", sheets, 0);
    if (sheets->isTabVisible(1))
        Look(page, "lines-fxo", sheets, 1);
    sheets->setCurrentIndex(0);
    page.findChild<QTabWidget*>("PageControl2")->setCurrentIndex(1); // the busy tone: two tones
    Look(page, "lines-fxs-busytone", sheets, 0);
}

TEST_P(PageShots, ServicePage) {
    TFServis page(host);
    Look(page, "service");
}

TEST_P(PageShots, InitialisationPage) {
    TFInicializace page(host);
    Look(page, "init");
}

TEST_P(PageShots, SmsInputPage) {
    host.parameters.SetValue("PhoneNumForSMS", 0, "+420603987654");
    host.parameters.SetValue("SMSText", 0, "Alarm: input closed\r\nGateway 7");
    TFLogickyVstup page(host);
    Look(page, "smsinput");
}

TEST_P(PageShots, GsmSimPage) {
    host.parameters.SetValue("GprsApn", 0, "internet.example.net");
    host.parameters.SetValue("CreditCode", 0, "*101#");
    host.parameters.SetValue("OperLock", 0, "2300\xB1"); // the longer, permanent form
    TFGSMSIM page(host);
    Look(page, "gsmsim");
}

TEST_P(PageShots, SecurityPage) {
    host.parameters.SetValue("PINVal", 0, "1234");
    TFZabezpeceni page(host);
    Look(page, "security");
}

INSTANTIATE_TEST_SUITE_P(LanguagesAndVariants, PageShots,
                         ::testing::Values(ShotCase{"Eng", "A"}, ShotCase{"Eng", "E"},
                                           ShotCase{"Cze", "A"}, ShotCase{"Cze", "E"}),
                         [](const auto& info) {
                             return std::string(info.param.language) + info.param.variant;
                         });

// The page fills a larger area and keeps what it needs in a smaller one.
void LookGrown(TFDForm& page, const std::string& shot) {
    page.LoadPage();
    page.show();
    page.ResizePage(1280, 800);
    EXPECT_EQ(page.size(), QSize(1280, 800));
    SaveShot(&page, shot);
    CheckRoom(&page);
    // Too small an area: the page keeps what it needs and the area scrolls.
    page.ResizePage(300, 200);
    EXPECT_GT(page.width(), 300);
    EXPECT_GT(page.height(), 200);
}

TEST(PageShotsGrown, PagesFillALargerArea) {
    CTestHost host;
    LoadInstalledLanguage(host.language, "Eng", "A");
    host.parameters.SetValue("HWVer", 0, "A");
    TFSLICParametry lines(host);
    LookGrown(lines, "lines-fxs-grown-A-Eng");
    LoadInstalledLanguage(host.language, "Cze", "A");
    TFGSMSIM gsm(host);
    LookGrown(gsm, "gsmsim-grown-A-Cze");
}

} // namespace
