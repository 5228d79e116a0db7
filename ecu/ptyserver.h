#pragma once
// Serves a TEcuDevice on a pseudo-terminal: the manager opens the slave side like a serial port,
// the ECU reads and writes the master side.
//
// The server keeps a slave descriptor of its own open. The master then never reports a hang-up
// when the manager closes the port, and the line settings the manager makes (its baud rate above
// all) can be read from that descriptor.

#include <csignal>
#include <cstdint>
#include <string>
#include <vector>

class TEcuDevice;

class TPtyServer {
public:
  TPtyServer() = default;
  TPtyServer(const TPtyServer &) = delete;
  TPtyServer &operator=(const TPtyServer &) = delete;
  ~TPtyServer();

  bool Open(std::string *error);
  const std::string &PortName() const { return Name; }
  void SetPacing(bool on) { Pacing = on; }

  // The baud rate currently set on the line, 0 when unknown.
  int LineBaudRate() const;

  // Serves until stop becomes non-zero (set by a signal handler).
  void Run(TEcuDevice &device, const volatile std::sig_atomic_t &stop);

private:
  // What the pty cannot take is dropped, like bytes sent down a cable nobody listens on.
  void Write(const std::vector<std::uint8_t> &bytes);

  int Master = -1;
  int Slave = -1;
  std::string Name;
  bool Pacing = true;
};

// Baud rate of a termios speed constant, 0 for one not known here.
int BaudOfSpeed(unsigned speed);
