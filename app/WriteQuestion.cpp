#include "WriteQuestion.h"

#include "FormatText.h"
#include "Language.h"
#include "TranslateWidgets.h"
#include "Words.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace word = kw::word;

CWriteQuestion::CWriteQuestion(CLanguage& language, const std::vector<kw::TDifferenceRow>& rows,
                               const std::string& time, QWidget* parent)
    : QDialog(parent) {
    setObjectName("WriteQuestion");
    auto text = [&language](int id) { return QString::fromStdString(language.GetText(id)); };
    setWindowTitle(text(word::kProgramName));
    auto* question = new QLabel(this);
    question->setObjectName("QuestionLabel");
    question->setWordWrap(true);
    question->setText(QString::fromStdString(
        kw::FormatText(language.GetText(word::kWriteWillChange),
                       {std::to_string(rows.size()), kw::BackupTimeText(time).toStdString()})));
    auto* list = new QTreeWidget(this);
    list->setObjectName("DifferenceList");
    kw::SetUpDifferenceList(*list, language);
    kw::FillDifferenceList(*list, rows);

    QDialogButtonBox* buttons =
        kw::MakeDialogButtons(this, "WriteButton", word::kWriteAnyway, "CancelButton");
    auto* write = findChild<QPushButton*>("WriteButton");
    auto* cancel = findChild<QPushButton*>("CancelButton");
    write->setText(text(word::kWriteAnyway));
    cancel->setText(text(word::kCancel));
    // Enter must not overwrite a gateway: Cancel is the default here.
    write->setDefault(false);
    cancel->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(question);
    layout->addWidget(list);
    layout->addWidget(buttons);
    resize(720, 320);
}
