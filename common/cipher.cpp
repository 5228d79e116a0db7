#include "cipher.h"

const QString CalibrationCipherKey = QStringLiteral("Qm7wTx3bL#p9vNc2Rk5yH");

namespace {

QByteArray Shifted(QByteArrayView bytes, int shift) {
  QByteArray out(bytes.size(), Qt::Uninitialized);
  for (qsizetype i = 0; i < bytes.size(); ++i)
    out[i] = static_cast<char>(static_cast<unsigned char>(bytes[i]) + shift);
  return out;
}

} // namespace

TCipher::TCipher(const QString &key) : FShift(ShiftFromKey(key)) {}

int TCipher::ShiftFromKey(const QString &key) {
  bool isNumber = false;
  const int value = key.trimmed().toInt(&isNumber);
  return isNumber && value >= 1 && value <= 255 ? value : DefaultShift;
}

int TCipher::Shift() const { return FShift; }

QByteArray TCipher::Encipher(QByteArrayView plain) const { return Shifted(plain, FShift); }

QByteArray TCipher::Decipher(QByteArrayView enciphered) const {
  return Shifted(enciphered, 256 - FShift);
}
