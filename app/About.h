// The about box: the program's picture ("ExtLogo.bmp" beside the program when
// present), its name and version, and the contact lines of the language files.
#pragma once

#include "ProgramVersion.h"

#include <QDialog>

#include <string>

class CLanguage;
class QLabel;

class TFOAplikaci : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kVersion = kw::kProgramVersion;

    TFOAplikaci(const CLanguage& language, std::string programFolder, QWidget* parent = nullptr);

    // What the box does each time it is shown: picture, translation, version, title.
    void Activate();

private:
    QLabel* m_Logo;
    QLabel* m_Version;
    QLabel* m_Title;
    const CLanguage& m_Language;
    std::string m_ProgramFolder;
};
