#include "FileDialogs.h"

#include <QFileDialog>
#include <QFileInfo>

namespace kw {

QStringList DialogFilters(const QString& filter) {
    if (!filter.contains('|'))
        return filter.split(";;", Qt::SkipEmptyParts);
    const QStringList parts = filter.split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1].trimmed();
        patterns.replace(';', ' ');
        QString description = parts[i].trimmed();
        // A description that already names its patterns gets them only once.
        if (!description.endsWith(")"))
            description += " (" + patterns + ")";
        filters << description;
    }
    return filters;
}

} // namespace kw

namespace {

// Runs a prepared dialog starting in `folder`; remembers the folder of the choice.
std::optional<std::string> RunDialog(QFileDialog& dialog, const QString& filter, QString& folder) {
    dialog.setDirectory(folder);
    const QStringList filters = kw::DialogFilters(filter);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.value(0));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString file = dialog.selectedFiles().first();
    folder = QFileInfo(file).absolutePath();
    return file.toStdString();
}

} // namespace

std::optional<std::string> CQtFileDialogs::AskOpen(const QString& filter) {
    QFileDialog dialog(m_Parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return RunDialog(dialog, filter, m_OpenFolder);
}

std::optional<std::string> CQtFileDialogs::AskSave(const QString& filter,
                                                   const QString& defaultSuffix) {
    QFileDialog dialog(m_Parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    return RunDialog(dialog, filter, m_SaveFolder);
}
