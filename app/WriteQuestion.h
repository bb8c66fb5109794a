// The question before Write when a backup read from the same gateway exists:
// how many values the write changes against it, the list of them, Write or Cancel.
#pragma once

#include "DifferenceList.h"

#include <QDialog>

class CLanguage;

class CWriteQuestion : public QDialog {
    Q_OBJECT
public:
    // `time` is the backup's (YYYY-MM-DD_HH-MM-SS).
    CWriteQuestion(CLanguage& language, const std::vector<kw::TDifferenceRow>& rows,
                   const std::string& time, QWidget* parent);
};
