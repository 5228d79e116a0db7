#include "linepacer.h"

#include <algorithm>

int TLinePacer::Available(std::int64_t nowMs)
{
  if (LastMs >= 0 && nowMs > LastMs)
    Credit = std::min(Credit + (nowMs - LastMs) * BytesPerMs, std::max(MaxCreditMs * BytesPerMs, 1.0));
  LastMs = nowMs;
  return static_cast<int>(Credit);
}
