#pragma once

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "shell/capture_fixture.h"
#include "support/inprocessconverter.h"

namespace qv::output::savingtests {

// The question both the save and the e-mail dialog ask before replacing a file.
inline const QString kOverwrite =
    QStringLiteral("File already exists, do you want to overwrite it ?");

// A frozen screen holding a small capture, the converter run in-process, and a default
// folder of its own that the tests read back.
class SavingTest : public shell::capturetests::CaptureTest {
protected:
    explicit SavingTest(const QString& folder) {
        useFolder(folder);
        testsupport::runConverterInProcess(fake.process());
        freeze();
        session().buffer = capture_;
        captureState().freeze.captureAvailable = true;
    }

    void useFolder(const QString& name) {
        folder_ = dir_.filePath(name);
        QDir().mkpath(folder_);
        settings().saveFolder = folder_;
    }
    QString path(const QString& name) const { return QDir(folder_).filePath(name); }
    QStringList filesInFolder() const {
        return QDir(folder_).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    void writeOld(const QString& name) {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old");
    }
    void expectCaptureAt(const QString& file) {
        const QImage back = QImage(file).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(back.size(), capture_.size()) << qPrintable(file);
        // JPEG closeness is the converter's own test.
        if (!file.endsWith(QStringLiteral(".jpg"))) {
            EXPECT_EQ(back, capture_) << qPrintable(file);
        }
    }

    QTemporaryDir dir_;
    QString folder_;
    const QImage capture_ = shell::capturetests::patternScreen(29, 17);
};

}  // namespace qv::output::savingtests
