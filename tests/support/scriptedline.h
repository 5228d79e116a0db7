#pragma once
// A serial line without hardware: records every frame written and lets the test answer it,
// optionally keeping the link alive with a live packet every few milliseconds, like an ECU.

#include "framing.h"
#include "serialline.h"

#include <QTimer>
#include <functional>
#include <vector>

class TScriptedLine : public TSerialLine {
public:
  TScriptedLine()
  {
    Heartbeat.setInterval(40);
    QObject::connect(&Heartbeat, &QTimer::timeout, this, [this] { Feed(LivePacket()); });
  }

  bool Open(const QString &, qint32 baud, QString *error) override
  {
    ++OpenCount;
    if (FailOpen) {
      if (error)
        *error = QStringLiteral("Permission denied");
      return false;
    }
    Opened = true;
    Baud = baud;
    return true;
  }
  void Close() override { Opened = false; }
  bool IsOpen() const override { return Opened; }
  bool SetBaudRate(qint32 baud) override
  {
    Baud = baud;
    return true;
  }
  bool Write(const QByteArray &bytes) override
  {
    Written.push_back(bytes);
    if (OnWrite)
      OnWrite(bytes);
    return true;
  }
  void PurgeInput() override {}
  void PurgeOutput() override {}

  // Delivers bytes as one received batch, from the event loop (as a port would).
  void Feed(const QByteArray &bytes)
  {
    QTimer::singleShot(0, this, [this, bytes] { Q_EMIT BytesReceived(bytes); });
  }
  void FeedPacket(std::uint8_t type, const QByteArray &payload) { Feed(Packet(type, payload)); }

  static QByteArray Packet(std::uint8_t type, const QByteArray &payload)
  {
    const auto frame = Framing::BuildPacket(type, reinterpret_cast<const std::uint8_t *>(payload.constData()),
                                            int(payload.size()));
    return QByteArray(reinterpret_cast<const char *>(frame.data()), qsizetype(frame.size()));
  }
  static QByteArray Bytes(std::initializer_list<int> values)
  {
    QByteArray b;
    for (int v : values)
      b.append(char(v));
    return b;
  }
  static QByteArray LivePacket() { return Packet(1, QByteArray(23, '\0')); }

  // Answers the identity request as an ECU "ZOLT 2.15", id 1234ABCD, flags FI.
  void AnswerIdentity()
  {
    OnWrite = [this](const QByteArray &frame) {
      if (frame.size() > 5 && std::uint8_t(frame[5]) == 240) {
        QByteArray payload("ZOLT 2.15\0\0\0", 12);
        payload += QByteArray("\xCD\xAB\x34\x12\x03", 5);
        FeedPacket(241, payload);
      }
    };
  }

  // Request frames written with the given request type.
  int CountWrites(std::uint8_t requestType) const
  {
    int n = 0;
    for (const QByteArray &w : Written)
      if (w.size() > 5 && std::uint8_t(w[5]) == requestType)
        ++n;
    return n;
  }

  bool Opened = false;
  bool FailOpen = false;
  int OpenCount = 0;
  qint32 Baud = 0;
  std::vector<QByteArray> Written;
  std::function<void(const QByteArray &)> OnWrite;
  QTimer Heartbeat;
};
