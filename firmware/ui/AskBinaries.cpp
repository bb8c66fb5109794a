#include "AskBinaries.h"

#include "TranslateWidgets.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <numeric>

TFAskBinaries::TFAskBinaries(const CLanguage& language, QWidget* parent)
    : QDialog(parent), m_Language(language) {
    setObjectName("FAskBinaries");
    kw::SetWidgetTag(this, 127);
    setModal(true);

    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    kw::SetWidgetTag(Label1, 126);
    Label1->setWordWrap(true);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName("ListBox1");
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    Button1 = new QPushButton(this);
    Button1->setObjectName("Button1");
    kw::SetWidgetTag(Button1, 1);
    Button1->setDefault(true);
    Button2 = new QPushButton(this);
    Button2->setObjectName("Button2");
    kw::SetWidgetTag(Button2, 2);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(ListBox1);
    layout->addLayout(buttons);
    resize(380, 260);

    connect(Button1, &QPushButton::clicked, this, &TFAskBinaries::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &TFAskBinaries::Button1Click);
}

void TFAskBinaries::Activate(const std::vector<std::string>& names) {
    kw::TranslateForm(this, m_Language);
    ListBox1->clear();
    std::vector<int> order(names.size());
    std::iota(order.begin(), order.end(), 0);
    std::vector<QString> shown;
    for (const std::string& name : names)
        shown.push_back(QFile::decodeName(QByteArray::fromStdString(name)));
    // Alphabetical: letter case ignored, ties in the system's byte order.
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const int byLetters = shown[size_t(a)].compare(shown[size_t(b)], Qt::CaseInsensitive);
        return byLetters != 0 ? byLetters < 0 : names[size_t(a)] < names[size_t(b)];
    });
    for (const int index : order) {
        auto* item = new QListWidgetItem(shown[size_t(index)], ListBox1);
        item->setData(Qt::UserRole, index);
    }
    if (ListBox1->count() > 0)
        ListBox1->setCurrentRow(0);
}

int TFAskBinaries::SelectedIndex() const {
    const QListWidgetItem* item = ListBox1->currentItem();
    return item != nullptr && item->isSelected() ? item->data(Qt::UserRole).toInt() : -1;
}

void TFAskBinaries::Button1Click() {
    done(kResultOk);
}
