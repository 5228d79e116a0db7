#pragma once
// The narrow interface the link needs of a serial line. TBComPort implements it over a real
// port; tests implement it with a scripted line.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

class TSerialLine : public QObject {
  Q_OBJECT
public:
  using QObject::QObject;

  // Opens the named port with 8N1, no flow control, DTR and RTS raised. Tries once; on failure
  // the reason is in error.
  virtual bool Open(const QString &name, qint32 baudRate, QString *error) = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;            // any thread
  virtual bool SetBaudRate(qint32 baudRate) = 0;
  virtual bool Write(const QByteArray &bytes) = 0;   // any thread; one writer at a time
  virtual void PurgeInput() = 0;
  virtual void PurgeOutput() = 0;

Q_SIGNALS:
  // Received bytes, on the line's thread, in order, at most 96 bytes a batch.
  void BytesReceived(const QByteArray &batch);
};
