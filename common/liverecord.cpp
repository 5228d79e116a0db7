#include "liverecord.h"

#include <QLocale>
#include <QStringList>
#include <cmath>

namespace {

unsigned Word(const SPacket &p, int n) { return p.Data[n] | (unsigned(p.Data[n + 1]) << 8); }
std::uint8_t Bit(std::uint8_t byte, int bit) { return (byte >> bit) & 1u; }

const QDate DayZero(1899, 12, 30);

}   // namespace

QString SVersionFirmware::FlagLetters() const
{
  QString letters;
  if (Flags & 1u)
    letters += QLatin1Char('F');
  if (Flags & 2u)
    letters += QLatin1Char('I');
  return letters;
}

SVersionFirmware DecodeVersionAnswer(const SPacket &answer)
{
  SVersionFirmware identity;
  int n = 0;
  while (n < 12 && answer.Data[n] != 0)
    ++n;
  identity.Version = QString::fromLatin1(reinterpret_cast<const char *>(answer.Data), n);
  for (int k = 15; k >= 12; --k)
    identity.Id += QStringLiteral("%1").arg(answer.Data[k], 2, 16, QLatin1Char('0')).toUpper();
  identity.Flags = answer.Data[16];
  return identity;
}

void DecodeLivePacket(const SPacket &p, double lambdaCorrection, SInfo &info)
{
  const std::uint8_t *d = p.Data;
  info.WorkMode = d[0] & 0x0F;
  info.TestMode = d[0] >> 4;
  info.ActiveTable = d[1] & 3;
  info.LimitRPM = Bit(d[1], 2);
  info.Carb = Bit(d[1], 3);
  info.EconomIdle = Bit(d[1], 4);
  info.AuxOut = Bit(d[1], 5);
  info.LimitAngle = Bit(d[2], 0);
  info.ErrMap = Bit(d[2], 1);
  info.ErrSync = Bit(d[2], 2);
  info.ErrWdt = Bit(d[2], 7);
  info.Half3 = d[3] * 0.5;
  info.Advance = d[4] * 0.5;
  info.FlowValue = d[5] * 0.0625;
  info.Volts10 = Word(p, 10) * 0.0048828125;
  info.LambdaVolts = Word(p, 12) * 0.0048828125;
  info.Half16 = double(d[16] / 2);
  info.InjTime = d[19] * 0.02;
  info.Word21 = Word(p, 21);
  info.AFR = info.LambdaVolts * 2 + 10 + lambdaCorrection;
  const unsigned period = Word(p, 6);
  info.RPM = period == 0 ? 0 : std::int32_t(10000000u / period);
  info.Byte8 = d[8];
  info.Byte9 = d[9];
  info.Temp = static_cast<std::int8_t>(d[14]);
  info.Voltage = d[15] / 10;
  info.Byte17 = d[17];
  info.Byte18 = d[18];
  info.TempAir = static_cast<std::int8_t>(d[20]);
}

double ToDayCount(const QDateTime &local)
{
  const double days = DayZero.daysTo(local.date());
  return days + local.time().msecsSinceStartOfDay() / 86400000.0;
}

QDateTime FromDayCount(double days)
{
  const double whole = std::floor(days);
  const qint64 ms = std::llround((days - whole) * 86400000.0);
  return QDateTime(DayZero.addDays(qint64(whole)), QTime::fromMSecsSinceStartOfDay(0)).addMSecs(ms);
}

QString LiveCsvHeader()
{
  return QStringLiteral("WorkMode,TestMode,ActiveTable,LimitRPM,Carb,EconomIdle,AuxOut,LimitAngle,"
                        "ErrMap,ErrSync,ErrWdt,Half3,Advance,FlowValue,Volts10,LambdaVolts,Half16,"
                        "InjTime,Word21,AFR,RPM,Byte8,Byte9,Temp,Voltage,Byte17,Byte18,TempAir,"
                        "Valid,ReadTime");
}

QString LiveCsvRow(const SInfo &i)
{
  const QLocale c = QLocale::c();
  auto num = [&c](double v) { return c.toString(v, 'g', 12); };
  auto flag = [](std::uint8_t v) { return v ? QStringLiteral("1") : QStringLiteral("0"); };
  const QStringList cells{
      QString::number(i.WorkMode), QString::number(i.TestMode), QString::number(i.ActiveTable),
      flag(i.LimitRPM), flag(i.Carb), flag(i.EconomIdle), flag(i.AuxOut), flag(i.LimitAngle),
      flag(i.ErrMap), flag(i.ErrSync), flag(i.ErrWdt), num(i.Half3), num(i.Advance), num(i.FlowValue),
      num(i.Volts10), num(i.LambdaVolts), num(i.Half16), num(i.InjTime), num(i.Word21), num(i.AFR),
      QString::number(i.RPM), QString::number(i.Byte8), QString::number(i.Byte9), QString::number(i.Temp),
      QString::number(i.Voltage), QString::number(i.Byte17), QString::number(i.Byte18),
      QString::number(i.TempAir), QString::number(i.Valid), num(i.ReadTime)};
  return cells.join(QLatin1Char(','));
}
