#include "AskBinaries.h"

#include "TranslateWidgets.h"
#include "Words.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <numeric>

TFAskBinaries::TFAskBinaries(const CLanguage& language, QWidget* parent)
    : QDialog(parent), m_Language(language) {
    setObjectName("FAskBinaries");
    kw::SetWidgetTag(this, 127);
    setModal(true);

    auto* prompt = new QLabel(this);
    prompt->setObjectName("Label1");
    kw::SetWidgetTag(prompt, 126);
    prompt->setWordWrap(true);
    m_FileList = new QListWidget(this);
    m_FileList->setObjectName("ListBox1");
    m_FileList->setSelectionMode(QAbstractItemView::SingleSelection);
    QDialogButtonBox* buttons = kw::MakeDialogButtons(this, "Button1", kw::word::kOk, "Button2");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(m_FileList);
    layout->addWidget(buttons);
    resize(380, 260);

    const auto choose = [this] { done(kResultOk); };
    connect(buttons, &QDialogButtonBox::accepted, this, choose);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_FileList, &QListWidget::itemDoubleClicked, this, choose);
}

void TFAskBinaries::Activate(const std::vector<std::string>& names) {
    kw::TranslateForm(this, m_Language);
    m_FileList->clear();
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
        auto* item = new QListWidgetItem(shown[size_t(index)], m_FileList);
        item->setData(Qt::UserRole, index);
    }
    if (m_FileList->count() > 0)
        m_FileList->setCurrentRow(0);
}

int TFAskBinaries::SelectedIndex() const {
    const QListWidgetItem* item = m_FileList->currentItem();
    return item != nullptr && item->isSelected() ? item->data(Qt::UserRole).toInt() : -1;
}
