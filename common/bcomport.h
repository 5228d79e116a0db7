#pragma once
// A serial port over QSerialPort: received bytes come out on the port's (UI) thread in ordered
// batches of at most 96 bytes; writes may come from any thread.

#include "serialline.h"

#include <QSerialPort>
#include <atomic>

class TBComPort : public TSerialLine {
  Q_OBJECT
public:
  static constexpr int BatchSize = 96;
  static constexpr int DriverBufferSize = 2048;

  explicit TBComPort(QObject *parent = nullptr);
  ~TBComPort() override;

  bool Open(const QString &name, qint32 baudRate, QString *error) override;
  void Close() override;
  bool IsOpen() const override { return Opened.load(); }
  bool SetBaudRate(qint32 baudRate) override;
  bool Write(const QByteArray &bytes) override;
  void PurgeInput() override;
  void PurgeOutput() override;

  // Names of the serial ports present on the computer.
  static QStringList EnumPorts();

private:
  void ReadBatch();
  void WriteNow(const QByteArray &bytes);

  QSerialPort Port;
  std::atomic<bool> Opened{false};
  bool BatchQueued = false;
};
