#pragma once

#include <QApplication>
#include <QListWidget>

#include "autocapture/jobrecords.h"
#include "autocapture/state.h"
#include "autocapture/windows.h"
#include "fakes/fakeprogram.h"

namespace qv::autocapture::listtests {

class JobWindowsTest : public fakes::ProgramTest {
protected:
    ~JobWindowsTest() override {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static Job job(const QString& name, const QString& type = kWindowTitle,
                   const QString& trigger = "Editor") {
        return {name, type, kScreen, trigger, "/tmp", name, ".png", kIncrement};
    }
    void store(const Job& j, bool enabled = true) {
        writeJob(j);
        if (!enabled)
            setJobEnabled(j.name, false);
    }
    JobList& list() { return prog.autocaptureWindows().jobList.get(); }
    JobEditor& editor() { return prog.autocaptureWindows().jobEditor.get(); }
    QStringList listed() {
        QStringList names;
        for (int row = 0; row < list().jobView->count(); ++row)
            names << list().jobView->item(row)->text();
        return names;
    }
    QStringList tableNames() {
        QStringList names;
        for (const JobRow& row : prog.autocapture.jobTable.rows())
            names << row.name;
        return names;
    }
    void select(int row) {
        list().jobView->setCurrentRow(row);
        emit list().jobView->itemClicked(list().jobView->item(row));
    }
    QString lastMessage() { return fake.dialogs().lastText(); }
};

}  // namespace qv::autocapture::listtests
