// Two copies of the program on one data folder: the second says so in Dutch
// and ends without touching a file; a copy that crashed holds nothing.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <deque>
#include <filesystem>

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>

#include "platform/gui/message_box.h"
#include "shell/data_folder_claim.h"
#include "tests/common/test_support.h"
#include "tests/shell/shell_test_support.h"

namespace data_folder_claim_test {

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

// A first copy of the program, a process of its own, that holds the data
// folder until End().
class FirstCopy {
public:
    explicit FirstCopy(const fs::path& data) {
        if (pipe(ready_) != 0 || pipe(done_) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            shell::DataFolderClaim claim;
            gui::SetMessageSink([](const gui::MessageRequest&) { return int(gui::kAnswerOk); });
            const char ok = claim.Claim(data) ? 'y' : 'n';
            (void)!write(ready_[1], &ok, 1);
            char c;
            (void)!read(done_[0], &c, 1);
            claim.Release();
            _exit(0);
        }
        char ok = 0;
        claimed_ = pid_ > 0 && read(ready_[0], &ok, 1) == 1 && ok == 'y';
    }
    FirstCopy(const FirstCopy&) = delete;
    FirstCopy& operator=(const FirstCopy&) = delete;
    ~FirstCopy() {
        End();
        for (int fd : {ready_[0], ready_[1], done_[0], done_[1]})
            if (fd >= 0) close(fd);
    }
    bool Claimed() const { return claimed_; }
    pid_t Pid() const { return pid_; }
    void End() {
        if (pid_ <= 0) return;
        (void)!write(done_[1], "x", 1);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    int ready_[2] = {-1, -1}, done_[2] = {-1, -1};
    pid_t pid_ = -1;
    bool claimed_ = false;
};
}  // namespace

TEST(DataFolderClaim, ASecondCopyRefusesAndTouchesNothing) {
    TempWorkFolder work;
    const fs::path data = work.Path() / "kelvor";
    WriteBytes(data / "BASE.ST1", "index");
    // The first copy, a process of its own, holds the folder until told to end.
    FirstCopy first(data);
    ASSERT_TRUE(first.Claimed());
    const auto before = Snapshot(data);
    const auto times = WriteTimes(data);
    shell::DataFolderClaim claim;
    {
        gui::RecordingMessageSink messages;
        EXPECT_FALSE(claim.Claim(data));
        ASSERT_EQ(messages.messages.size(), 1u);
        EXPECT_EQ(messages.messages[0].text.rfind("Het programma is al geopend met deze map: " + data.string(), 0), 0u)
            << messages.messages[0].text;
    }
    EXPECT_EQ(Snapshot(data), before);
    EXPECT_EQ(WriteTimes(data), times);
    // When the first copy ends, the folder is free.
    first.End();
    EXPECT_TRUE(claim.Claim(data));
    claim.Release();
}

TEST(DataFolderClaim, ACrashedCopyLeavesTheFolderFree) {
    TempWorkFolder work;
    const fs::path data = work.Path() / "kelvor";
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t crashed = fork();
    ASSERT_GE(crashed, 0);
    if (crashed == 0) {
        shell::DataFolderClaim claim;
        const char ok = claim.Claim(data) ? 'y' : 'n';
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
    shell::DataFolderClaim claim;
    gui::RecordingMessageSink messages;
    EXPECT_TRUE(claim.Claim(data));
    EXPECT_TRUE(messages.messages.empty());
    claim.Release();
}

namespace {

// The process a lock file names, or 0 when it names none.
qint64 LockHolder(const fs::path& lockFile) {
    QLockFile lock(QString::fromStdString(lockFile.string()));
    qint64 pid = 0;
    QString host, app;
    return lock.getLockInfo(&pid, &host, &app) ? pid : 0;
}

// A process number that no running process has: a child that has ended.
pid_t EndedProcess() {
    const pid_t child = fork();
    if (child == 0) _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}

}  // namespace

// However a run ended (a power cut while the lock file was written, a full
// disc, a crash), the next start takes the folder: a lock file that names no
// running copy, or that cannot be read as a lock, holds nothing.
TEST(DataFolderClaim, ADamagedLockFileIsTakenOverWithoutAWord) {
    const std::string deadLock = std::to_string(EndedProcess()) + "\n" +
                                 QCoreApplication::applicationFilePath().toStdString() + "\n" +
                                 QSysInfo::machineHostName().toStdString() + "\n";
    const struct {
        const char* what;
        std::string bytes;
    } damages[] = {
        {"empty", ""},
        {"random bytes", testing_support::RandomBytes(96, 35)},
        {"cut short", "1"},
        {"no process number", "kelvor\nkelvor\n"},
        {"a process that is gone", deadLock},
    };
    for (const auto& damage : damages) {
        TempWorkFolder work;
        const fs::path data = work.Path() / "kelvor";
        const fs::path lockFile = data / shell::kDataFolderLockName;
        WriteBytes(lockFile, damage.bytes);
        WriteBytes(data / "BASE.ST1", "index");
        shell::DataFolderClaim claim;
        gui::RecordingMessageSink messages;
        EXPECT_TRUE(claim.Claim(data)) << damage.what;
        EXPECT_TRUE(messages.messages.empty()) << damage.what;
        // The lock is this copy's now.
        EXPECT_EQ(LockHolder(lockFile), getpid()) << damage.what;
        EXPECT_EQ(testing_support::ReadBytes(data / "BASE.ST1"), "index");
        claim.Release();
        EXPECT_FALSE(fs::exists(lockFile)) << damage.what;
    }
}

TEST(DataFolderClaim, AFolderInPlaceOfTheLockIsMovedAsideWhole) {
    TempWorkFolder work;
    const fs::path data = work.Path() / "kelvor";
    const fs::path lockFile = data / shell::kDataFolderLockName;
    WriteBytes(lockFile / "inside", "kept");
    shell::DataFolderClaim claim;
    gui::RecordingMessageSink messages;
    EXPECT_TRUE(claim.Claim(data));
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(LockHolder(lockFile), getpid());
    fs::path aside = lockFile;
    aside += ".1";
    EXPECT_EQ(testing_support::ReadBytes(aside / "inside"), "kept");
    claim.Release();
}

// A lock file the user may not read (mode 000) names no copy of the user's.
TEST(DataFolderClaim, ALockFileTheUserMayNotReadIsTakenOver) {
    TempWorkFolder work;
    const fs::path data = work.Path() / "kelvor";
    WriteBytes(data / shell::kDataFolderLockName, "12345\nkelvor\n");
    ASSERT_EQ(chown(work.Path().c_str(), 65534, 65534), 0);
    ASSERT_EQ(chown(data.c_str(), 65534, 65534), 0);
    fs::permissions(data / shell::kDataFolderLockName, fs::perms::none);
    EXPECT_EQ(testing_support::RunAsUnprivilegedUser([&] {
                  shell::DataFolderClaim claim;
                  gui::RecordingMessageSink messages;
                  if (!claim.Claim(data)) return 1;
                  if (!messages.messages.empty()) return 2;
                  const bool ours = LockHolder(data / shell::kDataFolderLockName) == getpid();
                  claim.Release();
                  return ours ? 0 : 3;
              }),
              0);
}

// After a damaged lock was taken over, a second copy is refused as ever.
TEST(DataFolderClaim, ACopyThatTookADamagedLockOverStillHoldsTheFolder) {
    TempWorkFolder work;
    const fs::path data = work.Path() / "kelvor";
    WriteBytes(data / shell::kDataFolderLockName, "");
    FirstCopy first(data);
    ASSERT_TRUE(first.Claimed());
    {
        shell::DataFolderClaim claim;
        gui::RecordingMessageSink messages;
        EXPECT_FALSE(claim.Claim(data));
        ASSERT_EQ(messages.messages.size(), 1u);
        EXPECT_EQ(messages.messages[0].text.rfind("Het programma is al geopend met deze map: ", 0), 0u);
    }
    EXPECT_EQ(LockHolder(data / shell::kDataFolderLockName), first.Pid());
    first.End();
}

// A lock file of another computer (a folder brought from it, or put back from
// a backup taken while the program ran there) is shown to the user, who takes
// the folder over by saying that program is closed; a lock of this computer
// from before it was last started, or of this computer under its old name,
// names no running copy and is taken over without a word.
TEST(DataFolderClaim, ALockOfAnotherComputerIsTakenOverWhenTheUserSaysItsProgramIsClosed) {
    const std::string host = QSysInfo::machineHostName().toStdString();
    const std::string machine = QSysInfo::machineUniqueId().toStdString();
    const std::string boot = QSysInfo::bootUniqueId().toStdString();
    const std::string app = QFileInfo(QCoreApplication::applicationFilePath()).fileName().toStdString();
    const std::string running = std::to_string(getpid());
    struct Case {
        const char* what;
        std::string lock;
        std::deque<int> answers;
        bool asked, ours;
        const char* computer;
    };
    std::vector<Case> cases{
        {"another computer, closed", "4242\nkelvor\nstudio-pc\n", {gui::kAnswerYes}, true, true, "\"studio-pc\""},
        {"another computer, still open", "4242\nkelvor\nstudio-pc\n", {gui::kAnswerNo}, true, false, "\"studio-pc\""},
    };
    // The ids are known where the system keeps a machine id (not every
    // container does) and a boot id.
    if (!machine.empty() && !boot.empty()) {
        cases.push_back({"another computer of the same name",
                         running + "\n" + app + "\n" + host + "\n0f1e2d3c4b5a69788796a5b4c3d2e1f0\n" + boot + "\n",
                         {gui::kAnswerYes},
                         true,
                         true,
                         "een andere computer met dezelfde naam"});
        cases.push_back(
            {"this computer before it was last started",
             running + "\n" + app + "\n" + host + "\n" + machine + "\n8d0c33b2-52a4-4bb5-9d47-1c1f6c1d0a11\n",
             {},
             false,
             true,
             ""});
        cases.push_back({"this computer under its old name",
                         std::to_string(EndedProcess()) + "\n" + app + "\nold-name\n" + machine + "\n" + boot + "\n",
                         {},
                         false,
                         true,
                         ""});
    }
    for (const auto& c : cases) {
        TempWorkFolder work;
        const fs::path data = work.Path() / "kelvor";
        const fs::path lockFile = data / shell::kDataFolderLockName;
        WriteBytes(lockFile, c.lock);
        {
            QFile file(QString::fromStdString(lockFile.string()));
            ASSERT_TRUE(file.open(QIODevice::ReadWrite));
            file.setFileTime(QDateTime(QDate(2021, 5, 3), QTime(14, 12)), QFileDevice::FileModificationTime);
        }
        WriteBytes(data / "BASE.ST1", "index");
        shell::DataFolderClaim claim;
        gui::RecordingMessageSink messages;
        messages.answers = c.answers;
        EXPECT_EQ(claim.Claim(data), c.ours) << c.what;
        if (c.asked) {
            ASSERT_EQ(messages.messages.size(), 1u) << c.what;
            const gui::MessageRequest& question = messages.messages[0];
            EXPECT_EQ(question.buttons, gui::Buttons::YesNo) << c.what;
            EXPECT_EQ(question.text.rfind("De map " + data.string() +
                                              " is vergrendeld door het programma op een "
                                              "andere computer: computer ",
                                          0),
                      0u)
                << question.text;
            EXPECT_NE(question.text.find(c.computer), std::string::npos) << question.text;
            EXPECT_NE(question.text.find(", proces " + c.lock.substr(0, c.lock.find('\n'))), std::string::npos)
                << question.text;
            EXPECT_NE(question.text.find("sinds 03-05-2021 14:12"), std::string::npos) << question.text;
            EXPECT_NE(question.text.find("Is dat programma gesloten?"), std::string::npos) << question.text;
        } else {
            EXPECT_TRUE(messages.messages.empty()) << c.what << ": " << messages.messages[0].text;
        }
        if (c.ours) {
            EXPECT_EQ(LockHolder(lockFile), getpid()) << c.what;
        } else {
            EXPECT_EQ(testing_support::ReadBytes(lockFile), c.lock) << c.what;
        }
        EXPECT_EQ(testing_support::ReadBytes(data / "BASE.ST1"), "index");
        claim.Release();
    }

    // A yes never takes the lock of a copy running here, whatever its file says.
    TempWorkFolder work;
    const fs::path data = work.Path() / "kelvor";
    FirstCopy first(data);
    ASSERT_TRUE(first.Claimed());
    WriteBytes(data / shell::kDataFolderLockName, "4242\nkelvor\nstudio-pc\n");
    {
        shell::DataFolderClaim claim;
        gui::RecordingMessageSink messages;
        messages.answers = {gui::kAnswerYes};
        EXPECT_FALSE(claim.Claim(data));
        ASSERT_EQ(messages.messages.size(), 2u);
        EXPECT_EQ(messages.messages[1].text.rfind("Het programma is al geopend met deze map: ", 0), 0u);
    }
    EXPECT_EQ(testing_support::ReadBytes(data / shell::kDataFolderLockName), "4242\nkelvor\nstudio-pc\n");
    first.End();
}

}  // namespace data_folder_claim_test
