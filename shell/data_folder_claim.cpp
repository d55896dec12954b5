#include "shell/data_folder_claim.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QString>
#include <QSysInfo>
#include <chrono>
#include <memory>
#include <optional>
#include <system_error>
#include <thread>

#include "platform/gui/message_box.h"
#include "platform/gui/text_convert.h"
#include "platform/runtime/win1252.h"

namespace fs = std::filesystem;

namespace shell {
namespace {

// A lock file's name is written by its copy right after the file is made: one
// found without a name this young may be a copy starting at this moment.
constexpr auto kYoungLock = std::chrono::seconds(2);
constexpr auto kNameWriteWait = std::chrono::milliseconds(200);

bool NamesAProcess(const QLockFile& lock) {
    qint64 pid = 0;
    QString host, app;
    return lock.getLockInfo(&pid, &host, &app);
}

bool IsYoung(const fs::path& path) {
    std::error_code ec;
    const auto written = fs::last_write_time(path, ec);
    if (ec) return false;
    const auto age = fs::file_time_type::clock::now() - written;
    return age < kYoungLock && age > -kYoungLock;
}

// A lock file that names no process: empty or cut short (a run that ended
// while writing it, a full disc), random bytes, unreadable to this user, a
// folder in its place. It holds the folder for nobody and is taken over.
// Returns true when it is gone.
bool RemoveNamelessLock(QLockFile& lock, const fs::path& path) {
    if (NamesAProcess(lock)) return false;  // a running copy's (a dead one's Qt takes over itself)
    if (IsYoung(path)) {
        std::this_thread::sleep_for(kNameWriteWait);
        if (NamesAProcess(lock)) return false;
    }
    // Qt's removal refuses a file a running copy holds open.
    if (lock.removeStaleLockFile()) return true;
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
        // Whatever a folder there holds stays, under a numbered name beside it.
        for (int n = 1; n < 1000; ++n) {
            fs::path aside = path;
            aside += "." + std::to_string(n);
            if (fs::exists(aside, ec)) continue;
            fs::rename(path, aside, ec);
            return !ec;
        }
        return false;
    }
    // A file this user may not read or write names no copy of this user's.
    return fs::remove(path, ec);
}

// What a lock file says of the copy that holds it: its process, program and
// computer (name, and the machine and boot ids Qt 6 writes as lines 4 and 5),
// and since when (the file is written once, when the copy takes the folder).
struct LockHolder {
    qint64 pid = 0;
    QString app, host;
    QByteArray machineId, bootId;
    QDateTime since;
    bool operator==(const LockHolder&) const = default;
};

std::optional<LockHolder> ReadHolder(const QLockFile& lock, const fs::path& path) {
    LockHolder h;
    if (!lock.getLockInfo(&h.pid, &h.host, &h.app)) return std::nullopt;
    QFile file(QString::fromStdString(path.string()));
    if (file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        for (int line = 1; line <= 3; ++line) file.readLine();
        h.machineId = file.readLine().trimmed();
        h.bootId = file.readLine().trimmed();
    }
    h.since = QFileInfo(file).lastModified();
    return h;
}

// The computer is judged by its machine id when the lock has one (a renamed
// computer keeps it), by its name otherwise, as Qt judges it: a lock of this
// computer that Qt did not take over names a copy running here now.
bool OfThisComputer(const LockHolder& h) {
    const QByteArray ours = QSysInfo::machineUniqueId();
    if (!h.machineId.isEmpty() && !ours.isEmpty()) return h.machineId == ours;
    return h.host.isEmpty() || h.host == QSysInfo::machineHostName();
}

// Which computer, which process, since when (Windows-1252).
std::string HolderFacts(const LockHolder& h, bool dutch) {
    std::string facts = "computer ";
    if (h.host.isEmpty()) {
        facts += dutch ? "onbekend" : "sconosciuto";
    } else {
        facts += "\"" + gui::FromQt(h.host) + "\"";
        if (h.host == QSysInfo::machineHostName())
            facts += dutch ? " (een andere computer met dezelfde naam)" : " (un altro computer con lo stesso nome)";
    }
    facts += (dutch ? ", proces " : ", processo ") + std::to_string(h.pid);
    if (!h.app.isEmpty()) facts += " (" + gui::FromQt(h.app) + ")";
    if (h.since.isValid())
        facts += (dutch ? ", sinds " : ", dal ") + h.since.toString("dd-MM-yyyy HH:mm").toStdString();
    return facts;
}

// Takes over the lock of another computer the user said is closed, as long
// as the file still names what the user was shown. A copy running here holds
// its lock file locked (flock) for as long as it runs: Qt's removal refuses
// such a file, so a copy that took the folder meanwhile keeps it.
bool TakeOver(QLockFile& lock, const fs::path& path, const LockHolder& shown) {
    if (ReadHolder(lock, path) == shown) lock.removeStaleLockFile();
    return lock.tryLock(0);
}

}  // namespace

DataFolderClaim::DataFolderClaim() = default;

DataFolderClaim::~DataFolderClaim() { Release(); }

bool DataFolderClaim::Claim(const fs::path& folder, Claimant claimant) {
    Release();
    std::error_code ec;
    fs::create_directories(folder, ec);
    const fs::path path = folder / kDataFolderLockName;
    auto lock = std::make_unique<QLockFile>(QString::fromStdString(path.string()));
    // Only a lock whose process is gone is stale: a copy that has run for
    // hours still holds its folder.
    lock->setStaleLockTime(0);
    bool locked = lock->tryLock(0);
    if (!locked && lock->error() == QLockFile::LockFailedError && RemoveNamelessLock(*lock, path))
        locked = lock->tryLock(0);
    const bool dutch = claimant == Claimant::Windows;
    const std::string shownFolder = rt::Utf8ToCp1252(folder.string());
    if (!locked && lock->error() == QLockFile::LockFailedError) {
        const std::optional<LockHolder> holder = ReadHolder(*lock, path);
        if (holder && !OfThisComputer(*holder)) {
            const std::string facts = HolderFacts(*holder, dutch);
            if (!dutch) {
                gui::ShowMessage("La cartella " + shownFolder +
                                 " \xE8 bloccata dal programma su un altro computer: " + facts +
                                 ".\r\nSe quel programma \xE8 chiuso, avviare il programma senza opzioni e "
                                 "rispondere di s\xEC alla sua domanda, oppure cancellare il file " +
                                 rt::Utf8ToCp1252(path.string()) + "; poi ripetere il comando.");
                return false;
            }
            const int answer = gui::ShowMessage(
                "De map " + shownFolder + " is vergrendeld door het programma op een andere computer: " + facts +
                    ".\r\nDat gebeurt als de map van die computer is overgezet, of is teruggezet uit een "
                    "reservekopie die werd gemaakt terwijl het programma daar open was.\r\nIs dat programma "
                    "gesloten? Zo ja, dan neemt dit programma de map over (nooit terwijl dat programma nog met deze "
                    "map werkt); zo nee, dan stopt het.",
                "", gui::Buttons::YesNo);
            if (answer != gui::kAnswerYes) return false;
            locked = TakeOver(*lock, path, *holder);
        }
    }
    if (!locked) {
        if (lock->error() == QLockFile::LockFailedError) {
            gui::ShowMessage(dutch ? "Het programma is al geopend met deze map: " + shownFolder +
                                         ".\r\nSluit eerst dat programma."
                                   : "Il programma \xE8 gi\xE0 aperto con questa cartella: " + shownFolder +
                                         ".\r\nChiudere prima quel programma.");
            return false;
        }
        // A folder the user may only read: no copy can change it, so the
        // program goes on without a lock and shows what is there.
        return true;
    }
    lock_ = std::move(lock);
    return true;
}

void DataFolderClaim::Release() {
    if (lock_) lock_->unlock();
    lock_.reset();
}

}  // namespace shell
