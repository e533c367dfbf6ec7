#include "support/utf8.h"

#include <QByteArray>
#include <QString>

bool IsUtf8(std::string_view text) {
  // Decoding replaces what is not UTF-8, so only UTF-8 comes back unchanged.
  const QByteArray bytes(text.data(), static_cast<qsizetype>(text.size()));
  return QString::fromUtf8(bytes).toUtf8() == bytes;
}
