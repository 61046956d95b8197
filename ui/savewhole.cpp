#include "savewhole.h"

#include <QSaveFile>

namespace automaten {

bool SaveWhole(const QString& path, const QByteArray& bytes, QString& error, QFileDevice::Permissions permissions) {
  QSaveFile file(path);
  if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
      (permissions == QFileDevice::Permissions() || file.setPermissions(permissions)) &&
      file.write(bytes) == bytes.size() && file.flush() && file.error() == QFileDevice::NoError && file.commit())
    return true;
  error = file.errorString();
  file.cancelWriting();
  return false;
}

}  // namespace automaten
