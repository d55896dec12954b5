#include "shell/user_name.h"

#include <vector>

#include "platform/runtime/fixed_string.h"
#include "platform/runtime/paths.h"
#include "platform/runtime/text_file.h"

namespace shell {

UserNameState UserName;

void ResetUserName() { UserName = UserNameState{}; }

std::string JoinUserName(const std::string& given, const std::string& surname) {
    return rt::CutTo(given + " " + surname, kUserNameCapacity);
}

bool LoadUserName() {
    UserNameState& u = UserName;
    if (!rt::PathExists(kUserNameFile)) {
        rt::EnsureParentFolder(kUserNameFile);
        rt::WriteTextLines(kUserNameFile, {"Nome", "Cognome"});
        u.UserGivenName = "Nome";
        u.UserSurname = "Cognome";
        u.UserFullName = JoinUserName(u.UserGivenName, u.UserSurname);
        return true;
    }
    rt::TextFile f;
    f.Assign(kUserNameFile);
    f.Reset();
    std::string given = f.ReadLn();
    std::string surname = f.ReadLn();
    f.Close();
    u.UserGivenName = rt::CutTo(given, kUserNameCapacity);
    u.UserSurname = rt::CutTo(surname, kUserNameCapacity);
    u.UserFullName = JoinUserName(u.UserGivenName, u.UserSurname);
    return false;
}

void SaveUserName() {
    UserNameState& u = UserName;
    u.UserFullName = JoinUserName(u.UserGivenName, u.UserSurname);
    rt::EnsureParentFolder(kUserNameFile);
    rt::ReplaceTextLines(kUserNameFile, {u.UserGivenName, u.UserSurname});
}

}  // namespace shell
