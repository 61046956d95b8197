// A file system of 16 KiB of its own (a tmpfs, which needs root), for the
// tests of a full disk; unmounted when the test ends.
#pragma once

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>

namespace automaten::testing {

class SmallDisk {
 public:
  // Mounts at `folder` (made when missing); Ready() tells whether it worked.
  explicit SmallDisk(const QString& folder) : at_(folder) {
    if (::geteuid() != 0) return;
    QDir().mkpath(at_);
    mounted_ =
        QProcess::execute(QStringLiteral("mount"), {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                                    QStringLiteral("size=16k"), QStringLiteral("tmpfs"), at_}) == 0;
  }
  ~SmallDisk() {
    if (mounted_) QProcess::execute(QStringLiteral("umount"), {at_});
  }
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  bool Ready() const { return mounted_; }
  // Fills what room is left with a file of its own.
  bool Fill() const {
    QFile filler(at_ + QStringLiteral("/filler"));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return false;
    const QByteArray block(512, 'x');
    while (filler.write(block) == block.size()) {
    }
    return true;
  }

 private:
  QString at_;
  bool mounted_ = false;
};

}  // namespace automaten::testing
