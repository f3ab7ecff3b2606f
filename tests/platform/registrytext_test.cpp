#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/linux/fileregistry.h"
#include "platform/linux/registrytext.h"
#include "support/testfiles.h"

namespace qv::platform {
namespace {

using Root = Registry::Root;

// A settings file as the earlier version of the program wrote it: escapes in values, names
// with quotes, percent signs, tabs, a trailing blank and non-ASCII letters, empty keys, both
// hives.
const QByteArray kEarlierFile =
    R"text(; Quorvalline settings. Values are stored byte for byte: \0 is a NUL that belongs
; to the value, \\ a backslash, \" a quote, \xHH any other byte.

[HKEY_CURRENT_USER\Software]

[HKEY_CURRENT_USER\Software\Quorvalline]

[HKEY_CURRENT_USER\Software\Quorvalline\Save]
"SaveDir"="/home/ann/Bilder/Ärger \"2\"\0\0"
"SaveName"="Shot_\0"
"Odd"="a\\b\nc\rd\te\x01\x7f\xff\xe9 end"
"Empty"=""
"Wert \"ä\" = 1"="x"

[HKEY_CURRENT_USER\Software\Quorvalline\AutoCapture]

[HKEY_CURRENT_USER\Software\Quorvalline\AutoCapture\Jöb 1]
"JobStatus"="1\0"

[HKEY_CURRENT_USER\Software\Quorvalline\AutoCapture\50%25 [x] 日]
"JobStatus"="0\0"

[HKEY_CURRENT_USER\Software\Quorvalline\AutoCapture\tab%09here]
"JobStatus"="0\0"

[HKEY_CURRENT_USER\Software\Quorvalline\AutoCapture\ends in blank ]
"JobStatus"="1\0"

[HKEY_CURRENT_USER\Software\Quorvalline\AutoCapture\Job9]

[HKEY_CURRENT_USER\Software\Quorvalline\AutoCapture\Job9\Deeper]

[HKEY_CURRENT_USER\Software\Quorvalline\AutoCapture\Job9\Deeper\Still]
"v"="1"

[HKEY_CURRENT_USER\Software\Quorvalline\Empty]

[HKEY_CURRENT_USER\Software\Microsoft]

[HKEY_CURRENT_USER\Software\Microsoft\Windows]

[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion]

[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run]
"Other"="/usr/bin/other"

[HKEY_LOCAL_MACHINE\Software]

[HKEY_LOCAL_MACHINE\Software\Machine]
"Shared"="yes"
)text";

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& text) {
    testsupport::writeTestFile(path, text);
}

TEST(RegistryTextTest, AFileTheEarlierVersionWroteLoadsAndIsWrittenBackByteForByte) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("registry"));
    writeAll(path, kEarlierFile);
    FileRegistry registry(path);
    QStringList problems;
    registry.onReadProblem([&](const QString& message) { problems << message; });

    const QString jobs = QStringLiteral("Software\\Quorvalline\\AutoCapture");
    EXPECT_EQ(registry.subKeys(Root::CurrentUser, jobs),
              QStringList(
                  {u"J\u00f6b 1"_qs, u"50% [x] \u65e5"_qs, "tab\there", "ends in blank ", "Job9"}));
    EXPECT_EQ(registry.value(Root::CurrentUser, jobs + "\\ends in blank ", "JobStatus"),
              QByteArray("1\0", 2));
    EXPECT_EQ(registry.value(Root::CurrentUser, "Software\\Quorvalline\\Save", "odd"),
              QByteArray("a\\b\nc\rd\te\x01\x7f\xff\xe9 end"));
    EXPECT_EQ(
        registry.value(Root::CurrentUser, "Software\\Quorvalline\\Save", u"Wert \"\u00e4\" = 1"_qs),
        "x");
    EXPECT_EQ(registry.value(Root::LocalMachine, "Software\\Machine", "Shared"), "yes");

    // Any change writes the whole file again.
    registry.setValue(Root::CurrentUser, "Software\\Quorvalline\\Save", "SaveName",
                      QByteArray("Shot_\0", 6));
    EXPECT_EQ(readAll(path), kEarlierFile);
    EXPECT_TRUE(problems.isEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList({"*.damaged*"}), QStringList());
}

// Variants a person editing the file by hand easily writes name the same key and value.
TEST(RegistryTextTest, HarmlessVariantsReadAsTheKeyAndValueTheyName) {
    const char* variants[] = {
        "[hkey_current_user\\Software\\Q]\n\"Name\"=\"v\"\n",
        "[Hkey_Current_User\\software\\q\\]\n\"NAME\"=\"v\"\n",
        "[HKEY_CURRENT_USER\\Software\\\\Q\\\\]\n\"Name\"=\"v\"\n",
        "[HKEY_CURRENT_USER\\Software\\Q]  \n\"Name\" = \"v\"\n",
        "  [ HKEY_CURRENT_USER\\Software\\Q]\t\r\n\t\"Name\"=  \"v\"  \r\n",
        // Line ends of other systems, after a first line that is a comment as ours is.
        "; c\r[HKEY_CURRENT_USER\\Software\\Q]\r\"Name\"=\"v\"\r",
        "; c\r\n[HKEY_CURRENT_USER\\Software\\Q]\n\r\"Name\"=\"v\"",
    };
    for (const char* text : variants) {
        MemoryRegistry registry;
        QString error;
        EXPECT_TRUE(FileRegistry::parse(text, registry, &error))
            << text << ": " << error.toStdString();
        EXPECT_EQ(registry.value(Root::CurrentUser, "Software\\Q", "Name"), "v") << text;
        EXPECT_EQ(registry.subKeys(Root::CurrentUser, "Software").size(), 1) << text;
    }
    // A CRLF is one line end, a CR alone another.
    MemoryRegistry registry;
    const char* text = "[HKEY_CURRENT_USER\\Software\\Q]\r\n\rbad";
    EXPECT_EQ(readRegistryText(text, registry).skippedLineList(), QStringLiteral("3"));
}

// Names another program wrote in another encoding keep their bytes: two names that differ
// only there stay two names.
TEST(RegistryTextTest, NamesThatAreNotUtf8KeepTheirBytes) {
    const QByteArray samples[] = {
        "plain",
        "J\xc3\xb6"
        "b",
        "job\xe9",
        "job\xe8",
        "\xe9\xe8",
        "\xc3",
        "\xed\xa0\x80",
        "\xc0\xaf",
        "\xf0\x9f\x98\x80",
        "a\xf0\x9f\x98",
        "\xff\xfe",
        "job\xc3\xa9",
    };
    QSet<QString> names;
    for (const QByteArray& bytes : samples) {
        const QString name = nameFromBytes(bytes);
        EXPECT_EQ(nameToBytes(name), bytes) << bytes.toHex().constData();
        names.insert(name.toCaseFolded());
    }
    EXPECT_EQ(names.size(), qsizetype(std::size(samples)));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("registry"));
    const QByteArray text =
        "[HKEY_CURRENT_USER\\Software\\Quorvalline\\AutoCapture\\job\xe9]\n\"SaveName\"=\"first\"\n"
        "[HKEY_CURRENT_USER\\Software\\Quorvalline\\AutoCapture\\job\xe8]\n\"SaveName\"="
        "\"second\"\n"
        "[HKEY_CURRENT_USER\\Software\\Q]\n\"n\xe9\"=\"1\"\n\"n\\xe8\"=\"2\"\n";
    writeAll(path, text);
    const auto check = [](const FileRegistry& registry) {
        const QString jobs = QStringLiteral("Software\\Quorvalline\\AutoCapture");
        const QStringList names = registry.subKeys(Root::CurrentUser, jobs);
        ASSERT_EQ(names.size(), 2);
        EXPECT_EQ(registry.value(Root::CurrentUser, jobs + '\\' + names[0], "SaveName"), "first");
        EXPECT_EQ(registry.value(Root::CurrentUser, jobs + '\\' + names[1], "SaveName"), "second");
        EXPECT_EQ(registry.value(Root::CurrentUser, "Software\\Q", nameFromBytes("n\xe9")), "1");
        EXPECT_EQ(registry.value(Root::CurrentUser, "Software\\Q", nameFromBytes("n\xe8")), "2");
    };
    {
        FileRegistry registry(path);
        check(registry);
        registry.setValue(Root::CurrentUser, "Software\\Q", "Other", "3");
    }
    const QByteArray written = readAll(path);
    EXPECT_TRUE(written.contains("\\AutoCapture\\job\xe9]\n\"SaveName\"=\"first\""));
    EXPECT_TRUE(written.contains("\\AutoCapture\\job\xe8]\n\"SaveName\"=\"second\""));
    EXPECT_TRUE(written.contains("\"n\\xe9\"=\"1\"\n\"n\\xe8\"=\"2\""));
    check(FileRegistry(path));
}

// A key nested without end (here 100,000 levels in one header, and a chain of 70 headers as
// a writer without a limit would store it) is left out beyond 64 levels; the keys beside it
// are read, and writing the file back neither recurses nor keeps the refused lines.
TEST(RegistryTextTest, KeysNestedTooDeepAreLeftOutAndTheRestIsKept) {
    QByteArray deep = "[HKEY_CURRENT_USER\\Software\\Deep";
    for (int i = 0; i < 100'000; ++i)
        deep += "\\k";
    deep += "]\n\"v\"=\"1\"\n";
    QByteArray chain, path = "HKEY_CURRENT_USER";
    for (int level = 1; level <= 70; ++level) {
        path += "\\L" + QByteArray::number(level);
        chain += "\n[" + path + "]\n\"Level\"=\"" + QByteArray::number(level) + "\"\n";
    }
    const QByteArray kept = "[HKEY_CURRENT_USER\\Software\\Q]\n\"Name\"=\"kept\"\n";
    for (const QByteArray& text : {kept + deep, deep + kept, kept + chain}) {
        MemoryRegistry registry;
        const RegistryReading reading = readRegistryText(text, registry);
        EXPECT_FALSE(reading.complete());
        EXPECT_FALSE(reading.damagedWhole);
        EXPECT_EQ(reading.skipped.size(), 1u) << reading.skippedLineList().toStdString();
        EXPECT_EQ(registry.value(Root::CurrentUser, "Software\\Q", "Name"), "kept");
        EXPECT_FALSE(registry.keyExists(Root::CurrentUser, "Software\\Deep"));

        MemoryRegistry again;
        EXPECT_TRUE(readRegistryText(registryText(registry), again).complete());
        EXPECT_EQ(registryText(again), registryText(registry));
    }
    MemoryRegistry registry;
    const RegistryReading reading = readRegistryText(chain, registry);
    // From the 65th level's header (line 194) to the last value (line 210).
    EXPECT_EQ(reading.skippedLineList(), "194-210");
    QString deepest = "L1";
    for (int level = 2; level <= kMaxKeyDepth; ++level)
        deepest += "\\L" + QString::number(level);
    EXPECT_EQ(registry.value(Root::CurrentUser, deepest, "Level"),
              QByteArray::number(kMaxKeyDepth));
    EXPECT_TRUE(registry.subKeys(Root::CurrentUser, deepest).isEmpty());
}

}  // namespace
}  // namespace qv::platform
