// The routing page's Export… and Import…: the table of the sheet in view to and
// from a spreadsheet file (sheets/RoutingTableCsv).
#include "SmerovaciTabulka.h"

#include "InstalledLanguages.h"
#include "Language.h"
#include "Parameters.h"
#include "ProgramFolder.h"
#include "RoutingTableCsv.h"
#include "UserPort.h"
#include "Words.h"

#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>

namespace {

// At most this many bad cells are listed in the message.
constexpr size_t kFaultsShown = 12;

// The sheets in the order of the tab control.
kw::sheets::Table TableOfSheet(const QWidget* sheet) {
    const QString name = sheet != nullptr ? sheet->objectName() : QString();
    if (name == QLatin1String("TabSheet2"))
        return kw::sheets::Table::Fxo;
    if (name == QLatin1String("TabSheet3"))
        return kw::sheets::Table::Gsm;
    if (name == QLatin1String("TabSheet4"))
        return kw::sheets::Table::Banks;
    return kw::sheets::Table::Fxs;
}

} // namespace

void TFSmerovaciTabulka::BuildTableButtons() {
    auto* corner = new QWidget(MainTabs());
    corner->setObjectName("TableFileButtons");
    auto* layout = new QHBoxLayout(corner);
    layout->setContentsMargins(0, 0, 2, 2);
    m_ExportButton = new QPushButton(corner);
    m_ExportButton->setObjectName("TableExportButton");
    m_ExportButton->setProperty("tag", kw::word::kExportTable);
    m_ImportButton = new QPushButton(corner);
    m_ImportButton->setObjectName("TableImportButton");
    m_ImportButton->setProperty("tag", kw::word::kImportTable);
    layout->addWidget(m_ExportButton);
    layout->addWidget(m_ImportButton);
    MainTabs()->setCornerWidget(corner, Qt::TopRightCorner);
    connect(m_ExportButton, &QPushButton::clicked, this, [this] { ExportTableClicked(); });
    connect(m_ImportButton, &QPushButton::clicked, this, [this] { ImportTableClicked(); });
    m_AskFile = [this](bool save) -> std::optional<std::string> {
        const QString filter =
            QString::fromStdString(Language().GetText(kw::word::kCsvFilter)).replace("|", ";;");
        const QString file = save ? QFileDialog::getSaveFileName(this, {}, {}, filter)
                                  : QFileDialog::getOpenFileName(this, {}, {}, filter);
        if (file.isEmpty())
            return std::nullopt;
        return file.toStdString();
    };
}

bool TFSmerovaciTabulka::ExportTableTo(const std::string& file) {
    // What the grids hold now, edits in progress included.
    StorePage();
    const std::string csv = kw::sheets::ExportTable(
        Parameters(), TableOfSheet(MainTabs()->currentWidget()), Language());
    QFile out(QString::fromStdString(file));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        out.write(csv.data(), static_cast<qint64>(csv.size())) != static_cast<qint64>(csv.size()) ||
        !out.flush()) {
        Host().UserPort().ShowMessage(CUserPort::Icon::Error, kw::word::kCannotWriteFile, {},
                                      {file});
        return false;
    }
    return true;
}

bool TFSmerovaciTabulka::ImportTableFrom(const std::string& file) {
    QFile in(QString::fromStdString(file));
    if (!in.open(QIODevice::ReadOnly)) {
        Host().UserPort().ShowMessage(CUserPort::Icon::Error, kw::word::kCannotReadFile, {},
                                      {file});
        return false;
    }
    // A file too large for a table is read only so far that the import refuses it.
    const QByteArray bytes = in.read(static_cast<qint64>(kw::sheets::kMaxCsvBytes) + 1);
    StorePage();
    const kw::sheets::CInstalledLanguages languages(kw::ProgramFolder(), ConfigurationVariant());
    const std::vector<kw::sheets::TCellFault> faults = kw::sheets::ImportTable(
        Parameters(), TableOfSheet(MainTabs()->currentWidget()),
        std::string_view(bytes.constData(), size_t(bytes.size())), languages.All());
    if (!faults.empty()) {
        std::string list;
        for (size_t i = 0; i < faults.size() && i < kFaultsShown; ++i)
            list += (i ? "\n" : "") + kw::sheets::DescribeFault(faults[i], Language());
        if (faults.size() > kFaultsShown)
            list += "\n…";
        Host().UserPort().ShowMessage(CUserPort::Icon::Error, kw::word::kTableNotImported, {},
                                      {list});
        return false;
    }
    const int sheet = MainTabs()->currentIndex();
    LoadPage();
    MainTabs()->setCurrentIndex(sheet);
    emit TableImported();
    return true;
}

void TFSmerovaciTabulka::ExportTableClicked() {
    if (const std::optional<std::string> file = m_AskFile(true))
        ExportTableTo(*file);
}

void TFSmerovaciTabulka::ImportTableClicked() {
    if (const std::optional<std::string> file = m_AskFile(false))
        ImportTableFrom(*file);
}
