#include "linepacer.h"

#include <algorithm>

int TLinePacer::Take(std::int64_t nowMs, int waiting)
{
  if (LastMs >= 0 && nowMs > LastMs)
    Credit = std::min(Credit + (nowMs - LastMs) * BytesPerMs, std::max(MaxCreditMs * BytesPerMs, 1.0));
  LastMs = nowMs;
  const int n = std::min(waiting, static_cast<int>(Credit));
  Credit -= n;
  return n;
}
