#include "Inicializace.h"

#include "InitialisationPage.h"
#include "PageBuilder.h"
#include "PageLayout.h"
#include "PageQuery.h"
#include "Pages.h"
#include "UserPort.h"

#include <QPushButton>

#include <algorithm>

namespace {

constexpr int kLeft = 16;
constexpr int kTop = 16;
constexpr int kMinButtonWidth = 260;
constexpr int kButtonHeight = 26;

} // namespace

TFInicializace::TFInicializace(CPageHost& host, QWidget* parent) : TFDForm(host, parent) {
    setObjectName(kw::Text(kw::pages::InitialisationPage().name));
    int top = kTop;
    for (const kw::pages::TResetButton& declared : kw::pages::ResetButtons()) {
        QPushButton* button = kw::MakeButton(this, kw::Text(declared.name), declared.word);
        button->setGeometry(kLeft, top, kMinButtonWidth, kButtonHeight);
        connect(button, &QPushButton::clicked, this, [this, &declared] { ResetClicked(declared); });
        top += kButtonStep;
    }
}

void TFInicializace::LoadPage() {
    TranslatePage();
    const std::string variant = ConfigurationVariant();
    // Buttons a variant has not give way: each shown button takes the next
    // free place, which for a variant that has them all is its own.
    int top = kTop;
    for (const kw::pages::TResetButton& declared : kw::pages::ResetButtons()) {
        auto* button = findChild<QPushButton*>(kw::Text(declared.name));
        const bool shown = kw::pages::Shows(declared.variants, variant);
        button->setVisible(shown);
        if (shown) {
            button->move(button->x(), top);
            top += kButtonStep;
        }
    }
    SetButtonWidths();
}

void TFInicializace::ResizePage(int width, int height) {
    kw::FitPageToArea(this, width, height);
}

void TFInicializace::SetButtonWidths() {
    const QList<QPushButton*> buttons = findChildren<QPushButton*>();
    int width = kMinButtonWidth;
    for (QPushButton* button : buttons)
        width = std::max(width, button->sizeHint().width());
    for (QPushButton* button : buttons)
        button->resize(width, button->height());
    const int stacked = static_cast<int>(kw::pages::ResetButtons().size());
    setMinimumSize(kLeft * 2 + width, kTop + (stacked - 1) * kButtonStep + kButtonHeight + kTop);
}

void TFInicializace::ResetClicked(const kw::pages::TResetButton& button) {
    if (!Host().UserPort().AskYesNo(CUserPort::Icon::Question, button.question))
        return;
    kw::pages::ResetToDefaults(Parameters(), button.group);
    if (button.group == kw::pages::ResetGroup::All) {
        Host().SetPinChanged(true);
        Host().SetServisPasswChanged(true);
    }
    emit Edited();
}
