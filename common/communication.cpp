#include "communication.h"

#include "bcomport.h"

#include <QCoreApplication>
#include <QThread>
#include <algorithm>
#include <chrono>
#include <cstring>
#include <optional>
#include <thread>

namespace {

constexpr std::array<std::uint8_t, 13> AnswerTypes{1, 17, 19, 33, 35, 49, 65, 81, 97, 113, 129, 161, 241};

SPacket ZeroPacket()
{
  SPacket p;
  std::memset(&p, 0, sizeof p);
  return p;
}

void Sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}   // namespace

TCommunication::TCommunication(QObject *owner, const QString &logPath, TSerialLine *line)
    : QObject(owner), SerialLine(line ? line : new TBComPort)
{
  SerialLine->setParent(this);
  for (std::size_t k = 0; k < Slots.size(); ++k)
    Slots[k] = SSlot{AnswerTypes[k], ZeroPacket()};
  connect(SerialLine, &TSerialLine::BytesReceived, this, &TCommunication::ComRxChar);
  LinkTimer.setSingleShot(true);
  LinkTimer.setInterval(SilentLineMs);
  connect(&LinkTimer, &QTimer::timeout, this, &TCommunication::LinkTimeout);
  if (!logPath.isEmpty()) {
    PacketLog.setFileName(logPath);
    // No log is no reason to stop: the program runs on without one.
    // Unbuffered: every record is on disk at once, for a player running beside the session and
    // for whatever a crash would otherwise keep in a buffer.
    LogEnabled = PacketLog.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered);
  }
}

TCommunication::~TCommunication()
{
  ClosePort();
  if (PacketLog.isOpen())
    PacketLog.close();
}

bool TCommunication::OnLinkThread() const { return QThread::currentThread() == thread(); }

// ---------------------------------------------------------------- port

bool TCommunication::OpenPort(const QString &portName, qint32 baudRate)
{
  ClosePort();
  if (!portName.isEmpty())
    SetPortName(portName);
  Window.Clear();
  std::scoped_lock lock(PortLock);
  PortError.clear();
  // One attempt: a port that does not open now is reported, not hammered until it gives in.
  if (!SerialLine->Open(PortName, baudRate, &PortError))
    return false;
  LineBaud = baudRate;
  SerialLine->PurgeInput();
  SerialLine->PurgeOutput();
  return true;
}

QString TCommunication::LastPortError() const
{
  std::scoped_lock lock(PortLock);
  return PortError;
}

bool TCommunication::ClosePort()
{
  SetLinkAlive(false);
  if (OnLinkThread())
    LinkTimer.stop();
  std::scoped_lock lock(PortLock);
  if (SerialLine->IsOpen())
    SerialLine->Close();
  return true;
}

bool TCommunication::IsPortOpen() const
{
  std::scoped_lock lock(PortLock);
  return SerialLine->IsOpen();
}

bool TCommunication::IsLinkAlive() const
{
  std::scoped_lock lock(LinkLock);
  return LinkAlive;
}

void TCommunication::SetLinkAlive(bool alive)
{
  bool changed;
  {
    std::scoped_lock lock(LinkLock);
    changed = LinkAlive != alive;
    LinkAlive = alive;
    if (!alive) {
      // A second ECU plugged in must never show the first one's identity.
      Identified = false;
      IdentityRecord = SVersionFirmware{};
    }
  }
  if (changed) {
    NotifyWaiters();
    Q_EMIT LinkAliveChanged(alive);
  }
}

QString TCommunication::GetPortName() const
{
  std::scoped_lock lock(PortLock);
  return PortName;
}

void TCommunication::SetPortName(const QString &name)
{
  std::scoped_lock lock(PortLock);
  PortName = name;
}

QStringList TCommunication::EnumPorts() { return TBComPort::EnumPorts(); }

bool TCommunication::IsLogEnabled() const
{
  std::scoped_lock lock(LogLock);
  return LogEnabled;
}

// ---------------------------------------------------------------- packets

bool TCommunication::HasSlot(std::uint8_t type)
{
  return std::find(AnswerTypes.begin(), AnswerTypes.end(), type) != AnswerTypes.end();
}

TCommunication::SSlot *TCommunication::SlotOfType(std::uint8_t type)
{
  for (SSlot &slot : Slots)
    if (slot.Type == type)
      return &slot;
  return nullptr;
}

bool TCommunication::SendRequest(const std::uint8_t *data, int length, std::uint8_t answerType)
{
  try {
    {
      std::scoped_lock lock(SlotLock);
      if (!SlotOfType(answerType))
        return false;
    }
    if (!IsPortOpen())
      return false;
    const std::vector<std::uint8_t> frame = Framing::BuildFrame(data, length);
    if (OnLinkThread())
      SerialLine->PurgeOutput();
    return SerialLine->Write(QByteArray(reinterpret_cast<const char *>(frame.data()), qsizetype(frame.size())));
  } catch (...) {
    return false;
  }
}

void TCommunication::TakeAnswer(SPacket &record, std::uint8_t answerType)
{
  std::scoped_lock lock(SlotLock);
  SSlot *slot = SlotOfType(answerType);
  if (!slot) {
    record.Status = SPacket::Empty;
    return;
  }
  if (slot->Packet.Status != SPacket::Waiting)
    return;
  record = slot->Packet;
  slot->Packet = SPacket::MakeEmpty();
}

void TCommunication::PumpMessages()
{
  // On the polling thread there is nothing to dispatch: answers are stored by the UI thread.
  if (OnLinkThread())
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void TCommunication::ComRxChar(const QByteArray &batch)
{
  const int n = int(std::min<qsizetype>(batch.size(), Framing::WindowSize));
  if (n <= 0)
    return;
  if (LoaderMode) {
    LoaderRxByte(batch.left(n));
    return;
  }
  LinkTimer.stop();
  SetLinkAlive(true);
  Window.ScanWindow(reinterpret_cast<const std::uint8_t *>(batch.constData()), n,
                    [this](const TReceiveWindow::SFound &p) { StorePacket(p.Type, p.Payload, p.Length); });
  LinkTimer.start();
}

void TCommunication::StorePacket(std::uint8_t type, const std::uint8_t *payload, int length)
{
  SPacket copy;
  {
    std::scoped_lock lock(SlotLock);
    SSlot *slot = SlotOfType(type);
    if (!slot)
      return;
    SPacket &p = slot->Packet;
    std::memset(&p, 0, sizeof p);
    std::memcpy(p.Data, payload, std::size_t(std::clamp(length, 0, SPacket::DataSize)));
    p.Length = length;
    p.Status = SPacket::Waiting;
    p.Type = type;
    copy = p;
  }
  NotifyWaiters();
  std::scoped_lock lock(LogLock);
  if (LogEnabled)
    PacketLog.write(reinterpret_cast<const char *>(&copy), sizeof copy);   // a failed write is not retried
}

void TCommunication::LinkTimeout()
{
  LinkTimer.stop();
  SetLinkAlive(false);
  if (IsPortOpen()) {
    SerialLine->PurgeInput();
    SerialLine->PurgeOutput();
  }
}

// ---------------------------------------------------------------- requests

bool TCommunication::WaitAnswer(SPacket &record, std::uint8_t answerType, int length, const std::uint8_t *request)
{
  if (!OnLinkThread())
    return WaitAnswerOffLinkThread(record, answerType, length, request);
  int polls = 0;
  int resends = 0;
  for (;;) {
    TakeAnswer(record, answerType);
    PumpMessages();
    if (polls > LooksPerSend - 1) {
      Sleep(5);
      SendRequest(request, length, answerType);
      polls = 0;
      ++resends;
    }
    std::this_thread::sleep_for(LookPeriod(length));
    ++polls;
    if (const std::optional<bool> done = LookOutcome(record, resends))
      return *done;
  }
}

// Off the UI thread nothing needs dispatching between looks, so instead of waking every
// millisecond to look, the thread sleeps until a packet is stored or the link drops, or until the
// moment the 56th look would have come: the same resends at the same times, without a thousand
// wake-ups a second on the polling thread.
bool TCommunication::WaitAnswerOffLinkThread(SPacket &record, std::uint8_t answerType, int length,
                                             const std::uint8_t *request)
{
  using Clock = std::chrono::steady_clock;
  const auto lookPeriod = LookPeriod(length);
  int resends = 0;
  auto resendAt = Clock::now() + LooksPerSend * lookPeriod;
  for (;;) {
    std::uint64_t seen;
    {
      std::scoped_lock lock(WaitLock);
      seen = LinkEvents;
    }
    TakeAnswer(record, answerType);
    if (Clock::now() >= resendAt) {
      Sleep(5);
      SendRequest(request, length, answerType);
      ++resends;
      resendAt = Clock::now() + LooksPerSend * lookPeriod;
    }
    if (const std::optional<bool> done = LookOutcome(record, resends))
      return *done;
    std::unique_lock lock(WaitLock);
    LinkEvent.wait_until(lock, resendAt, [&] { return LinkEvents != seen; });
  }
}

std::chrono::microseconds TCommunication::LookPeriod(int requestLength) const
{
  // The looks and resends keep their counts; how long a look lasts follows the line. A 1 ms look
  // resends after about 60 ms, while at 9600 baud a block write alone is 74 ms on the line and
  // its answer may wait behind a live packet: every request would go out twice, and the second
  // copy's answer would meet the next request. So the wait before a resend covers the request,
  // the longest answer and a live packet ahead of it on the line.
  const int lineBytes = requestLength + 7 + SPacket::DataSize + 32;
  const qint64 wireMicroseconds = qint64(lineBytes) * 10 * 1000000 / std::max(LineBaud.load(), 1);
  return std::chrono::microseconds(std::clamp<qint64>(wireMicroseconds / LooksPerSend, 1000, 5000));
}

std::optional<bool> TCommunication::LookOutcome(SPacket &record, int resends) const
{
  if (resends > MaxResends - 1) {
    record = SPacket::MakeEmpty();
    return false;
  }
  if (!IsLinkAlive()) {
    record.Status = SPacket::Empty;
    return false;
  }
  if (record.Status == SPacket::Waiting) {
    record.Status = SPacket::Empty;
    return true;
  }
  return std::nullopt;
}

void TCommunication::NotifyWaiters()
{
  {
    std::scoped_lock lock(WaitLock);
    ++LinkEvents;
  }
  LinkEvent.notify_all();
}

bool TCommunication::StartRequest(const std::uint8_t *request, int length, std::uint8_t answerType)
{
  if (!IsLinkAlive())
    return false;
  // A late answer to an earlier, given-up request must never pass as this one's.
  SPacket stale = SPacket::MakeEmpty();
  TakeAnswer(stale, answerType);
  return SendRequest(request, length, answerType);
}

bool TCommunication::WaitEcho(SPacket &record, std::uint8_t answerType, int length, const std::uint8_t *request,
                              const std::uint8_t *echo, int echoLength)
{
  int wrongEchoes = 0;
  while (std::memcmp(record.Data, echo, std::size_t(echoLength)) != 0) {
    if (!WaitAnswer(record, answerType, length, request))
      return false;
    if (std::memcmp(record.Data, echo, std::size_t(echoLength)) != 0 && ++wrongEchoes > MaxWrongEchoes)
      return false;
  }
  return true;
}

bool TCommunication::ReadInfo(SInfo &info, SVersionFirmware &identity)
{
  SPacket record = SPacket::MakeEmpty();
  const std::uint8_t request = 0;
  const bool came = WaitAnswer(record, 1, 1, &request);
  bool identify;
  {
    std::scoped_lock lock(LinkLock);
    identify = LinkAlive && !Identified;
  }
  if (identify) {
    SVersionFirmware read;
    if (ReadVersion(read)) {
      std::scoped_lock lock(LinkLock);
      // Identified only when the identity answer came, so a missed answer is asked again.
      if (LinkAlive) {
        IdentityRecord = read;
        Identified = true;
      }
      identity = read;
      info.EcuIdentity.VersionTextRef = 0;
      info.EcuIdentity.IdTextRef = 0;
      info.EcuIdentity.Flags = read.Flags;
    }
  }
  DecodeLivePacket(record, AFRCorrection(), info);
  info.ReadTime = ToDayCount(QDateTime::currentDateTime());
  info.Raw = record;
  return came;
}

bool TCommunication::ReadVersion(SVersionFirmware &identity)
{
  const std::uint8_t request = 240;
  if (!StartRequest(&request, 1, 241))
    return false;
  SPacket record = SPacket::MakeEmpty();
  if (!WaitAnswer(record, 241, 1, &request))
    return false;
  identity = DecodeVersionAnswer(record);
  return true;
}

int TCommunication::ReadBlock(std::uint8_t requestType, std::uint8_t answerType, std::uint8_t *dest, int size)
{
  try {
    if (!StartRequest(&requestType, 1, answerType))
      return 0;
    SPacket record = SPacket::MakeEmpty();
    while (record.Type != answerType)
      if (!WaitAnswer(record, answerType, 1, &requestType))
        return 0;
    std::memcpy(dest, record.Data, std::size_t(size));   // bytes beyond the answer's length are 0
    return record.Length;
  } catch (...) {
    return 0;
  }
}

bool TCommunication::WriteBlock(std::uint8_t requestType, std::uint8_t answerType, const std::uint8_t *src, int size)
{
  try {
    std::array<std::uint8_t, 1 + ParamsSize> request{};
    request[0] = requestType;
    std::memcpy(request.data() + 1, src, std::size_t(size));
    if (!StartRequest(request.data(), size + 1, answerType))
      return false;
    SPacket record = SPacket::MakeEmpty();
    return WaitAnswer(record, answerType, size + 1, request.data());
  } catch (...) {
    return false;
  }
}

int TCommunication::ReadParameters(std::uint8_t *dest) { return ReadBlock(16, 17, dest, ParamsSize); }
bool TCommunication::WriteParameters(const std::uint8_t *src) { return WriteBlock(32, 33, src, ParamsSize); }
int TCommunication::ReadExtraParameters(std::uint8_t *dest) { return ReadBlock(18, 19, dest, ParamsExtSize); }
bool TCommunication::WriteExtraParameters(const std::uint8_t *src) { return WriteBlock(34, 35, src, ParamsExtSize); }

int TCommunication::ReadAddressed(std::uint8_t requestType, std::uint8_t answerType, const std::uint8_t *address,
                                  int addressLength, std::uint8_t *dest, int capacity)
{
  try {
    std::array<std::uint8_t, 3> request{requestType};
    std::memcpy(request.data() + 1, address, std::size_t(addressLength));
    if (!StartRequest(request.data(), addressLength + 1, answerType))
      return 0;
    SPacket record = SPacket::MakeEmpty();
    if (!WaitEcho(record, answerType, addressLength + 1, request.data(), address, addressLength))
      return 0;
    const int count = std::min(record.Length - addressLength, capacity);
    if (count <= 0)
      return 0;
    std::memcpy(dest, record.Data + addressLength, std::size_t(count));
    return count;
  } catch (...) {
    return 0;
  }
}

bool TCommunication::WriteAddressed(std::uint8_t requestType, std::uint8_t answerType, const std::uint8_t *address,
                                    int addressLength, const std::uint8_t *src, int count)
{
  try {
    if (count < 0 || count > Framing::MaxPayload - addressLength)
      return false;
    std::array<std::uint8_t, 3 + Framing::MaxPayload> request{requestType};
    std::memcpy(request.data() + 1, address, std::size_t(addressLength));
    if (count > 0)
      std::memcpy(request.data() + 1 + addressLength, src, std::size_t(count));
    const int length = count + addressLength + 1;
    if (!StartRequest(request.data(), length, answerType))
      return false;
    SPacket record = SPacket::MakeEmpty();
    return WaitEcho(record, answerType, length, request.data(), address, addressLength);
  } catch (...) {
    return false;
  }
}

int TCommunication::ReadCalibrationBlock(std::uint8_t *dest, int capacity, std::uint8_t block, std::uint8_t part)
{
  const std::uint8_t address[2] = {block, part};
  return ReadAddressed(48, 49, address, 2, dest, capacity);
}

bool TCommunication::WriteCalibrationBlock(const std::uint8_t *src, int count, std::uint8_t block, std::uint8_t part)
{
  const std::uint8_t address[2] = {block, part};
  return WriteAddressed(64, 65, address, 2, src, count);
}

bool TCommunication::ReadTable(std::uint8_t *dest, int capacity, std::uint8_t index)
{
  return ReadAddressed(112, 113, &index, 1, dest, capacity) > 0;
}

bool TCommunication::WriteTable(const std::uint8_t *src, int count, std::uint8_t index)
{
  return WriteAddressed(128, 129, &index, 1, src, count);
}

void TCommunication::SetAFRCorrection(double value)
{
  if (value > -1.6 && value < 1.6) {
    std::scoped_lock lock(LinkLock);
    LambdaCorrection = value;
  }
}

double TCommunication::AFRCorrection() const
{
  std::scoped_lock lock(LinkLock);
  return LambdaCorrection;
}

bool TCommunication::IsIdentified() const
{
  std::scoped_lock lock(LinkLock);
  return Identified;
}

SVersionFirmware TCommunication::Identity() const
{
  std::scoped_lock lock(LinkLock);
  return IdentityRecord;
}

// ---------------------------------------------------------------- firmware upload

bool BuildFirmwareImage(const QByteArray &file, QByteArray &image, QString *error)
{
  constexpr int group = 64;
  if (file.isEmpty() || file.size() % group != 0) {
    if (error)
      *error = file.isEmpty() ? QStringLiteral("the firmware file is empty")
                              : QStringLiteral("the firmware file is %1 bytes, not whole blocks of 64 bytes").arg(file.size());
    return false;
  }
  image.clear();
  image.reserve(file.size() + file.size() / group);
  for (qsizetype at = 0; at < file.size(); at += group) {
    unsigned sum = 0;
    for (qsizetype k = at; k < at + group; ++k)
      sum += std::uint8_t(file[k]);
    image.append(file.constData() + at, group);
    image.append(char(sum & 0xFF));
  }
  return true;
}

void TCommunication::ResetLoader()
{
  LoaderMode = false;
  LoaderPos = 0;
  LoaderLast = -1;
  LoaderIdMode = false;
  LoaderId.clear();
}

int TCommunication::StartFirmwareUpload(const QString &fileName, const QString &portName, QString *error,
                                        EUploadStart *start)
{
  auto why = [start](EUploadStart reason) {
    if (start)
      *start = reason;
    return 0;
  };
  // A failed earlier upload must never leave the link answering live data with firmware blocks.
  ResetLoader();
  Image.clear();
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) {
    if (error)
      *error = file.errorString();
    return why(EUploadStart::FileError);
  }
  QByteArray image;
  if (!BuildFirmwareImage(file.readAll(), image, error))
    return why(EUploadStart::BadImage);
  Image = image;
  if (!portName.isEmpty())
    SetPortName(portName);
  LoaderMode = true;
  if (!OpenPort(GetPortName(), LoaderBaudRate)) {
    ResetLoader();
    if (error)
      *error = LastPortError();
    return why(EUploadStart::PortError);
  }
  why(EUploadStart::Started);
  return int(Image.size());
}

void TCommunication::GetFirmwareState(SFW &state) const
{
  state.Last = LoaderLast;
  state.Position = LoaderPos;
  state.IdMode = LoaderIdMode;
  state.LoaderMode = LoaderMode;
  state.Id = LoaderId;
}

void TCommunication::AbortFirmwareUpload()
{
  LoaderMode = false;
  LoaderIdMode = false;
  LoaderLast = 'E';
}

void TCommunication::LoaderRxByte(const QByteArray &batch)
{
  if (batch.isEmpty())
    return;
  // Only the first byte of a batch is a command; the bootloader waits for the reply before it
  // sends the next one.
  const auto b = std::uint8_t(batch[0]);
  const QByteArray reply("Q");
  if (LoaderIdMode) {
    LoaderId += QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
    if (LoaderId.size() >= 8)
      LoaderIdMode = false;
    SerialLine->Write(reply);
    return;
  }
  LoaderLast = b;
  switch (b) {
  case 'B':
    LoaderIdMode = true;
    SerialLine->Write(reply);
    break;
  case 'K':
  case 'R': {
    constexpr int block = 65;
    if (LoaderPos < 0 || LoaderPos + block > Image.size()) {
      // Asked for more than the image holds: never send bytes from outside it.
      AbortFirmwareUpload();
      break;
    }
    SerialLine->Write(Image.mid(LoaderPos, block));
    if (b == 'K')
      LoaderPos += block;
    break;
  }
  case 'F':
    // A bootloader that says it has finished before it had the whole image holds a partial
    // firmware: that is a failure, whatever it says.
    if (LoaderPos != Image.size())
      LoaderLast = 'E';
    LoaderMode = false;
    LoaderPos = 0;
    SerialLine->SetBaudRate(DefaultBaudRate);
    LineBaud = DefaultBaudRate;
    break;
  case 'E':
    LoaderMode = false;
    break;
  default:
    break;
  }
}
