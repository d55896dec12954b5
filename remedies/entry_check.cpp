#include "remedies/entry_check.h"

#include "remedies/primary_db.h"

namespace remedies {

namespace {

std::string Quoted(const EntryField& f) { return "\"" + f.name + "\""; }

// The five bytes that have no character in Windows-1252 are controls too.
bool IsControlOrUnassigned(unsigned char c) {
    return c < 32 || c == 127 || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

std::string ControlName(unsigned char c) {
    switch (c) {
        case 9: return "una tabulazione";
        case 26: return "Ctrl-Z";
        case 27: return "Esc";
        default: break;
    }
    if (c >= 1 && c <= 26) return std::string("Ctrl-") + static_cast<char>('A' + c - 1);
    return "il codice " + std::to_string(c);
}

std::string FieldRefusal(const EntryField& f) {
    if (!f.foreign.empty())
        return "Il campo " + Quoted(f) + " contiene caratteri che il database non pu\xF2 registrare (" + f.foreign +
               "), come le lettere greche o i simboli grafici.\r\nScriverli per esteso (per esempio \"alfa\" "
               "al posto della lettera greca) o toglierli.";
    if (const std::size_t at = RefusedCharacter(f); at != std::string::npos) {
        const unsigned char c = static_cast<unsigned char>(f.text[at]);
        if (c == '\r' || c == '\n') return "Il campo " + Quoted(f) + " deve stare su una sola riga: togliere l'a capo.";
        if (c == '*') return "Il campo " + Quoted(f) + " non pu\xF2 contenere il carattere \"*\".";
        return "Il campo " + Quoted(f) + " contiene un carattere di controllo (" + ControlName(c) +
               "), che non pu\xF2 essere registrato: toglierlo.";
    }
    if (!f.key) return {};
    if (f.text.find_first_not_of(' ') == std::string::npos || (!f.hint.empty() && f.text == f.hint))
        return "Il campo " + Quoted(f) + " \xE8 vuoto: scriverlo prima di salvare.";
    if (ListKeyOf(f.text).empty()) return "Il campo " + Quoted(f) + " deve contenere almeno una lettera o una cifra.";
    return {};
}

}  // namespace

std::size_t RefusedCharacter(const EntryField& f) {
    for (std::size_t i = 0; i < f.text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(f.text[i]);
        if ((c == '\r' || c == '\n') && f.lines) continue;
        if (IsControlOrUnassigned(c)) return i;
    }
    return f.key ? f.text.find('*') : std::string::npos;
}

std::size_t RefusedField(const std::vector<EntryField>& fields) {
    std::size_t i = 0;
    while (i < fields.size() && FieldRefusal(fields[i]).empty()) ++i;
    return i;
}

std::string EntryRefusal(const std::vector<EntryField>& fields) {
    const std::size_t i = RefusedField(fields);
    return i < fields.size() ? FieldRefusal(fields[i]) : std::string();
}

std::string CutQuestion(const std::vector<EntryField>& fields) {
    std::string lines;
    for (const EntryField& f : fields)
        if (f.text.size() > f.capacity)
            lines += "- " + Quoted(f) + ": " + std::to_string(f.text.size()) + " caratteri, il limite \xE8 " +
                     std::to_string(f.capacity) + "\r\n";
    if (lines.empty()) return {};
    return "Superato Limite Lunghezza:\r\n" + lines +
           "Il testo oltre il limite non verr\xE0 salvato. Salvare comunque?";
}

}  // namespace remedies
