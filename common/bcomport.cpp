#include "bcomport.h"

#include <QMetaObject>
#include <QSerialPortInfo>
#include <QThread>

TBComPort::TBComPort(QObject *parent) : TSerialLine(parent)
{
  connect(&Port, &QSerialPort::readyRead, this, &TBComPort::ReadBatch);
  // Line errors are not the link's business: a framing error only costs the bytes it spoiled,
  // and the receive window skips them. A device that vanished (cable pulled, adapter gone) is
  // let go of quietly but the port stays open for the program: the link goes silent, and the
  // user ends it with Disconnect as after any lost line.
  connect(&Port, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError e) {
    if (e == QSerialPort::ResourceError && Port.isOpen())
      Port.close();
  });
}

TBComPort::~TBComPort() { Close(); }

bool TBComPort::Open(const QString &name, qint32 baudRate, QString *error)
{
  if (Port.isOpen())
    Close();
  Port.setPortName(name);
  Port.setBaudRate(baudRate);
  Port.setDataBits(QSerialPort::Data8);
  Port.setParity(QSerialPort::NoParity);
  Port.setStopBits(QSerialPort::OneStop);
  Port.setFlowControl(QSerialPort::NoFlowControl);
  if (!Port.open(QIODevice::ReadWrite)) {
    if (error)
      *error = Port.errorString();
    Port.clearError();
    return false;
  }
  // A pseudo-terminal has no modem lines; failing to raise them is not a failure to open.
  Port.setDataTerminalReady(true);
  Port.setRequestToSend(true);
  Port.clearError();
  Port.clear(QSerialPort::AllDirections);
  Opened.store(true);
  return true;
}

void TBComPort::Close()
{
  Opened.store(false);
  if (Port.isOpen())
    Port.close();
  Port.clearError();
}

bool TBComPort::SetBaudRate(qint32 baudRate) { return Port.setBaudRate(baudRate); }

bool TBComPort::Write(const QByteArray &bytes)
{
  if (!IsOpen())
    return false;
  if (QThread::currentThread() == thread()) {
    WriteNow(bytes);
    return true;
  }
  // QSerialPort belongs to its own thread; a write from the polling thread is handed over.
  QMetaObject::invokeMethod(this, [this, bytes] { WriteNow(bytes); }, Qt::QueuedConnection);
  return true;
}

void TBComPort::WriteNow(const QByteArray &bytes)
{
  if (!Port.isOpen())
    return;
  Port.write(bytes);
}

void TBComPort::PurgeInput()
{
  if (Port.isOpen())
    Port.clear(QSerialPort::Input);
}

void TBComPort::PurgeOutput()
{
  if (Port.isOpen())
    Port.clear(QSerialPort::Output);
}

void TBComPort::ReadBatch()
{
  BatchQueued = false;
  if (!Port.isOpen())
    return;
  const QByteArray batch = Port.read(BatchSize);
  // readyRead does not fire again for bytes already buffered: come back for them at once,
  // after whatever else waits in the event queue.
  if (Port.bytesAvailable() > 0 && !BatchQueued) {
    BatchQueued = true;
    QMetaObject::invokeMethod(this, &TBComPort::ReadBatch, Qt::QueuedConnection);
  }
  if (!batch.isEmpty())
    Q_EMIT BytesReceived(batch);
}

QStringList TBComPort::EnumPorts()
{
  QStringList names;
  for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
    names << info.systemLocation();
  return names;
}
