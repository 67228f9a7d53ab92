#pragma once
#include <QByteArray>
#include <QString>

namespace sonaplex {

// What identifies a file's present state: device, inode, size, modification and change times
// (the change time cannot be set by tools). Empty for anything but a regular file.
QString fileStamp(const QString& path);

// Whether files still have the stamps they had (fileStamp), checked one after
// another; files in the same folder one after another are the quickest.
class StampCheck {
public:
    StampCheck() = default;
    StampCheck(const StampCheck&) = delete;
    StampCheck& operator=(const StampCheck&) = delete;
    ~StampCheck() { close(); }
    // False for an empty stamp, or a file that is not there or not a regular file.
    bool matches(const QString& path, const QString& stamp);

private:
    void close();
    QByteArray folder_;
    int fd_ = -1;
};

} // namespace sonaplex
