#include "CompareWindow.h"

#include "FormatText.h"
#include "Language.h"
#include "Parameters.h"
#include "Words.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace word = kw::word;

CCompareWindow::CCompareWindow(CLanguage& language, QWidget* parent)
    : QDialog(parent), m_Language(language) {
    setObjectName("CompareWindow");
    m_Against = new QLabel(this);
    m_Against->setObjectName("AgainstLabel");
    m_Count = new QLabel(this);
    m_Count->setObjectName("CountLabel");
    m_List = new QTreeWidget(this);
    m_List->setObjectName("DifferenceList");
    m_FileButton = new QPushButton(this);
    m_FileButton->setObjectName("FileButton");
    m_GatewayButton = new QPushButton(this);
    m_GatewayButton->setObjectName("GatewayButton");
    m_CloseButton = new QPushButton(this);
    m_CloseButton->setObjectName("CloseButton");

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_FileButton);
    buttons->addWidget(m_GatewayButton);
    buttons->addStretch();
    buttons->addWidget(m_CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_Against);
    layout->addWidget(m_Count);
    layout->addWidget(m_List);
    layout->addLayout(buttons);
    resize(760, 420);

    connect(m_FileButton, &QPushButton::clicked, this, [this] {
        if (fileRequested)
            fileRequested();
    });
    connect(m_GatewayButton, &QPushButton::clicked, this, [this] {
        if (gatewayRequested)
            gatewayRequested();
    });
    connect(m_CloseButton, &QPushButton::clicked, this, &QDialog::close);
    connect(m_List, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        const int section = item->data(0, Qt::UserRole).toInt();
        if (goTo && section >= 0)
            goTo(section, item->data(0, Qt::UserRole + 1).toString().toStdString());
    });
    Translate();
}

void CCompareWindow::Translate() {
    auto text = [this](int id) { return QString::fromStdString(m_Language.GetText(id)); };
    setWindowTitle(text(word::kCompare));
    m_FileButton->setText(text(word::kCompareWithFile));
    m_GatewayButton->setText(text(word::kCompareWithGateway));
    m_CloseButton->setText(text(word::kClose));
    kw::SetUpDifferenceList(*m_List, m_Language);
}

void CCompareWindow::Compare(const CParameters& editor, const std::string& variant,
                             const CParameters& other, const QString& otherName) {
    const auto differences = kw::Differences(editor, other);
    kw::FillDifferenceList(*m_List, kw::DifferenceRows(differences, variant, m_Language));
    m_Against->setText(otherName);
    m_Count->setText(
        differences.empty()
            ? QString::fromStdString(m_Language.GetText(word::kNoDifferences))
            : QString::fromStdString(kw::FormatText(m_Language.GetText(word::kDifferencesCount),
                                                    {std::to_string(differences.size())})));
}
