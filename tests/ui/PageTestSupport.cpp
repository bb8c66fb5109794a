#include "PageTestSupport.h"

#include "DForm.h"
#include "Language.h"
#include "ParameterCatalogue.h"
#include "Parameters.h"
#include "RandomConfiguration.h"

#include <QApplication>
#include <QDir>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPixmap>
#include <QTest>

#include <gtest/gtest.h>

namespace kw::test {

Snapshot TakeSnapshot(const CParameters& parameters) {
    Snapshot snapshot;
    for (const auto& [name, record] : parameters.Records())
        snapshot[name] = record.Values;
    return snapshot;
}

std::vector<std::string> ChangedNames(const Snapshot& before, const Snapshot& after) {
    std::vector<std::string> changed;
    for (const auto& [name, values] : before) {
        const auto it = after.find(name);
        if (it == after.end() || it->second != values)
            changed.push_back(name);
    }
    return changed;
}

void FillShowable(TFDForm& page, CParameters& parameters, std::mt19937& random,
                  const std::string& variant) {
    FillRandom(parameters, random);
    parameters.SetValue("HWVer", 0, variant);
    page.ToControls();
    page.FromControls();
    parameters.m_Modified = false;
}

void FillAwayFromDefaults(CParameters& parameters, std::mt19937& random) {
    FillRandom(parameters, random);
    // Rows that came out at their default take values from further random
    // configurations until none is left (a few rounds at most).
    CParameters scratch;
    RegisterCatalogue(scratch);
    constexpr int kRounds = 100;
    for (int round = 0; round < kRounds; ++round) {
        bool atDefault = false;
        FillRandom(scratch, random);
        for (const auto& [name, record] : parameters.Records())
            for (int32_t row = 0; row < record.Count; ++row)
                if (record.Values[row] == record.Type->m_Default) {
                    atDefault = true;
                    parameters.SetValue(name, row, scratch.GetValue(name, row));
                }
        if (!atDefault)
            break;
    }
    parameters.m_Modified = false;
}

void ExpectLoadStoreKeepsRegistry(TFDForm& page, CParameters& parameters) {
    const Snapshot before = TakeSnapshot(parameters);
    parameters.m_Modified = false;
    page.LoadPage();
    page.StorePage();
    EXPECT_EQ(ChangedNames(before, TakeSnapshot(parameters)), std::vector<std::string>{});
    EXPECT_FALSE(parameters.m_Modified);
}

void LeaveField(QWidget* control) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(control, &out);
}

void TypeInto(QWidget* control, const std::string& text) {
    auto* edit = qobject_cast<QLineEdit*>(control);
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, QString::fromStdString(text));
}

void LoadInstalledLanguage(CLanguage& language, const std::string& id, const std::string& variant) {
    language.Init(KW_PROGRAM_DIR "/");
    const int lang = language.FindLangById(id);
    ASSERT_GE(lang, 0) << id;
    language.Load(lang, variant);
}

std::string SaveShot(QWidget* widget, const std::string& name) {
    const QString folder = QStringLiteral(KW_SHOT_DIR);
    QDir().mkpath(folder);
    const QString path = folder + "/" + QString::fromStdString(name) + ".png";
    EXPECT_TRUE(widget->grab().save(path)) << path.toStdString();
    return path.toStdString();
}

} // namespace kw::test
