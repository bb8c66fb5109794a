// The base of every section page: a borderless widget that the main window
// places into its page area. LoadPage fills the controls from the parameters,
// StorePage takes them back, ResizePage hears the page area's client size.
//
// A page's LoadPage usually reads:
//     TranslatePage();                       // texts by the controls' tags
//     Parameters().ClearBindings();
//     BindEdit("FXSTimeDial", 0, Edit1);     // in a fixed order, some per variant
//     BindCombo("FXSVolRec", 0, ComboBox1);
//     ...show or hide what depends on Host().HardwareVariant()...
//     ToControls();
//     ...derive dependent control states from the loaded values...
// and its StorePage: Parameters().FromControls();
//
// The main window keeps the order: StorePage of the page left runs before
// LoadPage of the next, so the one binding list always belongs to the page on view.
#pragma once

#include "PageHost.h"

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

    CPageHost& Host() const { return m_Host; }
    CParameters& Parameters() const { return m_Host.Parameters(); }
    CLanguage& Language() const { return m_Host.Language(); }

    // Each creates the binding and adds it to the registry's list. An edit or a
    // memo whose parameter the registry knows is normalised when the focus
    // leaves it; the parameter itself changes only when the page is stored.
    void BindEdit(const std::string& name, int row, QLineEdit* edit);
    void BindMemo(const std::string& name, int row, QPlainTextEdit* memo);
    void BindCheck(const std::string& name, int row, QCheckBox* check, bool inverted = false);
    void BindTrack(const std::string& name, int row, QSlider* track);
    void BindCombo(const std::string& name, int row, QComboBox* combo);

    // The registry's ToControls with IsFilling() true meanwhile.
    void ToControls();
    // True while values are being loaded into the controls: handlers that react
    // to changes return early then.
    bool IsFilling() const { return m_Filling > 0; }

    // Translates the page and every control on it by their tags.
    void TranslatePage();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void WatchFocusLeave(QWidget* control, const std::string& name, bool memo);

    CPageHost& m_Host;
    int m_Filling = 0;
};
