// The simulator's end of the serial line: a pseudo-terminal whose slave side a
// symlink names. The simulator usually keeps a descriptor of the slave open
// itself, so the master never sees a hang-up between the tool's opens;
// dropping the line closes both, which the tool then sees as a hang-up. A line
// that must notice the tool closing the port (a modem's DTR) keeps none.
#pragma once

#include <string>

namespace kw::sim {

class PtyLine {
public:
    PtyLine() = default;
    PtyLine(const PtyLine&) = delete;
    PtyLine& operator=(const PtyLine&) = delete;
    ~PtyLine(); // drops the line

    // Creates the pseudo-terminal in raw mode and points linkPath at its slave;
    // without keepSlave the slave is closed again once set up.
    bool Open(const std::string& linkPath, std::string& error, bool keepSlave = true);
    // Closes both ends and removes the symlink if it still names our slave.
    void Drop();

    int Master() const { return m_Master; }
    // Bytes sent that the tool has not read yet.
    int Unread() const;
    const std::string& SlaveName() const { return m_SlaveName; }

private:
    void RemoveLink();

    int m_Master = -1;
    int m_KeptSlave = -1;
    std::string m_SlaveName;
    std::string m_Link;
};

} // namespace kw::sim
