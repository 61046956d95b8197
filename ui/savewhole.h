// A file written whole through QSaveFile, unbuffered, so that the reason of a
// failed write (a full disk) is the system's and not an unknown one.
#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>

namespace automaten {

// False with the reason; the file that was there stays as it was. With
// `permissions`, the new file gets them.
bool SaveWhole(const QString& path, const QByteArray& bytes, QString& error,
               QFileDevice::Permissions permissions = QFileDevice::Permissions());

}  // namespace automaten
