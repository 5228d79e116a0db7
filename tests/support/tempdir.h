#pragma once
// Every test works in a temporary directory of its own that is removed afterwards.

#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

class TTempDirTest : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(TempDir.isValid()); }
  QString Path(const QString &name) const { return QDir(TempDir.path()).filePath(name); }
  QTemporaryDir TempDir;
};
