#pragma once
// A running program and a temporary folder for the files a test writes and reads back.
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <string>

#include "tests/support/AppHarness.h"

class CFolderAppTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.isValid());
        ASSERT_TRUE(m_app.Start());
    }

    QString Path(const char* pszName) const {
        return m_folder.filePath(QString::fromUtf8(pszName));
    }
    void Write(const char* pszName, const std::string& bytes) const {
        QFile file(Path(pszName));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    std::string Read(const char* pszName) const {
        QFile file(Path(pszName));
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString()
                                              : std::string("<none>");
    }

    QTemporaryDir m_folder;
    CRunningApp m_app;
};
