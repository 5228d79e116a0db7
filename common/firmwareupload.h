#pragma once
// The watch over a running firmware upload, shared by the program and zolt-cli: follows the
// bootloader's progress and calls the upload failed when it stalls or the port goes away.

#include <functional>

class TCommunication;

enum class EFirmwareResult { Loaded, Failed };

// Polls the upload every 10 ms, dispatching events so the bootloader's bytes are handled.
// progress(position) is called on every poll. More than StallLimit polls without progress after
// the first block, or a closed port, end the upload as failed (bootloader mode ended).
EFirmwareResult WatchFirmwareUpload(TCommunication &link, const std::function<void(int)> &progress);

inline constexpr int FirmwarePollMs = 10;
inline constexpr int FirmwareStallLimit = 5;
