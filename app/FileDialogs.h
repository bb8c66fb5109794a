// The open and save dialogs of the configuration-file commands, behind a small
// interface so that tests can answer them.
#pragma once

#include <QString>

#include <optional>
#include <string>

class QWidget;

class CFileDialogs {
public:
    virtual ~CFileDialogs() = default;
    // The chosen existing file, or nullopt when the user cancels. `filter` is a
    // language text of filters (see kw::DialogFilters); its first filter is active.
    virtual std::optional<std::string> AskOpen(const QString& filter) = 0;
    // The chosen file to write; the default suffix is added to a name without
    // one, and overwriting an existing file is confirmed first.
    virtual std::optional<std::string> AskSave(const QString& filter,
                                               const QString& defaultSuffix) = 0;
};

// The Qt file dialogs, opened over `parent`; each remembers the folder used last.
class CQtFileDialogs : public CFileDialogs {
public:
    explicit CQtFileDialogs(QWidget* parent) : m_Parent(parent) {}
    std::optional<std::string> AskOpen(const QString& filter) override;
    std::optional<std::string> AskSave(const QString& filter,
                                       const QString& defaultSuffix) override;

private:
    QWidget* m_Parent;
    QString m_OpenFolder;
    QString m_SaveFolder;
};

namespace kw {

// A language text of filters as the name filters of a Qt file dialog. Both
// forms are read: "Text|*.sgd|All|*.*" gives "Text (*.sgd)", "All (*.*)";
// "Text (*.sgd);;All (*)" is split at ";;".
QStringList DialogFilters(const QString& filter);

} // namespace kw
