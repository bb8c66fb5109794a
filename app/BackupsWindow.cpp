#include "BackupsWindow.h"

#include "DifferenceList.h"
#include "Language.h"
#include "Words.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <map>

namespace word = kw::word;

CBackupsWindow::CBackupsWindow(CLanguage& language, QWidget* parent)
    : QDialog(parent), m_Language(language) {
    setObjectName("BackupsWindow");
    m_Tree = new QTreeWidget(this);
    m_Tree->setObjectName("BackupTree");
    m_Tree->setColumnCount(3);
    m_OpenButton = new QPushButton(this);
    m_OpenButton->setObjectName("OpenButton");
    m_CompareButton = new QPushButton(this);
    m_CompareButton->setObjectName("CompareButton");
    m_CloseButton = new QPushButton(this);
    m_CloseButton->setObjectName("CloseButton");

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_OpenButton);
    buttons->addWidget(m_CompareButton);
    buttons->addStretch();
    buttons->addWidget(m_CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_Tree);
    layout->addLayout(buttons);
    resize(520, 420);

    connect(m_OpenButton, &QPushButton::clicked, this, [this] { Choose(openRequested); });
    connect(m_CompareButton, &QPushButton::clicked, this, [this] { Choose(compareRequested); });
    connect(m_Tree, &QTreeWidget::itemDoubleClicked, this, [this] { Choose(openRequested); });
    connect(m_CloseButton, &QPushButton::clicked, this, &QDialog::close);
}

void CBackupsWindow::Refresh(const kw::CBackupStore& store) {
    auto text = [this](int id) { return QString::fromStdString(m_Language.GetText(id)); };
    setWindowTitle(text(word::kBackups));
    m_OpenButton->setText(text(word::kOpenBackup));
    m_CompareButton->setText(text(word::kCompare));
    m_CloseButton->setText(text(word::kClose));
    m_Tree->setHeaderLabels(
        {text(word::kTimeColumn), text(word::kKindColumn), text(word::kHardwareColumn)});

    m_Tree->clear();
    // The list is newest first; a gateway's heading stands where its newest is.
    std::map<std::string, QTreeWidgetItem*> gateways;
    for (const kw::TBackupEntry& entry : store.List()) {
        QTreeWidgetItem*& gateway = gateways[entry.serialFolder];
        if (gateway == nullptr) {
            gateway = new QTreeWidgetItem(m_Tree, {QString::fromStdString(entry.serialFolder)});
            gateway->setFirstColumnSpanned(true);
            gateway->setExpanded(true);
        }
        auto* item = new QTreeWidgetItem(
            gateway, {kw::BackupTimeText(entry.time),
                      text(entry.written ? word::kBackupWritten : word::kBackupRead),
                      QString::fromStdString(kw::BackupHardwareLetter(entry.path))});
        item->setData(0, Qt::UserRole, QString::fromStdString(entry.path));
    }
    for (auto& [serial, gateway] : gateways)
        gateway->setExpanded(true);
    m_Tree->resizeColumnToContents(0);
    if (m_Tree->topLevelItemCount() > 0 && m_Tree->topLevelItem(0)->childCount() > 0)
        m_Tree->setCurrentItem(m_Tree->topLevelItem(0)->child(0));
}

std::string CBackupsWindow::ChosenPath() const {
    const QTreeWidgetItem* item = m_Tree->currentItem();
    return item ? item->data(0, Qt::UserRole).toString().toStdString() : std::string();
}

void CBackupsWindow::Choose(const std::function<void(const std::string&)>& action) {
    const std::string path = ChosenPath();
    if (!path.empty() && action)
        action(path);
}
