// The backups window: the backups of every gateway grouped by serial number,
// newest first, with the time, read or written, and the hardware letter. Open
// loads one into the editor; Compare shows it against the editor's configuration.
#pragma once

#include "BackupStore.h"

#include <QDialog>

#include <functional>

class CLanguage;
class QPushButton;
class QTreeWidget;

class CBackupsWindow : public QDialog {
    Q_OBJECT
public:
    CBackupsWindow(CLanguage& language, QWidget* parent);

    // Lists the store's backups again, in the current language.
    void Refresh(const kw::CBackupStore& store);
    // The backup chosen; empty when a gateway's heading or nothing is.
    std::string ChosenPath() const;

    std::function<void(const std::string& path)> openRequested;
    std::function<void(const std::string& path)> compareRequested;

private:
    void Choose(const std::function<void(const std::string&)>& action);

    CLanguage& m_Language;
    QTreeWidget* m_Tree;
    QPushButton* m_OpenButton;
    QPushButton* m_CompareButton;
    QPushButton* m_CloseButton;
};
