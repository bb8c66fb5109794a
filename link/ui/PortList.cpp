#include "PortList.h"

#include "Win1252.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QSerialPortInfo>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace kw {
namespace {

// "ttyS10" after "ttyS2": digit runs compare by value.
bool NaturalLess(const std::string& a, const std::string& b) {
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (std::isdigit(static_cast<unsigned char>(a[i])) &&
            std::isdigit(static_cast<unsigned char>(b[j]))) {
            size_t ei = i;
            size_t ej = j;
            while (ei < a.size() && std::isdigit(static_cast<unsigned char>(a[ei])))
                ++ei;
            while (ej < b.size() && std::isdigit(static_cast<unsigned char>(b[ej])))
                ++ej;
            const std::string na = a.substr(i, ei - i);
            const std::string nb = b.substr(j, ej - j);
            const size_t za = na.find_first_not_of('0');
            const size_t zb = nb.find_first_not_of('0');
            const std::string va = za == std::string::npos ? "" : na.substr(za);
            const std::string vb = zb == std::string::npos ? "" : nb.substr(zb);
            if (va.size() != vb.size())
                return va.size() < vb.size();
            if (va != vb)
                return va < vb;
            i = ei;
            j = ej;
            continue;
        }
        if (a[i] != b[j])
            return a[i] < b[j];
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

// The by-id names point at the devices; the list shows them beside the path.
std::string ByIdName(const std::string& path) {
    const QDir byId("/dev/serial/by-id");
    for (const QFileInfo& entry :
         byId.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot)) {
        if (entry.canonicalFilePath().toStdString() == path)
            return entry.fileName().toStdString();
    }
    return {};
}

bool IsCharacterDevice(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISCHR(info.st_mode);
}

} // namespace

bool PortHeldElsewhere(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == EBUSY || errno == EACCES;
    bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    if (!held && ::ioctl(fd, TIOCEXCL) != 0)
        held = errno == EBUSY;
    if (!held)
        ::ioctl(fd, TIOCNXCL);
    ::close(fd); // closing drops the lock too
    return held;
}

std::vector<TPortInfo> SystemPorts() {
    std::vector<TPortInfo> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        TPortInfo port;
        port.path = info.systemLocation().toStdString();
        QString text = info.manufacturer();
        if (!info.description().isEmpty() && info.description() != text)
            text += (text.isEmpty() ? "" : " ") + info.description();
        port.description = text.toStdString();
        port.byId = ByIdName(port.path);
        port.inUse = PortHeldElsewhere(port.path);
        ports.push_back(port);
    }
    return ports;
}

std::string PortListText(const TPortInfo& port, const std::string& inUseText) {
    std::string text = port.path;
    std::string about = port.description;
    if (!port.byId.empty())
        about += (about.empty() ? "" : ", ") + port.byId;
    if (!about.empty())
        text += " (" + about + ")";
    if (port.inUse)
        text += " " + inUseText;
    return text;
}

void FillPortList(QComboBox& list, const std::string& wanted, std::vector<TPortInfo> ports,
                  const std::string& inUseText) {
    list.clear();
    std::sort(ports.begin(), ports.end(),
              [](const TPortInfo& a, const TPortInfo& b) { return NaturalLess(a.path, b.path); });
    const bool listed = std::any_of(ports.begin(), ports.end(),
                                    [&](const TPortInfo& p) { return p.path == wanted; });
    if (!listed && !wanted.empty() && wanted.rfind("/", 0) == 0 && IsCharacterDevice(wanted))
        ports.push_back({wanted, {}, {}, false});
    for (const TPortInfo& port : ports)
        list.addItem(QString::fromStdString(PortListText(port, inUseText)),
                     QString::fromStdString(port.path));
    if (ports.empty())
        for (int n = 1; n <= 8; ++n) {
            const QString name = QString("Com%1").arg(n);
            list.addItem(name, name);
        }
    const int found = list.findData(QString::fromStdString(wanted));
    list.setCurrentIndex(found >= 0 ? found : 0);
    // The path first: a long description must not push it out of sight.
    if (QLineEdit* edit = list.lineEdit())
        edit->setCursorPosition(0);
    if (QAbstractItemView* view = list.view())
        view->setMinimumWidth(view->sizeHintForColumn(0) + 24);
}

std::string PortOfList(const QComboBox& list) {
    const int index = list.currentIndex();
    const QString text = list.currentText().trimmed();
    if (index >= 0 && text == list.itemText(index))
        return list.itemData(index).toString().toStdString();
    return text.isEmpty() ? "Com1" : text.toStdString();
}

} // namespace kw
