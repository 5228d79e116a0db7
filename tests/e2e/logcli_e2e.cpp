// zolt-cli over recorded logs: "log" prints a data log's records, "packets" a packet log.

#include "datalog.h"
#include "liverecord.h"
#include "tempdir.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct SRun {
  int Code;
  QString Out;
  QString Err;
};

SRun RunCli(const QStringList &args)
{
  QProcess cli;
  cli.start(QStringLiteral(ZOLT_BIN_DIR "/zolt-cli"), args);
  cli.waitForFinished(30000);
  return {cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1, QString::fromUtf8(cli.readAllStandardOutput()),
          QString::fromUtf8(cli.readAllStandardError())};
}

class LogCliTest : public TTempDirTest {
protected:
  QString WriteDataLog(int count, int tail = 0)
  {
    const QString path = Path(QStringLiteral("drive.zlf"));
    DataLog::TWriter writer;
    EXPECT_TRUE(writer.Open(path));
    for (int k = 1; k <= count; ++k) {
      SInfo info = MakeZeroInfo();
      info.RPM = 1000 * k;
      info.Advance = 12.5;
      info.Valid = 1;
      info.ReadTime = 45000.25;
      EXPECT_TRUE(writer.Append(info));
    }
    writer.Close();
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::Append));
    file.write(QByteArray(tail, '\x01'));
    return path;
  }
};

}   // namespace

TEST_F(LogCliTest, LogPrintsTheLiveColumnsWithRecordNo)
{
  const SRun csv = RunCli({QStringLiteral("log"), WriteDataLog(3, 40)});
  ASSERT_EQ(csv.Code, 0) << csv.Err.toStdString();
  const QStringList lines = csv.Out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 4) << "header and three rows; the partial record is left out";
  EXPECT_EQ(lines[0], QStringLiteral("RecordNo,") + LiveCsvHeader());
  const QStringList columns = lines[0].split(QLatin1Char(','));
  for (int k = 1; k <= 3; ++k) {
    const QStringList cells = lines[k].split(QLatin1Char(','));
    ASSERT_EQ(cells.size(), columns.size());
    EXPECT_EQ(cells[0].toInt(), k);
    EXPECT_EQ(cells[columns.indexOf(QStringLiteral("RPM"))].toInt(), 1000 * k);
    EXPECT_EQ(cells[columns.indexOf(QStringLiteral("Advance"))].toDouble(), 12.5);
  }
  EXPECT_TRUE(csv.Err.contains(QStringLiteral("40 trailing bytes")));

  const SRun json = RunCli({QStringLiteral("log"), Path(QStringLiteral("drive.zlf")), QStringLiteral("--format"),
                            QStringLiteral("json")});
  ASSERT_EQ(json.Code, 0);
  QJsonParseError error{};
  const QJsonDocument doc = QJsonDocument::fromJson(json.Out.toUtf8(), &error);
  ASSERT_EQ(error.error, QJsonParseError::NoError) << json.Out.toStdString();
  const QJsonArray records = doc.object().value(QStringLiteral("records")).toArray();
  ASSERT_EQ(records.size(), 3);
  EXPECT_EQ(records[2].toObject().value(QStringLiteral("RecordNo")).toInt(), 3);
  EXPECT_EQ(records[2].toObject().value(QStringLiteral("RPM")).toInt(), 3000);
}

TEST_F(LogCliTest, PacketsOneLinePerPacket)
{
  QFile file(Path(QStringLiteral("Log.zlp")));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  for (int k = 0; k < 2; ++k) {
    SPacket p{};
    p.Data[0] = 0xAB;
    p.Data[1] = std::uint8_t(k);
    p.Length = k == 0 ? 0 : 2;
    p.Status = SPacket::Waiting;
    p.Type = 19;
    file.write(reinterpret_cast<const char *>(&p), sizeof p);
  }
  file.write("xyz");
  file.close();
  const SRun run = RunCli({QStringLiteral("packets"), file.fileName()});
  ASSERT_EQ(run.Code, 0);
  EXPECT_EQ(run.Out, QStringLiteral("0 19 0 -\n1 19 2 AB01\n"));
}

TEST_F(LogCliTest, FilesThatAreNotLogsFailWithOneLine)
{
  QFile other(Path(QStringLiteral("other.zlf")));
  ASSERT_TRUE(other.open(QIODevice::WriteOnly));
  other.write("ZFS001 and then something else entirely");
  other.close();
  const struct {
    QStringList Args;
    QString Error;
  } cases[] = {{{QStringLiteral("log"), other.fileName()}, QStringLiteral("not a data log")},
               {{QStringLiteral("log"), Path(QStringLiteral("none.zlf"))}, QStringLiteral("zolt-cli: ")},
               {{QStringLiteral("packets"), Path(QStringLiteral("none.zlp"))}, QStringLiteral("zolt-cli: ")},
               {{QStringLiteral("log"), other.fileName(), QStringLiteral("--format"), QStringLiteral("xml")},
                QStringLiteral("csv or json")}};
  for (const auto &c : cases) {
    const SRun run = RunCli(c.Args);
    EXPECT_EQ(run.Code, 1) << c.Args.join(' ').toStdString();
    EXPECT_TRUE(run.Err.contains(c.Error)) << run.Err.toStdString();
    EXPECT_EQ(run.Err.count(QLatin1Char('\n')), 1);
  }
}
