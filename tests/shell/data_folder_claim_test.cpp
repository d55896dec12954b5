// Two copies of the program on one data folder: the second says so in Dutch
// and ends without touching a file; a copy that crashed holds nothing.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "platform/gui/message_box.h"
#include "shell/data_folder_claim.h"
#include "tests/shell/shell_test_support.h"
#include "tests/common/test_support.h"

namespace fs = std::filesystem;
using shell_testing::Snapshot;
using testing_support::TempWorkFolder;
using testing_support::WriteBytes;

namespace {
std::map<std::string, fs::file_time_type> WriteTimes(const fs::path& folder) {
    std::map<std::string, fs::file_time_type> out;
    for (const auto& e : fs::recursive_directory_iterator(folder)) out[e.path().string()] = e.last_write_time();
    return out;
}
}  // namespace

TEST(DataFolderClaim, ASecondCopyRefusesAndTouchesNothing) {
    TempWorkFolder work;
    const fs::path data = work.Path() / "kelvor";
    WriteBytes(data / "BASE.ST1", "index");
    // The first copy, a process of its own, holds the folder until told to end.
    int ready[2], done[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(done), 0);
    const pid_t first = fork();
    ASSERT_GE(first, 0);
    if (first == 0) {
        gui::SetMessageSink([](const gui::MessageRequest&) { return int(gui::AnswerOk); });
        const char ok = shell::ClaimDataFolder(data) ? 'y' : 'n';
        (void)!write(ready[1], &ok, 1);
        char c;
        (void)!read(done[0], &c, 1);
        shell::ReleaseDataFolder();
        _exit(0);
    }
    char claimed = 0;
    ASSERT_EQ(read(ready[0], &claimed, 1), 1);
    ASSERT_EQ(claimed, 'y');
    const auto before = Snapshot(data);
    const auto times = WriteTimes(data);
    {
        gui::RecordingMessageSink messages;
        EXPECT_FALSE(shell::ClaimDataFolder(data));
        ASSERT_EQ(messages.messages.size(), 1u);
        EXPECT_EQ(messages.messages[0].text.rfind("Het programma is al geopend met deze map: " + data.string(), 0), 0u)
            << messages.messages[0].text;
    }
    EXPECT_EQ(Snapshot(data), before);
    EXPECT_EQ(WriteTimes(data), times);
    // When the first copy ends, the folder is free.
    (void)!write(done[1], "x", 1);
    waitpid(first, nullptr, 0);
    EXPECT_TRUE(shell::ClaimDataFolder(data));
    shell::ReleaseDataFolder();
}

TEST(DataFolderClaim, ACrashedCopyLeavesTheFolderFree) {
    TempWorkFolder work;
    const fs::path data = work.Path() / "kelvor";
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t crashed = fork();
    ASSERT_GE(crashed, 0);
    if (crashed == 0) {
        const char ok = shell::ClaimDataFolder(data) ? 'y' : 'n';
        (void)!write(ready[1], &ok, 1);
        for (;;) pause();
    }
    char claimed = 0;
    ASSERT_EQ(read(ready[0], &claimed, 1), 1);
    ASSERT_EQ(claimed, 'y');
    kill(crashed, SIGKILL);
    waitpid(crashed, nullptr, 0);
    // Its lock file is still there, naming a process that is gone.
    EXPECT_TRUE(fs::exists(data / shell::kDataFolderLockName));
    gui::RecordingMessageSink messages;
    EXPECT_TRUE(shell::ClaimDataFolder(data));
    EXPECT_TRUE(messages.messages.empty());
    shell::ReleaseDataFolder();
}
