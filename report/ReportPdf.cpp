// The report's PDF: the HTML laid out by Qt's text document on A4 pages.
#include "ConfigReport.h"

#include <QFile>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

namespace kw::report {

bool WritePdf(const std::string& html, const std::string& file) {
    QFile out(QString::fromStdString(file));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    {
        QPdfWriter writer(&out);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        writer.setTitle(QStringLiteral("KolbraWin"));
        QTextDocument document;
        document.setHtml(QString::fromUtf8(html.data(), static_cast<qsizetype>(html.size())));
        document.print(&writer);
    }
    out.close();
    return out.error() == QFileDevice::NoError && out.size() > 0;
}

} // namespace kw::report
