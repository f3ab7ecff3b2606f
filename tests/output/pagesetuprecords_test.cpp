#include <gtest/gtest.h>

#include <QLineEdit>

#include "fakes/fakeprogram.h"
#include "options/registrystore.h"
#include "options/windows.h"
#include "output/printing/pagesetuprecords.h"
#include "output/windows.h"

namespace qv::output {
namespace {

using Root = platform::Registry::Root;

class PageSetupTest : public fakes::ProgramTest {
protected:
    QByteArray stored(const QString& name) {
        return fake.registry().value(Root::CurrentUser, pageSetupKey(), name).value_or("<none>");
    }
    void start() {
        Program run;
        run.optionsWindows().optionsDialog.get();
        last = run.output;
        auto& defaultPrinting = run.outputWindows().defaultPrinting;
        defaultPrintingLeft = defaultPrinting.exists() ? defaultPrinting->leftMarginEdit->text()
                                                       : QStringLiteral("<not loaded>");
    }
    void useLocale(const char* measurement, const char* separator = ".") {
        fake.locale().measurement = measurement;
        fake.locale().separator = separator;
    }
    State last;
    QString defaultPrintingLeft;
};

QByteArray withNul(const char* text) {
    return QByteArray(text).append('\0');
}

TEST_F(PageSetupTest, FirstStartStoresTheDefaultsForTheLocale) {
    const struct {
        const char* measurement;
        const char* separator;
        const char* margin;
        const char* units;
        const char* sign;
    } cases[] = {{"0", ",", "25", "Metric", "mm"}, {"1", ".", "1", "US", "\""}};
    for (const auto& c : cases) {
        fake.registry().deleteKey(Root::CurrentUser, options::kProgramKey);
        useLocale(c.measurement, c.separator);
        start();
        for (const char* name : {"TopLeft", "Bottom"})
            EXPECT_EQ(stored(name), withNul(c.margin)) << name;
        EXPECT_EQ(stored("Units"), withNul(c.units));
        EXPECT_EQ(unitSign(last.currentUnits), c.sign);
        EXPECT_FALSE(last.unitsChanged);
        EXPECT_EQ(defaultPrintingLeft, "<not loaded>")
            << "a first start leaves Default Printing alone";
        EXPECT_FALSE(currentRecordExists());
    }
}

TEST_F(PageSetupTest, ALocaleChangeConvertsTheRecordsOnce) {
    useLocale("0");
    start();
    fake.registry().writes = 0;
    writeCurrentRecord({"25", "10", "25", "25"}, QStringLiteral("Centered"));
    EXPECT_EQ(fake.registry().writes, 1) << "a record is stored in one write";

    useLocale("1");
    start();
    EXPECT_TRUE(last.unitsChanged);
    EXPECT_EQ(stored("TopLeft"), withNul("0.984251968503937"));
    EXPECT_EQ(defaultPrintingLeft, "0.984251968503937");
    EXPECT_EQ(stored("CurrpTopLeft"), withNul("25")) << "only Page Setup or Print... convert it";

    // The first of Page Setup and Print... in that run converts the current-print margins.
    Margins margins;
    const auto write = [](const Margins& m) { writeCurrentRecord(m, std::nullopt); };
    EXPECT_EQ(openCurrentRecord(last, margins, write), CurrentRecordLoad::Converted);
    EXPECT_EQ(stored("CurrpTop"), withNul("0.393700787401575"));
    EXPECT_EQ(readCurrentAlignment(), "Centered");
    EXPECT_EQ(openCurrentRecord(last, margins, write), CurrentRecordLoad::Read);

    start();
    EXPECT_FALSE(last.unitsChanged);
}

TEST_F(PageSetupTest, ConversionOfMarginTexts) {
    const struct {
        const char* margin;
        std::optional<Units> from;
        const char* separator;
        const char* result;
    } cases[] = {
        {"25", Units::Metric, ".", "0.984251968503937"},
        {"1", Units::US, ".", "25.4"},
        {"12.7", Units::Metric, ",", "0,5"},  // written before the separator changed
        {"abc", Units::Metric, ".", "abc"},
        {"25", std::nullopt, ".", "25"},
    };
    for (const auto& c : cases) {
        const Margins m =
            convertedMargins({c.margin, c.margin, c.margin, c.margin}, c.from, c.separator);
        EXPECT_EQ(m.bottom, c.result) << c.margin << " " << qPrintable(unitsText(c.from));
    }
}

TEST_F(PageSetupTest, CurrentRecordIsCreatedOnFirstUseAndKeepsNoExtraNul) {
    useLocale("1");
    start();
    Margins margins;
    const auto write = [](const Margins& m) { writeCurrentRecord(m, QStringLiteral("Top Left")); };
    EXPECT_EQ(openCurrentRecord(last, margins, write), CurrentRecordLoad::Created);
    EXPECT_EQ(margins, (Margins{"1", "1", "1", "1"}));
    for (int i = 0; i < 2; ++i) {
        openCurrentRecord(last, margins, write);
        write(margins);
    }
    EXPECT_EQ(stored("CurrpTopLeft"), withNul("1"));
}

}  // namespace
}  // namespace qv::output
