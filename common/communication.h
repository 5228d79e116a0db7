#pragma once
// TCommunication: the one link to the ECU. It owns the serial line, finds framed packets in the
// received bytes, keeps one slot per answer type, frames and sends requests, waits for answers
// with resends, and notices a silent line. Requests may come from the UI thread (transfers) and
// from the polling thread (live data); received bytes are handled on the UI thread.

#include "framing.h"
#include "liverecord.h"
#include "records.h"
#include "serialline.h"

#include <QFile>
#include <QObject>
#include <QString>
#include <QTimer>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <condition_variable>
#include <mutex>
#include <optional>

// The firmware upload state as the window sees it.
struct SFW {
  std::int32_t Last = -1;     // the last command byte of the bootloader, -1 before any
  std::int32_t Position = 0;  // offset of the next block in the image: the progress in bytes
  bool IdMode = false;        // the bootloader's identification bytes are being collected
  bool LoaderMode = false;    // the upload is running
  QString Id;                 // the identification as upper-case hexadecimal
};

// The image sent to the bootloader: the file's bytes in groups of 64, each followed by the sum
// of its bytes modulo 256. An empty file or one that is not whole groups of 64 bytes is refused
// (a partial group would leave the bootloader asking for bytes from outside the file).
bool BuildFirmwareImage(const QByteArray &file, QByteArray &image, QString *error = nullptr);

class TCommunication : public QObject {
  Q_OBJECT
public:
  static constexpr int DefaultBaudRate = 9600;
  static constexpr int LoaderBaudRate = 57600;
  static constexpr int SilentLineMs = 300;
  static constexpr int LooksPerSend = 56;
  static constexpr int MaxResends = 4;
  // Answers with another address than asked, accepted in a row before an operation fails.
  static constexpr int MaxWrongEchoes = 8;
  static constexpr int ParamsSize = 50;
  static constexpr int ParamsExtSize = 10;

  // line: the serial line to use (taken over); nullptr makes a TBComPort. logPath: the packet
  // log to create, or empty for none.
  explicit TCommunication(QObject *owner = nullptr, const QString &logPath = {}, TSerialLine *line = nullptr);
  ~TCommunication() override;

  // Port.
  bool OpenPort(const QString &portName, qint32 baudRate = DefaultBaudRate);
  QString LastPortError() const;   // the system's reason for the last failed open
  bool ClosePort();
  bool IsPortOpen() const;
  bool IsLinkAlive() const;
  void SetLinkAlive(bool alive);
  QString GetPortName() const;
  void SetPortName(const QString &name);
  static QStringList EnumPorts();
  bool IsLogEnabled() const;

  // Packets.
  static bool HasSlot(std::uint8_t type);
  bool SendRequest(const std::uint8_t *data, int length, std::uint8_t answerType);
  void TakeAnswer(SPacket &record, std::uint8_t answerType);
  void PumpMessages();
  // One batch of received bytes (the line delivers them here; tests call it directly).
  void ComRxChar(const QByteArray &batch);

  // Requests. Reads return the bytes copied (0 on failure), writes whether the ECU acknowledged.
  bool WaitAnswer(SPacket &record, std::uint8_t answerType, int length, const std::uint8_t *request);
  // Fills info from the live packet; identity receives the ECU identity texts at the first poll
  // after the link came up. Returns whether a live packet came.
  bool ReadInfo(SInfo &info, SVersionFirmware &identity);
  bool ReadVersion(SVersionFirmware &identity);
  int ReadParameters(std::uint8_t *dest);
  bool WriteParameters(const std::uint8_t *src);
  int ReadExtraParameters(std::uint8_t *dest);
  bool WriteExtraParameters(const std::uint8_t *src);
  int ReadCalibrationBlock(std::uint8_t *dest, int capacity, std::uint8_t block, std::uint8_t part);
  bool WriteCalibrationBlock(const std::uint8_t *src, int count, std::uint8_t block, std::uint8_t part);
  bool ReadTable(std::uint8_t *dest, int capacity, std::uint8_t index);
  bool WriteTable(const std::uint8_t *src, int count, std::uint8_t index);
  void SetAFRCorrection(double value);
  double AFRCorrection() const;
  bool IsIdentified() const;
  SVersionFirmware Identity() const;

  // Firmware upload through the bootloader (unframed, 57600 baud).
  enum class EUploadStart { Started, FileError, BadImage, PortError };
  // Returns the image length (the progress maximum), 0 when the upload did not start; why is
  // in start and error.
  int StartFirmwareUpload(const QString &fileName, const QString &portName, QString *error = nullptr,
                          EUploadStart *start = nullptr);
  void GetFirmwareState(SFW &state) const;
  void LoaderRxByte(const QByteArray &batch);
  // Ends bootloader mode after a failure seen by the caller (stall, closed port); the last
  // byte then reads "E".
  void AbortFirmwareUpload();

  TSerialLine &Line() { return *SerialLine; }

Q_SIGNALS:
  void LinkAliveChanged(bool alive);

private:
  struct SSlot {
    std::uint8_t Type;
    SPacket Packet;
  };

  SSlot *SlotOfType(std::uint8_t type);
  void StorePacket(std::uint8_t type, const std::uint8_t *payload, int length);
  void LinkTimeout();
  // The common opening of a request: link alive, stale answer discarded, request sent.
  bool StartRequest(const std::uint8_t *request, int length, std::uint8_t answerType);
  // Waits until an answer whose first echoLength payload bytes equal echo arrives.
  bool WaitEcho(SPacket &record, std::uint8_t answerType, int length, const std::uint8_t *request,
                const std::uint8_t *echo, int echoLength);
  // The requests that name an address (block and part, or a table) which the answer echoes.
  int ReadAddressed(std::uint8_t requestType, std::uint8_t answerType, const std::uint8_t *address, int addressLength,
                    std::uint8_t *dest, int capacity);
  bool WriteAddressed(std::uint8_t requestType, std::uint8_t answerType, const std::uint8_t *address,
                      int addressLength, const std::uint8_t *src, int count);
  int ReadBlock(std::uint8_t requestType, std::uint8_t answerType, std::uint8_t *dest, int size);
  bool WriteBlock(std::uint8_t requestType, std::uint8_t answerType, const std::uint8_t *src, int size);
  bool OnLinkThread() const;
  bool WaitAnswerOffLinkThread(SPacket &record, std::uint8_t answerType, int length, const std::uint8_t *request);
  // How long one look of a wait lasts for a request of this length on the current line.
  std::chrono::microseconds LookPeriod(int requestLength) const;
  // After one look: the wait's result when it is over (given up, link lost, answer taken).
  std::optional<bool> LookOutcome(SPacket &record, int resends) const;
  // Wakes a wait on another thread: a packet was stored or the link changed.
  void NotifyWaiters();

  TSerialLine *SerialLine;
  TReceiveWindow Window;
  std::array<SSlot, 13> Slots;
  QTimer LinkTimer;
  QString PortName;
  QString PortError;
  bool LinkAlive = false;
  bool Identified = false;
  SVersionFirmware IdentityRecord;
  double LambdaCorrection = 0.0;
  bool LogEnabled = false;
  QFile PacketLog;
  std::atomic<int> LineBaud{DefaultBaudRate};

  void ResetLoader();
  QByteArray Image;
  bool LoaderMode = false;
  std::int32_t LoaderPos = 0;
  std::int32_t LoaderLast = -1;
  bool LoaderIdMode = false;
  QString LoaderId;

  mutable std::mutex SlotLock;
  mutable std::mutex LinkLock;
  mutable std::mutex PortLock;
  mutable std::mutex LogLock;
  std::mutex WaitLock;   // guards LinkEvents only
  std::condition_variable LinkEvent;
  std::uint64_t LinkEvents = 0;
};
