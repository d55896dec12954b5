// A data folder the user may only read still shows the current person; a
// folder standing where a file should be is reported by name, never read as
// an empty file; a write refused names its file.
#include <gtest/gtest.h>

#include <filesystem>

#include "archive/archive_files.h"
#include "archive/current_chart.h"
#include "archive/current_person.h"
#include "platform/gui/guard.h"
#include "platform/gui/message_box.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/record_file.h"
#include "platform/runtime/text_file.h"
#include "tests/common/test_support.h"

namespace read_only_data_test {

namespace fs = std::filesystem;
using namespace archive;
using testing_support::RunAsUnprivilegedUser;
using testing_support::TempWorkFolder;

namespace {

BirthRecord Sound() {
    BirthRecord r;
    r.dateField = "196012251405-1";
    r.placeField = "52N22-004E54AMSTERDAM";
    r.calendarField = "GR";
    r.nationalityField = "NEDERLAND";
    return r;
}

}  // namespace

TEST(ReadOnlyDataFolder, StillShowsTheCurrentPersonAndRefusesWritesByName) {
    TempWorkFolder work;
    rt::PrepareDataFolder();
    EnsureCurrentPersonFiles();
    WriteCurrentPerson("ROSSI MARIA", Sound(), " una nota", {"BASE", ""});
    testing_support::OpenToOtherUsers(rt::UserDataFolder());
    const auto before = rt::ReadFileBytes("TMPR.ST2");
    // The person is shown.
    EXPECT_EQ(RunAsUnprivilegedUser([] {
                  CurrentChart current;
                  const CurrentPersonView view = LoadCurrentPersonForShow(current);
                  for (const auto& line : view.personLines)
                      if (line.find("ROSSI MARIA") != std::string::npos && view.annotationText == " una nota") return 0;
                  return 1;
              }),
              0);
    // A write is refused with the run-time's message naming the file.
    EXPECT_EQ(RunAsUnprivilegedUser([] {
                  rt::RecordFile f("TMPR.ST2", kBirthRecordSize);
                  f.Reset();
                  (void)f.Read(0);
                  try {
                      f.Write(0, EncodeBirthRecord(Sound()));
                  } catch (const rt::IoError& e) {
                      return e.Code() == rt::kAccessDenied && e.File() == "TMPR.ST2" ? 0 : 2;
                  }
                  return 1;
              }),
              0);
    EXPECT_EQ(rt::ReadFileBytes("TMPR.ST2"), before);
}

TEST(FolderForAFile, IsReportedByNameNotReadAsEmpty) {
    TempWorkFolder work;
    fs::create_directories("FileSet/MMVarLas.stt");
    fs::create_directories("TMPR.ST1");
    auto code = [](const std::function<void()>& read) {
        try {
            read();
        } catch (const rt::IoError& e) {
            return e.Code();
        }
        return 0;
    };
    EXPECT_EQ(code([] { rt::ReadTextLines("FileSet\\MMVarLas.stt"); }), rt::kAccessDenied);
    EXPECT_EQ(code([] { rt::ReadFileBytes("FileSet\\MMVarLas.stt"); }), rt::kAccessDenied);
    EXPECT_EQ(code([] { rt::ReadAllRecords("TMPR.ST1", kIndexRecordSize); }), rt::kAccessDenied);
    // What the user reads: the run-time's message and the file.
    gui::RecordingMessageSink messages;
    gui::Guard([] { rt::ReadTextLines("FileSet\\MMVarLas.stt"); });
    ASSERT_EQ(messages.Texts().size(), 1u);
    EXPECT_EQ(messages.Texts()[0].rfind("Accesso al file negato: \"FileSet\\MMVarLas.stt\". ", 0), 0u)
        << messages.Texts()[0];
}

TEST(ReadOnlyDataFolder, AShippedFileThatCannotBeCopiedIsNamedInTheRunTimesWords) {
    TempWorkFolder work;
    const fs::path shipped = work.Path() / "shipped";
    testing_support::WriteBytes(shipped / "FileSet" / "Nuovo.stt", "shipped");
    testing_support::WriteBytes(work.Path() / "home" / "kelvor" / "FileSet" / "Altro.stt", "user's");
    setenv("XDG_DATA_HOME", (work.Path() / "home").c_str(), 1);
    const std::string old = getenv("KELVOR_DATA_DIR") ? getenv("KELVOR_DATA_DIR") : "";
    setenv("KELVOR_DATA_DIR", shipped.c_str(), 1);
    const int code = RunAsUnprivilegedUser([] {
        try {
            rt::PrepareDataFolder();
        } catch (const rt::IoError& e) {
            const std::string expected = "FileSet/Nuovo.stt";
            return std::string(e.what()) == "Accesso al file negato" && e.File().size() >= expected.size() &&
                           e.File().compare(e.File().size() - expected.size(), expected.size(), expected) == 0
                       ? 0
                       : 2;
        }
        return 1;
    });
    setenv("KELVOR_DATA_DIR", old.c_str(), 1);
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(fs::exists(work.Path() / "home" / "kelvor" / "FileSet" / "Nuovo.stt"));
}

}  // namespace read_only_data_test
