// Translating a form with every class the translator knows, twice, in two
// languages; and the language menu.
#include "TranslateWidgets.h"
#include "LanguageMenuQt.h"
#include "TempDir.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>

namespace kw::test {

// Stands in for the pages' up-down control: only its class name matters here.
class CUpDown : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
};

// A label subclass is not a label for the translator.
class FancyLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
};

namespace {

const char* const kEnglish = "S0=Gateway tool\nS20=Lines\n"
                             "S1=Name\nS1H=Name hint\nS2=Tones\nS3=Pulse\nS4=Enabled\nS4H=Tick it\n"
                             "S5=Apply\nS5H=Apply hint\nS6H=List hint\n"
                             "S6_0=Off\nS6_1=Two\nS6_2=Three\nS6_3=Four\n"
                             "S7H=Edit hint\nS8H=Up-down hint\nS9H=Slider hint\nS10H=Memo hint\n"
                             "S11=First tab\nS12=Second tab\nS13=Inside\nS14=Fancy\nS15=Dialog\n";
const char* const kCzech = "S0=Nástroj\nS20=Tel. linky\n"
                           "S1=Jméno\nS1H=Nápověda jména\nS2=Tóny\nS3=Pulsy\nS4=Povoleno\n"
                           "S4H=Zaškrtněte\nS5=Použít\nS5H=Použít nápověda\nS6H=Seznam\n"
                           "S6_0=Vypnuto\nS6_1=Dvě\nS6_2=Tři\nS6_3=Čtyři\n"
                           "S7H=Editace\nS8H=Šipky\nS9H=Posuvník\nS10H=Poznámka\n"
                           "S11=První\nS12=Druhá\nS13=Uvnitř\n";

template <class W> W* Add(QWidget* parent, const char* name, int tag, bool hint = false) {
    auto* widget = new W(parent);
    widget->setObjectName(name);
    if (tag != 0)
        SetWidgetTag(widget, tag);
    if (hint)
        SetShowHint(widget, true);
    widget->setToolTip("design hint");
    return widget;
}

class Translate : public ::testing::Test {
protected:
    void SetUp() override {
        dir.Write("L_Init.ini", "[Settings]\nNumberOfLang=2\nNumberOfWords=400\n"
                                "[Lang0]\nFile=Eng.lng\nName=English\nId=Eng\n"
                                "[Lang1]\nFile=Cze.lng\nName=Čeština\nId=Cze\n");
        dir.Write("Eng.lng", kEnglish);
        dir.Write("Cze.lng", kCzech);
        language.Init(dir.Dir().string());
        BuildForm();
    }

    void BuildForm() {
        form = std::make_unique<QWidget>();
        SetWidgetTag(form.get(), 20);
        auto* layout = new QVBoxLayout(form.get());
        label = Add<QLabel>(form.get(), "Label1", 1, true);
        untagged = Add<QLabel>(form.get(), "Label2", 0, true);
        untagged->setText("design");
        group = Add<QGroupBox>(form.get(), "GroupBox1", 2);
        radio = Add<QRadioButton>(group, "RadioButton1", 3, true);
        check = Add<QCheckBox>(group, "CheckBox1", 4, true);
        button = Add<QPushButton>(form.get(), "Button1", 5, true);
        combo = Add<QComboBox>(form.get(), "ComboBox1", 6, true);
        combo->addItems({"0", "2", "3", "4"});
        combo->setCurrentIndex(2);
        edit = Add<QLineEdit>(form.get(), "Edit1", 7, true);
        plainEdit = Add<QLineEdit>(form.get(), "Edit2", 7, false);
        upDown = Add<CUpDown>(form.get(), "UpDown1", 8, true);
        slider = Add<QSlider>(form.get(), "TrackBar1", 9, true);
        memo = Add<QPlainTextEdit>(form.get(), "Memo1", 10, true);
        tabs = Add<QTabWidget>(form.get(), "PageControl1", 0);
        auto* page1 = Add<QWidget>(nullptr, "TabSheet1", 11);
        auto* page2 = Add<QWidget>(nullptr, "TabSheet2", 12);
        tabs->addTab(page1, "design 1");
        tabs->addTab(page2, "design 2");
        inner = Add<QLabel>(page2, "Label3", 13);
        fancy = Add<FancyLabel>(form.get(), "Label4", 14);
        fancy->setText("fancy design");
        dialog = new QDialog(form.get());
        dialogLabel = Add<QLabel>(dialog, "Label5", 15);
        dialogLabel->setText("dialog design");
        for (QWidget* w : {static_cast<QWidget*>(label), static_cast<QWidget*>(untagged),
                           static_cast<QWidget*>(group), static_cast<QWidget*>(button),
                           static_cast<QWidget*>(combo), static_cast<QWidget*>(tabs)})
            layout->addWidget(w);
    }

    void Apply(int lang) {
        language.Load(lang, "");
        TranslateForm(form.get(), language);
    }

    void ExpectCommonEffects() {
        EXPECT_EQ(WidgetTag(combo), -6);
        ASSERT_EQ(combo->count(), 4);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(ComboItemValue(combo, i), i == 0 ? 0 : i + 1) << i;
        EXPECT_EQ(combo->currentIndex(), 2);
        EXPECT_EQ(untagged->text(), "design");
        EXPECT_EQ(untagged->toolTip(), "design hint");
        EXPECT_EQ(plainEdit->toolTip(), "design hint");
        EXPECT_EQ(group->toolTip(), "design hint"); // group boxes never take hints
        EXPECT_EQ(radio->toolTip(), "design hint"); // nor do radio buttons
        EXPECT_EQ(fancy->text(), "fancy design");
        EXPECT_EQ(dialogLabel->text(), "dialog design"); // a child window translates itself
        EXPECT_EQ(tabs->tabText(0), QString::fromStdString(language.GetText(11)));
    }

    TempDir dir;
    CLanguage language;
    std::unique_ptr<QWidget> form;
    QLabel *label{}, *untagged{}, *inner{}, *dialogLabel{};
    FancyLabel* fancy{};
    QGroupBox* group{};
    QRadioButton* radio{};
    QCheckBox* check{};
    QPushButton* button{};
    QComboBox* combo{};
    QLineEdit *edit{}, *plainEdit{};
    CUpDown* upDown{};
    QSlider* slider{};
    QPlainTextEdit* memo{};
    QTabWidget* tabs{};
    QDialog* dialog{};
};

TEST_F(Translate, EveryClassTwiceInTwoLanguages) {
    Apply(0);
    EXPECT_EQ(form->windowTitle(), "Lines");
    EXPECT_EQ(label->text(), "Name");
    EXPECT_EQ(label->toolTip(), "Name hint");
    EXPECT_EQ(group->title(), " Tones ");
    EXPECT_EQ(radio->text(), "Pulse");
    EXPECT_EQ(check->text(), "Enabled");
    EXPECT_EQ(check->toolTip(), "Tick it");
    EXPECT_EQ(button->text(), "Apply");
    EXPECT_EQ(button->toolTip(), "Apply hint");
    EXPECT_EQ(combo->itemText(0), "Off");
    EXPECT_EQ(combo->itemText(3), "Four");
    EXPECT_EQ(combo->toolTip(), "List hint");
    EXPECT_EQ(edit->toolTip(), "Edit hint");
    EXPECT_EQ(upDown->toolTip(), "Up-down hint");
    EXPECT_EQ(slider->toolTip(), "Slider hint");
    EXPECT_EQ(memo->toolTip(), "Memo hint");
    EXPECT_EQ(tabs->tabText(1), "Second tab");
    EXPECT_EQ(inner->text(), "Inside");
    ExpectCommonEffects();

    Apply(1);
    EXPECT_EQ(form->windowTitle(), "Tel. linky");
    EXPECT_EQ(label->text(), "Jméno");
    EXPECT_EQ(group->title(), " Tóny ");
    EXPECT_EQ(radio->text(), "Pulsy");
    EXPECT_EQ(check->toolTip(), "Zaškrtněte");
    EXPECT_EQ(button->text(), "Použít");
    EXPECT_EQ(combo->itemText(0), "Vypnuto");
    EXPECT_EQ(combo->itemText(3), "Čtyři");
    EXPECT_EQ(combo->toolTip(), "Seznam");
    EXPECT_EQ(upDown->toolTip(), "Šipky");
    EXPECT_EQ(memo->toolTip(), "Poznámka");
    EXPECT_EQ(tabs->tabText(0), "První");
    EXPECT_EQ(inner->text(), "Uvnitř");
    ExpectCommonEffects();

    // The design numbers survive a third pass too: they are never read back from
    // translated texts.
    Apply(0);
    EXPECT_EQ(combo->itemText(1), "Two");
    ExpectCommonEffects();
}

TEST_F(Translate, MissingWordsShowTheirKeysAndUntaggedFormsWord0) {
    dir.Write("Eng.lng", "S0=Gateway tool\n");
    SetWidgetTag(form.get(), 0);
    Apply(0);
    EXPECT_EQ(form->windowTitle(), "Gateway tool");
    EXPECT_EQ(label->text(), "S1");
    EXPECT_EQ(label->toolTip(), "S1H");
    EXPECT_EQ(combo->itemText(2), "S6_2");
    EXPECT_EQ(ComboItemValue(combo, 2), 3);
}

TEST_F(Translate, ComboItemsThatAreNotNumbersKeepTheirData) {
    auto* other = Add<QComboBox>(form.get(), "ComboBox2", 6);
    other->addItem("x", 77);
    other->addItem("y");
    language.Load(0, "");
    TranslateComponents(form.get(), language);
    EXPECT_EQ(ComboItemValue(other, 0), 77);
    EXPECT_EQ(ComboItemValue(other, 1), 1);
    EXPECT_EQ(ComboItemValue(other, 5, -9), -9);
    EXPECT_EQ(form->windowTitle(), ""); // TranslateComponents leaves the form alone
}

TEST_F(Translate, LanguageMenuPicksAndChecks) {
    QMenu menu;
    menu.addAction("Other entry");
    CLanguageMenuQt languageMenu(&menu, language);
    std::vector<std::pair<int, std::string>> picks;
    language.Init(dir.Dir().string(), &languageMenu,
                  [&](int lang, const std::string& variant) { picks.emplace_back(lang, variant); });
    ASSERT_EQ(menu.actions().size(), 3);
    EXPECT_EQ(menu.actions()[2]->text(), "Čeština");
    language.Load(0, "E");
    EXPECT_TRUE(languageMenu.Action(0)->isChecked());
    EXPECT_FALSE(languageMenu.Action(1)->isChecked());
    languageMenu.Action(1)->trigger();
    ASSERT_EQ(picks.size(), 1u);
    EXPECT_EQ(picks[0], (std::pair<int, std::string>{1, "E"}));

    language.Init(dir.Dir().string(), &languageMenu); // rebuilds only its own items
    EXPECT_EQ(menu.actions().size(), 3);
    EXPECT_EQ(menu.actions()[0]->text(), "Other entry");
    EXPECT_EQ(languageMenu.Action(2), nullptr);
}

} // namespace
} // namespace kw::test

#include "TranslateWidgetsTest.moc"
