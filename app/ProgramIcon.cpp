#include "ProgramIcon.h"

#include "ProgramVersion.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace kw {

QIcon ProgramIcon(const std::string& dataRoot) {
    const QDir hicolor(QString::fromStdString(dataRoot) + "icons/hicolor");
    const QString file = QString("apps/%1.png").arg(kDesktopId);
    static const QRegularExpression sizeFolder("^(\\d+)x\\1$");
    QIcon icon;
    for (const QString& folder : hicolor.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QRegularExpressionMatch match = sizeFolder.match(folder);
        const QString path = hicolor.filePath(folder + "/" + file);
        if (match.hasMatch() && QFileInfo::exists(path)) {
            const int size = match.captured(1).toInt();
            icon.addFile(path, QSize(size, size));
        }
    }
    return icon.isNull() ? QIcon::fromTheme(kDesktopId) : icon;
}

} // namespace kw
