// Translates a window by its controls' tags: every widget carries the id of its
// language word in the integer property "tag", and the translator sets its
// caption, hint or list items from the word table.
//
// Conventions every form follows:
// - kTagProperty ("tag", int): the control's word id. A form's own word (its
//   caption) is the same property on the form widget; a form without one gets
//   the text of word 0. Widgets without the property count as tag 0.
// - kShowHintProperty ("showHint", bool): set it to true on a control whose hint
//   (tool tip) comes from the language; without it the tool tip is left alone.
//   It is read from the control itself only, never inherited from the form.
// - Drop-down lists (QComboBox, tag != 0): design their items as the numbers the
//   parameter takes ("0", "1", "50"). The first translation negates the tag and
//   stores each number as the item's data (Qt::UserRole, read it with
//   ComboItemValue); every translation replaces the texts with item 0, 1, … of
//   word |tag|. A design text that is not a number keeps data set by code, or
//   else gets the item's index.
// - Tab pages: the page widget of a QTabWidget with a tag gets its tab text.
//
// Each widget is handled by its exact class (metaObject()->className(), namespace
// qualifiers ignored), so a subclass of QLabel is not translated as a label; see
// the table in TranslateWidgets.cpp to add a class. Hint-only classes: QLineEdit,
// CUpDown (the pages' up-down control), QSlider, QPlainTextEdit. The walk covers the whole widget
// tree under the form, containers included, but stops at child windows (dialogs, pop-ups): they
// translate themselves. Qt's internal children have no tag and are left alone.
#pragma once

#include "Language.h"

class QComboBox;
class QDialogButtonBox;
class QWidget;

namespace kw {

inline constexpr const char* kTagProperty = "tag";
inline constexpr const char* kShowHintProperty = "showHint";

// The widget's "tag" property, 0 when it has none.
int WidgetTag(const QWidget* widget);
void SetWidgetTag(QWidget* widget, int tag);
// Sets "showHint".
void SetShowHint(QWidget* widget, bool show);

// A dialog's button row: the default button (control name, word) that accepts,
// and a Cancel button that rejects; the translator gives both their texts.
QDialogButtonBox* MakeDialogButtons(QWidget* parent, const char* okName, int okWord,
                                    const char* cancelName);

// The parameter value stored with item `index` of a translated drop-down list,
// or `fallback` when the item has none.
int ComboItemValue(const QComboBox* combo, int index, int fallback = -1);

// Caption (window title) = text of the form's word, then TranslateComponents.
void TranslateForm(QWidget* form, const CLanguage& language);
// Translates every widget below `owner` (not `owner` itself).
void TranslateComponents(QWidget* owner, const CLanguage& language);

// The same with the program's one table, kw::Language().
void TranslateForm(QWidget* form);
void TranslateComponents(QWidget* owner);

} // namespace kw
