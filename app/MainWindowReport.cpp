// Application > Export report…: the configuration report (report/ConfigReport)
// of what the pages show, written as PDF or, for a name ending in .html, HTML.
#include "MainWindow.h"

#include "ConfigReport.h"
#include "FileDialogs.h"
#include "SectionArea.h"
#include "UserPort.h"
#include "Words.h"

#include <QDateTime>
#include <QFile>

void TFMain::ExportReportClicked() {
    if (m_HWVer.empty())
        return;
    m_Sections->StoreCurrentPage();
    const std::optional<std::string> file =
        m_FileDialogs->AskSave(Text(kw::word::kReportFilter), "pdf");
    if (!file)
        return;
    const std::string html = kw::report::BuildHtml(
        m_Parameters, m_Language,
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")).toStdString());
    const QString name = QString::fromStdString(*file);
    bool written = false;
    if (name.endsWith(QLatin1String(".html"), Qt::CaseInsensitive) ||
        name.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive)) {
        QFile out(name);
        written = out.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                  out.write(html.data(), static_cast<qint64>(html.size())) ==
                      static_cast<qint64>(html.size()) &&
                  out.flush();
    } else {
        written = kw::report::WritePdf(html, *file);
    }
    if (!written)
        m_Port->ShowMessage(CUserPort::Icon::Error, kw::word::kCannotWriteFile, {}, {*file});
}
