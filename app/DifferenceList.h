// The differences between the editor's configuration and another one as the
// compare window and the question before Write list them: the section page,
// the caption the page gives the value (its parameter name where no page shows
// it), the row, and both values as the page displays them.
#pragma once

#include "ParametersDiff.h"

#include <QString>

#include <string>
#include <vector>

class CLanguage;
class QTreeWidget;

namespace kw {

struct TDifferenceRow {
    int section = -1;    // the page's section; -1 when no page shows the value
    std::string control; // the objectName of the control that edits it, if any
    QString page;
    QString caption;
    QString row; // from 1, empty for a parameter of one row
    QString first;
    QString second;
};

std::vector<TDifferenceRow> DifferenceRows(const std::vector<TValueDifference>& differences,
                                           const std::string& variant, const CLanguage& language);

// A list with the columns page, value, row, in the editor, compared with; each
// item keeps its section (Qt::UserRole) and control name (Qt::UserRole + 1).
void SetUpDifferenceList(QTreeWidget& list, const CLanguage& language);
void FillDifferenceList(QTreeWidget& list, const std::vector<TDifferenceRow>& rows);

// "YYYY-MM-DD HH:MM:SS" from a backup's time.
QString BackupTimeText(const std::string& time);

} // namespace kw
