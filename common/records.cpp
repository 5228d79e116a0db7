#include "records.h"

#include <cstring>

SPacket SPacket::MakeEmpty()
{
  SPacket p;
  std::memset(p.Data, 0xFF, sizeof p.Data);
  p.Length = 0;
  p.Status = Empty;
  p.Type = 0xFF;
  p.Reserved[0] = p.Reserved[1] = 0;
  return p;
}

SInfo MakeZeroInfo()
{
  SInfo info;
  std::memset(&info, 0, sizeof info);
  return info;
}
