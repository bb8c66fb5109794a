// Building blocks that give every section page the same look: controls made
// with their form name, word (tag) and hint flag; group boxes holding rows of
// "label  control" in a grid; edits paired with an up-down control; and pages
// laid out in two columns that keep at least the room their contents need.
// PageBuilder puts a declared page together from them; a page's ResizePage
// calls kw::FitPageToArea(this, width, height).
#pragma once

#include <QString>

#include <vector>

class CUpDown;
class QCheckBox;
class QPlainTextEdit;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QSlider;
class QTabWidget;
class QVBoxLayout;
class QWidget;

namespace kw {

// Controls with their name and word; the translator gives them their texts.
// A label with `showHint` for words that carry a hint.
QLabel* MakeLabel(QWidget* parent, const QString& name, int word, bool showHint = true);
// A read-only display the page fills itself (no word: the translator leaves it).
QLabel* MakeDisplay(QWidget* parent, const QString& name);
QGroupBox* MakeGroup(QWidget* parent, const QString& name, int word);
QCheckBox* MakeCheck(QWidget* parent, const QString& name, int word);
QPushButton* MakeButton(QWidget* parent, const QString& name, int word);
// A single-line edit wide enough for `widthChars` characters. `maxLength` > 0
// limits typing only (see TypingLimit.h).
QLineEdit* MakeEdit(QWidget* parent, const QString& name, int word, int widthChars,
                    int maxLength = 0);
// A drop-down list designed with the numbers the parameter takes; the first
// translation keeps them as item values and shows the words' items.
QComboBox* MakeCombo(QWidget* parent, const QString& name, int word,
                     const std::vector<int>& values);
// A memo for a few lines of text that wrap at its width; Tab leaves it.
QPlainTextEdit* MakeMemo(QWidget* parent, const QString& name, int word, int maxLength);
// A horizontal track bar with a tick for every position.
QSlider* MakeTrack(QWidget* parent, const QString& name, int word, int min, int max);
// A tab control whose tabs always show whole (no scroll buttons, no elision):
// it asks for the width all its tabs need.
QTabWidget* MakeTabs(QWidget* parent, const QString& name);
// A tab sheet of `tabs` with its word.
QWidget* AddTabSheet(QTabWidget* tabs, const QString& name, int word);

// An edit with its up-down control: range, increment and the edit's typing
// limit as given; the up-down carries the edit's word, so it shows the same hint.
struct SpinEdit {
    QLineEdit* edit;
    CUpDown* upDown;
};
SpinEdit MakeSpinEdit(QWidget* parent, const QString& editName, const QString& upDownName, int word,
                      int min, int max, int increment = 1, int maxLength = 0);

// Rows of a group box (or any container): labels in the first column, which
// takes the spare width, controls in the second at their own width.
class CFormGrid {
public:
    explicit CFormGrid(QWidget* container);
    void AddRow(QLabel* label, QWidget* control);
    void AddRow(QLabel* label, const SpinEdit& spin);
    // A control across both columns: check boxes, inner tab controls.
    void AddWide(QWidget* control);
    // For a grid of cells: the columns keep their widths side by side and the
    // spare width goes after the last one.
    void PackCells(int columns);
    QGridLayout* Layout() const { return m_Grid; }

private:
    QGridLayout* m_Grid;
    int m_Row = 0;
};

// The edit and its up-down as one layout item.
QLayout* SpinLayout(const SpinEdit& spin);

// A page or tab sheet in two columns of group boxes, top aligned; the columns
// share the width in the given proportion, evenly unless told otherwise.
class CTwoColumns {
public:
    explicit CTwoColumns(QWidget* container, int leftShare = 1, int rightShare = 1);
    void AddLeft(QWidget* widget);
    void AddRight(QWidget* widget);
    // Pushes both columns up; call once after the last group.
    void Finish();

private:
    QVBoxLayout* m_Left;
    QVBoxLayout* m_Right;
};

// Margins and spacing of a page's outermost layout, the same on every page.
void SetPageMargins(QLayout* layout);

// The page fills the page area but never shrinks below its design size or what
// its contents need (the page area scrolls then). Pages call it from ResizePage.
void FitPageToArea(QWidget* page, int width, int height);
// The same for the area last given (the design size before any): after a
// translation or a change of what is shown has changed what the contents need.
void RefitPage(QWidget* page);

} // namespace kw
