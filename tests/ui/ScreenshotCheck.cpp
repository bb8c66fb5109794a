#include "ScreenshotCheck.h"

#include <QAbstractButton>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace kw::test {

bool IsUntranslated(const QString& text) {
    static const QRegularExpression key("^S\\d+(H|_\\d+)?[A-Z]?$");
    return key.match(text.trimmed()).hasMatch();
}

void CheckTexts(QWidget* window, const std::string& where) {
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets << window;
    for (QWidget* w : widgets) {
        const std::string name = where + ":" + w->objectName().toStdString();
        EXPECT_FALSE(IsUntranslated(w->toolTip()))
            << name << " hint " << w->toolTip().toStdString();
        EXPECT_FALSE(IsUntranslated(w->windowTitle())) << name;
        if (!w->isVisibleTo(window))
            continue;
        QString text;
        if (auto* label = qobject_cast<QLabel*>(w))
            text = label->text();
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
            text = button->text();
        if (text.isEmpty())
            continue;
        EXPECT_FALSE(IsUntranslated(text)) << name << " shows " << text.toStdString();
        auto* label = qobject_cast<QLabel*>(w);
        if (label && label->wordWrap())
            continue;
        EXPECT_GE(w->width(), w->minimumSizeHint().width())
            << name << " cuts \"" << text.toStdString() << "\"";
    }
    for (QMenu* menu : window->findChildren<QMenu*>())
        for (QAction* action : menu->actions())
            EXPECT_FALSE(IsUntranslated(action->text()))
                << where << " menu " << action->text().toStdString();
    if (auto* list = window->findChild<QListWidget*>("ListBox1"))
        for (int i = 0; i < list->count(); ++i) {
            const QString item = list->item(i)->text();
            EXPECT_FALSE(IsUntranslated(item)) << where << " section " << i;
            EXPECT_LE(list->fontMetrics().horizontalAdvance(item) + 8, list->viewport()->width())
                << where << " section " << item.toStdString() << " is cut";
        }
}

void SaveScreenshot(QWidget* widget, const QString& name) {
    const QString folder = KW_SCREENSHOT_DIR;
    QDir().mkpath(folder);
    EXPECT_TRUE(widget->grab().save(folder + "/" + name + ".png")) << name.toStdString();
}

} // namespace kw::test
