#include "TypingLimit.h"

#include "MemoText.h"
#include "Win1252.h"

#include <QEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace kw {
namespace {

constexpr const char* kLimitProperty = "kwTypingLimit";
constexpr const char* kLimitName = "kwTypingLimit";

bool IsUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::InputMethod:
    case QEvent::Drop:
    case QEvent::ContextMenu:
    case QEvent::MouseButtonRelease: // middle-button paste of the selection
        return true;
    default:
        return false;
    }
}

// Every edit the user makes arrives through an input event, so the text seen at
// that event is the text before the edit. A user edit that grows the text past
// the limit keeps only as much of what it inserted as fits.
class CEditLimit : public QObject {
public:
    CEditLimit(QLineEdit* edit, int max) : QObject(edit), m_Edit(edit), m_Max(max) {
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textEdited, this, &CEditLimit::Edited);
    }
    void SetMax(int max) { m_Max = max; }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (IsUserInput(event->type()))
            m_Before = m_Edit->text();
        return false;
    }

private:
    void Edited(const QString& now) {
        if (now.size() <= m_Max || now.size() <= m_Before.size()) {
            m_Before = now;
            return;
        }
        qsizetype prefix = 0;
        const qsizetype shorter = std::min(now.size(), m_Before.size());
        while (prefix < shorter && now[prefix] == m_Before[prefix])
            ++prefix;
        qsizetype suffix = 0;
        while (suffix < shorter - prefix &&
               now[now.size() - 1 - suffix] == m_Before[m_Before.size() - 1 - suffix])
            ++suffix;
        const QString inserted = now.mid(prefix, now.size() - prefix - suffix);
        const qsizetype kept = m_Before.size() - (m_Before.size() - prefix - suffix);
        const qsizetype room = std::max<qsizetype>(0, m_Max - kept);
        const QString fitted = now.left(prefix) + inserted.left(room) + now.right(suffix);
        m_Before = fitted;
        m_Edit->setText(fitted);
        m_Edit->setCursorPosition(static_cast<int>(prefix + std::min(room, inserted.size())));
    }

    QLineEdit* m_Edit;
    int m_Max;
    QString m_Before;
};

// A memo has no signal for user edits alone, so the limit arms on an input
// event and looks only at the change that event makes. The limit counts the
// bytes of the value the memo stands for, where a line break is CR LF: counting
// it as one character would let the text outgrow the field it is stored in.
class CMemoLimit : public QObject {
public:
    CMemoLimit(QPlainTextEdit* memo, int max) : QObject(memo), m_Memo(memo), m_Max(max) {
        memo->installEventFilter(this);
        connect(memo->document(), &QTextDocument::contentsChange, this, &CMemoLimit::Changed);
    }
    void SetMax(int max) { m_Max = max; }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        m_Armed = IsUserInput(event->type());
        if (m_Armed)
            m_Before = ValueLength();
        return false;
    }

private:
    int ValueLength() const {
        return static_cast<int>(MemoQStringToBytes(MemoText(*m_Memo)).size());
    }

    void Changed(int position, int /*removed*/, int added) {
        if (!m_Armed || m_Fixing || added <= 0)
            return;
        m_Armed = false;
        // A text set by code may already be longer; an edit may not make it longer still.
        int excess = ValueLength() - std::max(m_Max, m_Before);
        if (excess <= 0)
            return;
        // Give back the end of what was inserted, a line break freeing two bytes.
        const QTextDocument* document = m_Memo->document();
        int cut = 0;
        while (excess > 0 && cut < added) {
            const QChar c = document->characterAt(position + added - 1 - cut);
            excess -= (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) ? 2 : 1;
            ++cut;
        }
        m_Fixing = true;
        QTextCursor cursor(m_Memo->document());
        cursor.setPosition(position + added - cut);
        cursor.setPosition(position + added, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        m_Fixing = false;
    }

    QPlainTextEdit* m_Memo;
    int m_Max;
    int m_Before = 0;
    bool m_Armed = false;
    bool m_Fixing = false;
};

template <typename Limit, typename Control> void Install(Control* control, int maxLength) {
    // The limit objects carry no meta-object of their own, so find them by name.
    auto* limit = static_cast<Limit*>(
        control->template findChild<QObject*>(kLimitName, Qt::FindDirectChildrenOnly));
    control->setProperty(kLimitProperty, maxLength > 0 ? maxLength : 0);
    if (maxLength <= 0) {
        delete limit;
        return;
    }
    if (limit)
        limit->SetMax(maxLength);
    else
        (new Limit(control, maxLength))->setObjectName(kLimitName);
}

} // namespace

void LimitTyping(QLineEdit* edit, int maxLength) {
    Install<CEditLimit>(edit, maxLength);
}

void LimitTyping(QPlainTextEdit* memo, int maxLength) {
    Install<CMemoLimit>(memo, maxLength);
}

int TypingLimit(const QObject* control) {
    return control->property(kLimitProperty).toInt();
}

} // namespace kw
