#include "programtext.h"

#include <string>

#include "io/cp1252.h"
#include "machinetext.h"

namespace automaten {

QString NormalizeLineEnds(const QString& text) {
  QString out = text;
  out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return out;
}

QString DecodeProgram(const QByteArray& bytes) {
  const std::string raw(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  const QString text = ReadsAsUtf8(raw) ? QString::fromUtf8(bytes) : FromMachine(raw);
  return NormalizeLineEnds(text);
}

QByteArray EncodeProgram(const QString& text) {
  QString crlf = NormalizeLineEnds(text);
  crlf.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  const std::string bytes = ToMachine(crlf);
  // The code page holds the text exactly when it comes back unchanged. Bytes
  // that would read back as UTF-8 (such as "Ã¤") are written as UTF-8 too, so
  // the file reads back as the same text.
  if (FromMachine(bytes) == crlf && !ReadsAsUtf8(bytes))
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
  return crlf.toUtf8();
}

}  // namespace automaten
