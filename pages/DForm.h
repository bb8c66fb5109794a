// The base of every section page: a borderless widget that the main window
// places into its page area. LoadPage fills the controls from the parameters,
// StorePage takes them back, ResizePage hears the page area's client size.
//
// A page owns its bindings, made once when its controls are: LoadPage writes
// those of the variant in HWVer (ToControls), StorePage reads back what it
// wrote (FromControls). Most pages are declared as data and built by
// TFDeclaredPage; a page of its own binds its controls in its constructor:
//     BindEdit("FXSTimeDial", 0, edit);
#pragma once

#include "PageHost.h"
#include "ParControl.h"

#include <QWidget>

#include <string>

class CParameters;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QSlider;

class TFDForm : public QWidget {
    Q_OBJECT
public:
    using Variants = kw::pages::Variants;

    // The page's design client size.
    static constexpr int kDesignWidth = 862;
    static constexpr int kDesignHeight = 613;

    explicit TFDForm(CPageHost& host, QWidget* parent = nullptr);

    virtual void LoadPage() {}
    virtual void StorePage() {}
    virtual void ResizePage(int width, int height) {
        (void)width;
        (void)height;
    }

    // Takes what the controls hold into the parameters, as StorePage does, but
    // leaves the page on view: the undo history asks after every committed edit.
    virtual void CommitEdits() { StorePage(); }

    CPageHost& Host() const { return m_Host; }
    CParameters& Parameters() const { return m_Host.Parameters(); }
    CLanguage& Language() const { return m_Host.Language(); }
    // The hardware variant code the configuration says it is for (HWVer).
    std::string ConfigurationVariant() const;

    // Each creates a binding for the variants given and adds it to the page's
    // list. An edit or a memo whose parameter the registry knows is normalised
    // when the focus leaves it; the parameter itself changes only on a store.
    void BindEdit(const std::string& name, int row, QLineEdit* edit,
                  Variants variants = Variants::All);
    void BindMemo(const std::string& name, int row, QPlainTextEdit* memo,
                  Variants variants = Variants::All);
    void BindCheck(const std::string& name, int row, QCheckBox* check, bool inverted = false,
                   Variants variants = Variants::All);
    void BindTrack(const std::string& name, int row, QSlider* track,
                   Variants variants = Variants::All);
    void BindCombo(const std::string& name, int row, QComboBox* combo,
                   Variants variants = Variants::All);
    const CBindingList& Bindings() const { return m_Bindings; }

    // The bindings of the configuration's variant fill their controls.
    void ToControls();
    // What the last ToControls filled goes back into the parameters.
    void FromControls();

    // Translates the page and every control on it by their tags.
    void TranslatePage();

signals:
    // The user committed a change: left a field, picked a list item, clicked a
    // check box, moved a track bar, changed a cell, reset or imported values.
    // Heard as a hint; the history compares the values to know if one changed.
    void Edited();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void WatchFocusLeave(QWidget* control, const std::string& name, bool memo);

    CPageHost& m_Host;
    CBindingList m_Bindings;
};
