#include "TranslateWidgets.h"

#include "Words.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVariant>

#include <cstring>

namespace kw {
namespace {

// What the translator does with a widget of a given exact class.
enum class Kind {
    Label,    // caption and, with showHint, hint
    GroupBox, // caption between two spaces
    Caption,  // caption only
    Button,   // caption and, with showHint, hint (check boxes and push buttons)
    Combo,    // item texts (numbers kept as data) and, with showHint, hint
    HintOnly, // edits, up-downs, sliders, memos: hint only
};

struct ClassRule {
    const char* className;
    Kind kind;
};

// Exact class names without namespace qualifiers ("kw::CUpDown" is "CUpDown");
// subclasses are deliberately not matched.
constexpr ClassRule kClassTable[] = {
    {"QLabel", Kind::Label},         {"QGroupBox", Kind::GroupBox},
    {"QRadioButton", Kind::Caption}, {"QCheckBox", Kind::Button},
    {"QPushButton", Kind::Button},   {"QComboBox", Kind::Combo},
    {"QLineEdit", Kind::HintOnly},   {"CUpDown", Kind::HintOnly},
    {"QSlider", Kind::HintOnly},     {"QPlainTextEdit", Kind::HintOnly},
};

const ClassRule* RuleFor(const QWidget* widget) {
    const char* name = widget->metaObject()->className();
    if (const char* last = std::strrchr(name, ':'))
        name = last + 1;
    for (const ClassRule& rule : kClassTable)
        if (std::strcmp(rule.className, name) == 0)
            return &rule;
    return nullptr;
}

QString Utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool ShowsHint(const QWidget* widget) {
    return widget->property(kShowHintProperty).toBool();
}

void SetHint(QWidget* widget, const CLanguage& language, int id) {
    if (ShowsHint(widget))
        widget->setToolTip(Utf8(language.GetHint(id)));
}

// The tab widget that shows `page` as one of its pages, if any (pages live in
// the tab widget's internal stacked widget).
QTabWidget* TabWidgetOf(QWidget* page) {
    QWidget* stack = page->parentWidget();
    if (!stack || !qobject_cast<QStackedWidget*>(stack))
        return nullptr;
    auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget());
    return tabs && tabs->indexOf(page) >= 0 ? tabs : nullptr;
}

void TranslateCombo(QComboBox* combo, const CLanguage& language, int tag) {
    if (tag > 0) {
        SetWidgetTag(combo, -tag);
        for (int i = 0; i < combo->count(); ++i) {
            bool isNumber = false;
            const int value = combo->itemText(i).trimmed().toInt(&isNumber);
            if (isNumber)
                combo->setItemData(i, value);
            else if (!combo->itemData(i).isValid())
                combo->setItemData(i, i);
        }
    }
    const int id = tag > 0 ? tag : -tag;
    for (int i = 0; i < combo->count(); ++i)
        combo->setItemText(i, Utf8(language.GetItem(id, i)));
    SetHint(combo, language, id);
}

void TranslateWidget(QWidget* widget, const CLanguage& language) {
    const int tag = WidgetTag(widget);
    if (tag == 0)
        return;
    if (tag > 0) {
        if (QTabWidget* tabs = TabWidgetOf(widget)) {
            tabs->setTabText(tabs->indexOf(widget), Utf8(language.GetText(tag)));
            return;
        }
    }
    const ClassRule* rule = RuleFor(widget);
    if (!rule)
        return;
    if (rule->kind == Kind::Combo) {
        TranslateCombo(static_cast<QComboBox*>(widget), language, tag);
        return;
    }
    if (tag < 0)
        return;
    const QString text = Utf8(language.GetText(tag));
    switch (rule->kind) {
    case Kind::Label:
        static_cast<QLabel*>(widget)->setText(text);
        SetHint(widget, language, tag);
        break;
    case Kind::GroupBox:
        static_cast<QGroupBox*>(widget)->setTitle(QLatin1Char(' ') + text + QLatin1Char(' '));
        break;
    case Kind::Caption:
        static_cast<QAbstractButton*>(widget)->setText(text);
        break;
    case Kind::Button:
        static_cast<QAbstractButton*>(widget)->setText(text);
        SetHint(widget, language, tag);
        break;
    case Kind::HintOnly:
        SetHint(widget, language, tag);
        break;
    case Kind::Combo:
        break;
    }
}

} // namespace

int WidgetTag(const QWidget* widget) {
    return widget->property(kTagProperty).toInt();
}

void SetWidgetTag(QWidget* widget, int tag) {
    widget->setProperty(kTagProperty, tag);
}

void SetShowHint(QWidget* widget, bool show) {
    widget->setProperty(kShowHintProperty, show);
}

QDialogButtonBox* MakeDialogButtons(QWidget* parent, const char* okName, int okWord,
                                    const char* cancelName) {
    auto* buttons = new QDialogButtonBox(parent);
    QPushButton* ok = buttons->addButton(QString(), QDialogButtonBox::AcceptRole);
    ok->setObjectName(okName);
    SetWidgetTag(ok, okWord);
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(cancelName);
    SetWidgetTag(cancel, word::kCancel);
    return buttons;
}

int ComboItemValue(const QComboBox* combo, int index, int fallback) {
    bool ok = false;
    const int value = combo->itemData(index).toInt(&ok);
    return ok ? value : fallback;
}

void TranslateComponents(QWidget* owner, const CLanguage& language) {
    for (QObject* child : owner->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (!widget || widget->isWindow())
            continue;
        TranslateWidget(widget, language);
        TranslateComponents(widget, language);
    }
}

void TranslateForm(QWidget* form, const CLanguage& language) {
    form->setWindowTitle(Utf8(language.GetText(WidgetTag(form))));
    TranslateComponents(form, language);
}

void TranslateForm(QWidget* form) {
    TranslateForm(form, Language());
}

void TranslateComponents(QWidget* owner) {
    TranslateComponents(owner, Language());
}

} // namespace kw
