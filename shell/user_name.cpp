#include "shell/user_name.h"

#include <vector>

#include "platform/runtime/damaged_file.h"
#include "platform/runtime/fixed_string.h"
#include "platform/runtime/io_error.h"
#include "platform/runtime/number_text.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/record_file.h"
#include "platform/runtime/text_file.h"

namespace shell {

std::string JoinUserName(const std::string& given, const std::string& surname) {
    return rt::CutTo(given + " " + surname, kUserNameCapacity);
}

bool LoadUserName(UserNameState& u) {
    if (!rt::PathExists(kUserNameFile)) {
        rt::EnsureParentFolder(kUserNameFile);
        rt::WriteTextLines(kUserNameFile, {"Nome", "Cognome"});
        u.userGivenName = "Nome";
        u.userSurname = "Cognome";
        u.userFullName = JoinUserName(u.userGivenName, u.userSurname);
        return true;
    }
    // The file holds the two lines the name dialog writes. A damaged one (not
    // text, cut short) is never shown as a name: it is kept beside itself and
    // the placeholders "Nome" and "Cognome" take its place.
    std::string bytes;
    try {
        bytes = rt::ReadFileBytes(kUserNameFile);
    } catch (const rt::IoError& e) {
        // One that cannot be read (a folder in its place, no permission)
        // costs only the name, which stays as it was.
        rt::ReportUnusableFileOnce(e, "Il nome dell'utente non viene letto.");
        return false;
    }
    std::string problem = rt::TextFileDamage(bytes);
    if (problem.empty()) {
        const std::vector<std::string> lines = rt::SplitTextLines(bytes);
        if (lines.size() != 2)
            problem = "ha " + rt::CountOf(static_cast<std::int64_t>(lines.size()), "riga", "righe") +
                      " invece delle due del nome e del cognome";
        if (problem.empty()) {
            u.userGivenName = rt::CutTo(lines[0], kUserNameCapacity);
            u.userSurname = rt::CutTo(lines[1], kUserNameCapacity);
            u.userFullName = JoinUserName(u.userGivenName, u.userSurname);
            return false;
        }
    }
    u.userGivenName = "Nome";
    u.userSurname = "Cognome";
    u.userFullName = JoinUserName(u.userGivenName, u.userSurname);
    const std::string message = "Il file del nome dell'utente \"" + std::string(kUserNameFile) +
                                "\" era danneggiato (" + problem + "): al posto del nome si usa \"Nome Cognome\"";
    const std::string kept = rt::KeepDamagedCopy(kUserNameFile);
    if (kept.empty()) {
        // Without a copy the file is not written over.
        rt::ReportDamagedFileOnce(kUserNameFile,
                                  message +
                                      "; non \xE8 stato possibile conservarne una copia, perci\xF2 il file resta "
                                      "com'\xE8. Liberare spazio sul disco o rendere scrivibile la cartella "
                                      "\"FileTmp\", poi inserire di nuovo il proprio nome con il pulsante del "
                                      "nome nella finestra principale.");
        return false;
    }
    rt::ReplaceTextLines(kUserNameFile, {u.userGivenName, u.userSurname});
    rt::ReportDamagedFile(message + "; il file danneggiato \xE8 conservato come \"" + kept +
                          "\". Inserire di nuovo il proprio nome con il pulsante del nome nella finestra principale.");
    return false;
}

void SaveUserName(UserNameState& u) {
    u.userFullName = JoinUserName(u.userGivenName, u.userSurname);
    rt::EnsureParentFolder(kUserNameFile);
    rt::ReplaceTextLines(kUserNameFile, {u.userGivenName, u.userSurname});
}

}  // namespace shell
