#pragma once
// The user's given name and surname, kept in "FileTmp\Personal.Tmp" (two lines).
#include <string>

namespace shell {

inline constexpr const char* kUserNameFile = "FileTmp\\Personal.Tmp";
inline constexpr std::size_t kUserNameCapacity = 80;

struct UserNameState {
    std::string userGivenName;  // string[80], Windows-1252 bytes
    std::string userSurname;    // string[80]
    std::string userFullName;   // string[80]: given name, one blank, surname
};

// Reads the two lines of the file into the names it is handed. A missing file is created with
// "Nome" and "Cognome", which are then the names in memory. A damaged file
// (not two lines of text) is kept beside itself
// under a numbered name, written anew with "Nome" and "Cognome", and the user
// told. Returns true when the file was created.
bool LoadUserName(UserNameState& u);

// Full name from the two parts, then rewrites the file with them.
void SaveUserName(UserNameState& u);

// Given name, one blank, surname, cut to 80 characters.
std::string JoinUserName(const std::string& given, const std::string& surname);

}  // namespace shell
