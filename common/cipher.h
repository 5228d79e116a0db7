#pragma once
// The byte-shift cipher of calibration files: every byte on disk is the plain byte plus the shift,
// modulo 256. Applied in memory only; the file on disk is never deciphered in place.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class TCipher {
public:
  static constexpr int DefaultShift = 13;

  // The shift is the key when the key is a whole number from 1 to 255, DefaultShift otherwise.
  explicit TCipher(const QString &key);

  int Shift() const;
  QByteArray Encipher(QByteArrayView plain) const;
  QByteArray Decipher(QByteArrayView enciphered) const;

  static int ShiftFromKey(const QString &key);

private:
  int FShift;
};

// The key every calibration file is written with. It is not a number, so the shift is 13.
extern const QString CalibrationCipherKey;
